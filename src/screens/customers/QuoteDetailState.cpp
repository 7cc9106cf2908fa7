#include "QuoteDetailState.h"

#include "screens/controls/text/LanguageChoice.h"

#include "records/Money.h"
#include "server/Endpoints.h"
#include "workflow/CheckoutPart.h"
#include "workflow/Launch.h"
#include "workflow/QuotePart.h"
#include "workflow/QuoteValidation.h"
#include "workflow/WorkspaceLists.h"

namespace vantrel {

using namespace screens;

QuoteDetailState::QuoteDetailState(QObject *parent) : QObject(parent)
{
    using LineRoles = QList<RecordListModel<QuoteLine>::Role>;
    LineRoles lineRoles{
        {"lineId", [](const QuoteLine &l) { return QVariant(l.id); }},
        {"name", [](const QuoteLine &l) { return QVariant(l.name); }},
        {"quantityText",
         [this](const QuoteLine &l) { return QVariant(lineQuantityText(l, m_linesCurrency)); }},
        {"amountText",
         [this](const QuoteLine &l) { return QVariant(moneyText(lineNetAmount(l), m_linesCurrency)); }},
    };
    m_lines = new RecordListModel<QuoteLine>(lineRoles, this);
    using InvoiceRoles = QList<RecordListModel<QuoteInvoice>::Role>;
    InvoiceRoles invoiceRoles{
        {"invoiceId", [](const QuoteInvoice &i) { return QVariant(i.id); }},
        {"number", [](const QuoteInvoice &i) { return QVariant(i.number); }},
        {"status", [](const QuoteInvoice &i) { return QVariant(i.status); }},
        {"totalText",
         [](const QuoteInvoice &i) {
             return QVariant(moneyText(Decimal::parseOrZero(i.total), i.currency));
         }},
        {"balanceText",
         [](const QuoteInvoice &i) {
             return QVariant(moneyText(Decimal::parseOrZero(i.balance), i.currency));
         }},
        {"dueText", [](const QuoteInvoice &i) { return QVariant(dueText(i)); }},
    };
    m_invoices = new RecordListModel<QuoteInvoice>(invoiceRoles, this);
    // A new language: the rows are read again and the texts worked out again.
    connect(screens::LanguageChoice::instance(), &screens::LanguageChoice::changed, this, [this] {
        for (QAbstractItemModel *list :
             {static_cast<QAbstractItemModel *>(m_lines), static_cast<QAbstractItemModel *>(m_invoices)})
            if (const int rows = list->rowCount(); rows > 0)
                emit list->dataChanged(list->index(0, 0), list->index(rows - 1, 0));
        recompute();
    });
    recompute();
}

QuoteDetailState::~QuoteDetailState() { stopLoad(); }

void QuoteDetailState::setBrowser(QuoteBrowserState *browser)
{
    if (m_browser == browser) return;
    for (const QMetaObject::Connection &c : std::as_const(m_connections)) disconnect(c);
    m_connections.clear();
    m_browser = browser;
    if (browser) {
        const auto again = [this] { recompute(); };
        m_connections.append(connect(browser, &QuoteBrowserState::changed, this, again));
        if (CheckoutModel *workspace = browser->workspace()) {
            m_connections.append(connect(workspace, &CheckoutModel::draftChanged, this, again));
            m_connections.append(connect(workspace, &CheckoutModel::busyChanged, this, again));
            m_connections.append(
                connect(workspace->quotePart(), &QuotePart::editingLockedChanged, this, again));
        }
    }
    emit browserChanged();
    recompute();
}

bool QuoteDetailState::show(const QString &quoteId)
{
    stopLoad();
    const std::optional<Quote> listed = m_browser ? m_browser->listedQuote(quoteId) : std::nullopt;
    if (!listed || !m_browser->customer()) return false;
    m_initial = *listed;
    m_customer = m_browser->customer();
    m_fresh.reset();
    m_message.reset();
    showLines();
    refresh();
    return true;
}

void QuoteDetailState::refresh()
{
    stopLoad();
    if (!m_customer || m_initial.id.isEmpty() || !workspace()) {
        recompute();
        return;
    }
    TaskHandle handle = TaskHandle::make();
    m_task = handle;
    m_loading = true;
    launch(fetch(QPointer<QuoteDetailState>(this), handle, m_initial.id, m_customer->id));
    recompute();
}

void QuoteDetailState::end()
{
    stopLoad();
    recompute();
}

void QuoteDetailState::stopLoad()
{
    if (m_task) m_task->cancel();
    m_task.reset();
    m_loading = false;
}

QCoro::Task<> QuoteDetailState::fetch(QPointer<QuoteDetailState> self, TaskHandle handle, QString quoteId,
                                      QString customerId)
{
    CheckoutModel *workspace = self ? self->workspace() : nullptr;
    if (!workspace) co_return;
    try {
        const CancellationToken token = handle.token();
        Quote fresh = co_await CheckoutAPI::quote(workspace->api(), quoteId, token);
        if (handle.isCancelled() || !self) co_return;
        if (fresh.customerId != customerId) {
            // Moved to someone else since the list was fetched: the list's copy stays.
            self->m_message = browserText::quoteMismatch.toString();
        } else {
            self->m_fresh = std::move(fresh);
            self->m_message.reset();
            self->showLines();
        }
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        if (handle.isCancelled() || !self) co_return;
        if (!isCancellation(failure))
            self->m_message = browserText::refreshFailedPrefix.toString() + errorDescription(failure);
    }
    self->m_task.reset();
    self->m_loading = false;
    self->recompute();
}

QCoro::QmlTask QuoteDetailState::use()
{
    if (!m_view.useEnabled || !m_customer) return open(nullptr, nullptr, QString(), Customer{});
    return open(QPointer<QuoteDetailState>(this), workspace(), shown().id, *m_customer);
}

QCoro::Task<bool> QuoteDetailState::open(QPointer<QuoteDetailState> self, QPointer<CheckoutModel> workspace,
                                         QString quoteId, Customer customer)
{
    if (!self || !workspace) co_return false;
    self->m_opening = true;
    self->recompute();
    QuotePart *quote = workspace->quotePart();
    const bool opened = co_await quote->openQuote(quoteId, customer);
    if (self) {
        self->m_opening = false;
        self->recompute();
    }
    co_return opened;
}

void QuoteDetailState::showLines()
{
    const Quote &quote = shown();
    if (quote.currency != m_linesCurrency) {
        // The amounts' currency changed under unchanged rows: redraw them all.
        m_lines->assign({});
        m_linesCurrency = quote.currency;
    }
    m_lines->assign(quote.lines);
    m_invoices->assign(quote.paymentSummary ? quote.paymentSummary->invoices : QList<QuoteInvoice>());
}

void QuoteDetailState::recompute()
{
    View next = compute();
    if (next == m_view) return;
    m_view = std::move(next);
    emit changed();
}

QuoteDetailState::View QuoteDetailState::compute() const
{
    View view;
    const Quote &quote = shown();
    CheckoutModel *current = workspace();
    const bool editingLocked = !current || current->editingLocked();
    view.quoteId = quote.id;
    view.title = quote.number;
    view.status = quote.status;
    view.totalText = moneyText(Decimal::parseOrZero(quote.total), quote.currency);
    view.subtotalText = moneyText(Decimal::parseOrZero(quote.subtotal), quote.currency);
    view.taxText = moneyText(Decimal::parseOrZero(quote.tax), quote.currency);
    view.notes = quote.notes;
    view.terms = quote.terms;
    view.locked = isLocked(quote);
    view.loading = m_loading;
    view.opening = m_opening;
    view.message = m_message;
    view.useEnabled = !quote.id.isEmpty() && useQuoteEnabled(quote, m_loading, m_opening, editingLocked);
    view.useTitle = (m_opening ? browserText::openingQuote : browserText::useSavedQuote).toString();
    view.useNeedsConfirmation = current && current->draft().dirty;
    view.payment = paymentSection(quote, m_loading);
    return view;
}

} // namespace vantrel
