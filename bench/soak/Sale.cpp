#include "Sale.h"

#include "Till.h"

#include <QElapsedTimer>

#include <cstdio>

#include "records/Money.h"
#include "records/Uuid.h"
#include "server/Endpoints.h"
#include "workflow/WorkspaceParts.h"

using namespace vantrel;

namespace soak {

namespace {

// Tags that keep the seed's draws for different purposes apart.
enum Draw : int { share, create, regular, lineCount, tender, cashExtra, decline, lines = 16 };
constexpr quint64 killTag = 0x6b696c6c;
constexpr double killShare = 0.1; // of the steps, followed by a kill of the app

const char *const actionNames[] = {"refresh", "resume customer", "save", "resume checkout", "next sale",
                                   "terminal", "resume shown", "follow", "customer options", "create customer",
                                   "find customer", "add lines", "checkout", "show draft", "none"};

// The new-customer sheet's choices; the person takes the default campaign.
QCoro::Task<> loadCampaign(QPointer<CheckoutModel> model, std::shared_ptr<QString> campaign)
{
    if (!model) co_return;
    const CustomerOptions options = co_await CheckoutAPI::customerOptions(model->api());
    if (!model) co_return;
    *campaign = options.defaultCampaignId.isEmpty() && !options.campaigns.isEmpty() ? options.campaigns.first().id
                                                                                      : options.defaultCampaignId;
}

bool waiting(const QString &status)
{
    return status == QLatin1String(status::awaitingPayment) || status == QLatin1String(status::awaitingRegisterPayment);
}

} // namespace

Sale::Sale(Till &till, quint64 seed, int number) : m_till(till), m_seed(seed), m_number(number) {}

double Sale::draw(int what) const { return uniform({m_seed, quint64(m_number), 0x5a1e, quint64(what)}); }

SaleResult Sale::run()
{
    m_share = 0.4 * draw(share);
    m_create = draw(create) < 0.6;
    m_tender = draw(tender) < 0.6 ? QStringLiteral("card") : QStringLiteral("cash");
    m_result.marker = QStringLiteral("Soak sale %1").arg(m_number);
    const int patient = int(m_till.patience().count()) * 3 + 2000;
    for (int spent = 0; !m_done && spent < faultySteps + healedSteps; ++spent) {
        const bool healed = spent >= faultySteps;
        // The person waits for the screen to finish what it is doing.
        m_till.waitUntil([&] { return !m_till->busy(); }, patient);
        m_till.plan().beginStep(m_number, ++m_step, healed ? 0 : m_share);
        const Action action = next();
        QElapsedTimer took;
        took.start();
        perform(action);
        m_till.releaseHeld();
        if (trace)
            std::fprintf(stderr, "step %d %s (%lld ms) -> %s\n", m_step, actionNames[int(action)], took.elapsed(),
                         qPrintable(where()));
        if (m_till.takeHung() && m_result.deadEnd.isEmpty()) m_result.deadEnd = QStringLiteral("hung: ") + where();
        if (!m_done && !healed && uniform({m_seed, quint64(m_number), quint64(m_step), killTag}) < killShare) {
            m_till.plan().beginStep(m_number, ++m_step, m_share, false);
            m_till.restart();
            if (trace) std::fprintf(stderr, "step %d restart -> %s\n", m_step, qPrintable(where()));
        }
    }
    m_till.plan().heal();
    m_result.completed = m_done;
    if (!m_done && m_result.deadEnd.isEmpty()) m_result.deadEnd = where();
    return m_result;
}

Sale::Action Sale::next() const
{
    CheckoutModel &model = m_till.model();
    const CheckoutPart &checkout = *model.checkoutPart();
    const Draft &draft = model.draft();
    if (m_refreshNext || !checkout.paymentsEnabled() || model.catalogPart()->products().isEmpty())
        return Action::refresh;
    if (draft.pendingCustomer) return Action::resumeCustomer;
    if (draft.pendingSave) return Action::save;
    const std::optional<CheckoutTransaction> &shown = checkout.transaction();
    if (draft.pendingCheckout && !(shown && shown->id == draft.pendingCheckout->requestId))
        return Action::resumeCheckout;
    if (shown) {
        if (!checkout.ownCheckout()) return Action::showDraft;
        const QString &status = shown->status;
        if (status == QLatin1String(status::complete)) return Action::nextSale;
        if (status == QLatin1String(status::canceled)) return Action::showDraft;
        if (status == QLatin1String(status::needsAttention) || m_stalled) return Action::resumeShown;
        const std::optional<CheckoutTransaction> onServer = m_till.backend().server.checkout(shown->id);
        if (waiting(status) && onServer && onServer->status == status) return Action::terminal;
        return checkout.poller() ? Action::follow : Action::resumeShown;
    }
    if (!draft.customer) {
        if (!draft.customerDraft && !m_create) return Action::find;
        return m_campaign.isEmpty() && !draft.customerDraft ? Action::customerOptions : Action::create;
    }
    if (draft.lines.isEmpty()) return Action::addLines;
    if (!draft.saved || draft.dirty) return Action::save;
    if (checkout.canStartCheckout()) return Action::checkout;
    return Action::refresh;
}

void Sale::perform(Action action)
{
    m_last = action;
    CheckoutModel &model = m_till.model();
    CheckoutPart &checkout = *model.checkoutPart();
    switch (action) {
    case Action::refresh:
        m_refreshNext = false;
        m_till.perform(model.refreshAll());
        break;
    case Action::resumeCustomer:
        m_till.perform(model.customersPart()->resumeCustomerRequest());
        break;
    case Action::save:
        m_till.perform(model.quotePart()->saveQuote());
        break;
    case Action::resumeCheckout:
        m_till.perform(checkout.resumeCheckout());
        break;
    case Action::nextSale:
        checkout.startNextSale();
        m_done = !model.draft().customer && model.draft().lines.isEmpty() && !checkout.transaction();
        break;
    case Action::terminal: {
        // The customer at the terminal (or the register), not the app.
        const CheckoutTransaction shown = *checkout.transaction();
        standin::StandinServer &server = m_till.backend().server;
        if (shown.status == QLatin1String(status::awaitingRegisterPayment))
            server.collect(shown.id);
        else if (!m_declined && draw(decline) < 0.2)
            m_declined = server.decline(shown.id);
        else
            server.pay(shown.id);
        follow();
        break;
    }
    case Action::resumeShown:
        m_stalled = false;
        m_till.perform(checkout.resume(*checkout.transaction()));
        break;
    case Action::follow:
        follow();
        break;
    case Action::customerOptions: {
        const auto campaign = std::make_shared<QString>();
        m_till.perform(loadCampaign(QPointer<CheckoutModel>(&model), campaign));
        m_campaign = *campaign;
        break;
    }
    case Action::create:
        createCustomer();
        break;
    case Action::find:
        findCustomer();
        break;
    case Action::addLines:
        addLines();
        break;
    case Action::checkout:
        this->checkout();
        break;
    case Action::showDraft:
        checkout.showDraft();
        break;
    case Action::none:
        break;
    }
}

void Sale::createCustomer()
{
    CheckoutModel &model = m_till.model();
    // The sheet keeps the details of a creation that never arrived; the
    // person taps Create again.
    NewCustomerRequest form;
    if (const std::optional<NewCustomerRequest> &kept = model.draft().customerDraft) {
        form = *kept;
    } else {
        form.requestId = newUuidString();
        form.firstName = QStringLiteral("Soak");
        form.lastName = QStringLiteral("Sale%1").arg(m_number);
        form.phone = QStringLiteral("555-010-%1").arg(m_number % 10000, 4, 10, QLatin1Char('0'));
        form.email = QStringLiteral("soak-%1@example.com").arg(m_number);
        form.campaignId = m_campaign;
        form.dealAmount = QStringLiteral("100");
    }
    m_result.email = form.email;
    m_till.perform(model.customersPart()->createCustomer(form));
}

void Sale::findCustomer()
{
    CustomersPart &customers = *m_till->customersPart();
    const QList<Customer> &regulars = m_till.regulars();
    const Customer wanted = regulars.at(std::min(int(draw(regular) * regulars.size()), int(regulars.size()) - 1));
    customers.searchCustomers(wanted.name);
    if (!m_till.waitUntil([&] { return !m_till->customersPart()->customerSearchBusy(); }, Till::operationLimitMs))
        return;
    const QList<Customer> found = customers.customers();
    const auto match = std::find_if(found.cbegin(), found.cend(), [&](const Customer &c) { return c.id == wanted.id; });
    if (match != found.cend()) m_till.perform(customers.selectCustomer(*match));
}

void Sale::addLines()
{
    QuotePart &quote = *m_till->quotePart();
    const QList<Product> products = m_till->catalogPart()->products();
    const int choices = std::min(int(products.size()), 40);
    const int count = 1 + int(draw(lineCount) * 3);
    for (int i = 0; i < count; ++i) {
        const QString productId = products.at(int(draw(lines + 2 * i) * choices)).id;
        if (!quote.addProduct(productId)) continue;
        const int quantity = 1 + int(draw(lines + 2 * i + 1) * 3);
        const QList<QuoteLine> &added = m_till->draft().lines;
        const auto line = std::find_if(added.crbegin(), added.crend(), [&](const QuoteLine &l) { return l.itemId == productId; });
        if (quantity > 1 && line != added.crend()) quote.setLineQuantity(line->id, QString::number(quantity));
    }
    quote.setNotes(m_result.marker);
}

void Sale::checkout()
{
    CheckoutModel &model = m_till.model();
    QString cash;
    if (m_tender == QLatin1String("cash"))
        cash = QString::number(cents(model.draft().saved->total) / 100 + 1 + int(draw(cashExtra) * 20));
    m_till.perform(model.checkoutPart()->startCheckout(m_tender, cash));
    // A start the server refused (the quote already has a checkout, say)
    // sends the person to look again before trying again. (A kill meanwhile
    // replaced the model.)
    const CheckoutModel &now = m_till.model();
    if (now.error() && !now.draft().pendingCheckout && !now.checkoutPart()->transaction()) m_refreshNext = true;
}

void Sale::follow()
{
    const auto state = [this] {
        const std::optional<CheckoutTransaction> &shown = m_till->checkoutPart()->transaction();
        return shown ? shown->id + QLatin1Char(' ') + shown->status : QString();
    };
    const QString before = state();
    const bool moved = m_till.waitUntil([&] { return state() != before; }, int(m_till.patience().count()) * 2 + 3000);
    // A status that stopped moving gets the screen's Resume.
    m_stalled = !moved && !m_till.killed();
}

QString Sale::where() const
{
    CheckoutModel &model = m_till.model();
    const Draft &draft = model.draft();
    const std::optional<CheckoutTransaction> &shown = model.checkoutPart()->transaction();
    QStringList parts{QStringLiteral("sale %1").arg(m_number), QStringLiteral("last action %1").arg(QLatin1String(actionNames[int(m_last)]))};
    if (draft.pendingCustomer) parts << QStringLiteral("customer creation pending");
    if (draft.pendingSave) parts << QStringLiteral("save pending");
    if (draft.pendingCheckout) parts << QStringLiteral("checkout %1 pending").arg(draft.pendingCheckout->requestId);
    parts << (draft.customer ? QStringLiteral("customer %1").arg(draft.customer->id) : QStringLiteral("no customer"));
    parts << QStringLiteral("%1 lines").arg(draft.lines.size());
    if (draft.saved) parts << QStringLiteral("quote %1 (%2)").arg(draft.saved->number, draft.saved->status);
    if (shown) parts << QStringLiteral("checkout %1 %2").arg(shown->id, shown->status);
    if (model.error()) parts << QStringLiteral("error \"%1\"").arg(*model.error());
    if (model.notice()) parts << QStringLiteral("notice \"%1\"").arg(*model.notice());
    return parts.join(QStringLiteral("; "));
}

} // namespace soak
