#include "QuoteBrowserState.h"

#include "QuoteBrowserRules.h"
#include "screens/quote/QuoteEditorRules.h"

#include "server/Endpoints.h"
#include "workflow/CheckoutPart.h"
#include "workflow/CustomersPart.h"
#include "workflow/Launch.h"
#include "workflow/QuotePart.h"
#include "workflow/WorkspaceLists.h"

namespace vantrel {

using namespace screens;

namespace {

QString paymentRouteOf(const QPointer<CheckoutModel> &workspace)
{
    return workspace ? workspace->checkoutPart()->paymentRoute() : QString();
}

} // namespace

QuoteBrowserState::QuoteBrowserState(QObject *parent)
    : WorkspaceFace(parent), m_customers(makeCustomerList(this))
{
    using Roles = QList<RecordListModel<Quote>::Role>;
    Roles roles{
        {"quoteId", [](const Quote &q) { return QVariant(q.id); }},
        {"number", [](const Quote &q) { return QVariant(q.number); }},
        {"status", [](const Quote &q) { return QVariant(q.status); }},
        {"totalText",
         [](const Quote &q) { return QVariant(moneyText(Decimal::parseOrZero(q.total), q.currency)); }},
        {"checkoutLine",
         [this](const Quote &q) { return QVariant(checkoutLine(q, paymentRouteOf(workspace()))); }},
        {"locked", [](const Quote &q) { return QVariant(isLocked(q)); }},
        {"trailingSymbol",
         [](const Quote &q) {
             return QVariant(isLocked(q) ? QStringLiteral("lock") : QStringLiteral("chevron.right"));
         }},
    };
    m_quotes = new RecordListModel<Quote>(roles, this);
    recompute();
}

QuoteBrowserState::~QuoteBrowserState() { stopLoad(); }

QList<QMetaObject::Connection> QuoteBrowserState::connectTo(CheckoutModel *workspace)
{
    const auto again = [this] { recompute(); };
    CheckoutPart *checkout = workspace->checkoutPart();
    return {
        connect(workspace, &CheckoutModel::draftChanged, this, again),
        connect(workspace, &CheckoutModel::busyChanged, this, again),
        connect(workspace->quotePart(), &QuotePart::editingLockedChanged, this, again),
        connect(checkout, &CheckoutPart::transactionChanged, this, again),
        // The rows' checkout lines name the route's document.
        connect(checkout, &CheckoutPart::accountChanged, this,
                [this] {
                    if (m_quotes->rowCount() > 0)
                        emit m_quotes->dataChanged(m_quotes->index(0),
                                                   m_quotes->index(m_quotes->rowCount() - 1));
                }),
    };
}

void QuoteBrowserState::leaving() { stopLoad(); }

// The rows' texts are worked out as they are read: each row is read again.
void QuoteBrowserState::relabel()
{
    for (QAbstractItemModel *list :
         {static_cast<QAbstractItemModel *>(m_customers), static_cast<QAbstractItemModel *>(m_quotes)})
        if (const int rows = list->rowCount(); rows > 0)
            emit list->dataChanged(list->index(0, 0), list->index(rows - 1, 0));
    recompute();
}

void QuoteBrowserState::switched()
{
    if (m_active) restart(false);
    recompute();
}

void QuoteBrowserState::setSearch(const QString &text)
{
    if (m_customer) {
        if (m_quoteSearch == text) return;
        m_quoteSearch = text;
        refilter();
        recompute();
        return;
    }
    if (m_customerSearch == text) return;
    m_customerSearch = text;
    restart(true);
}

std::optional<Quote> QuoteBrowserState::listedQuote(const QString &quoteId) const
{
    for (const Quote &quote : m_allQuotes)
        if (quote.id == quoteId) return quote;
    return std::nullopt;
}

QString QuoteBrowserState::currentKey() const
{
    return m_customer ? QStringLiteral("quotes:") + m_customer->id
                      : QStringLiteral("customers:") + m_customerSearch;
}

void QuoteBrowserState::begin(bool withDraftCustomer)
{
    stopLoad();
    m_customer.reset();
    if (withDraftCustomer && workspace()) m_customer = workspace()->draft().customer;
    m_customerSearch.clear();
    m_quoteSearch.clear();
    m_customers->assign({});
    m_allQuotes.clear();
    refilter();
    m_active = true;
    restart(false);
}

void QuoteBrowserState::end()
{
    m_active = false;
    stopLoad();
    m_customers->assign({});
    m_allQuotes.clear();
    refilter();
    recompute();
}

bool QuoteBrowserState::chooseCustomer(const QString &customerId)
{
    const int row = m_customers->indexOfId(customerId);
    if (row < 0) return false;
    m_customer = m_customers->items().at(row);
    m_quoteSearch.clear();
    m_allQuotes.clear();
    refilter();
    restart(false);
    return true;
}

void QuoteBrowserState::searchAllCustomers()
{
    if (!m_customer) return;
    m_customer.reset();
    m_allQuotes.clear();
    refilter();
    restart(false);
}

void QuoteBrowserState::refresh() { restart(false); }

// A new key or a refresh: whatever was in flight is cancelled (its request
// aborted) before the new load starts, so a late reply never lands.
void QuoteBrowserState::restart(bool debounce)
{
    stopLoad();
    m_message.reset();
    if (m_active && workspace()) {
        TaskHandle handle = TaskHandle::make();
        if (m_customer) {
            m_task = handle;
            m_loading = true;
            launch(loadQuotes(QPointer<QuoteBrowserState>(this), handle, m_customer->id));
        } else if (!m_customerSearch.trimmed().isEmpty()) {
            m_task = handle;
            m_loading = true;
            const std::chrono::milliseconds wait =
                debounce ? workspace()->services().searchDebounce : std::chrono::milliseconds(0);
            launch(loadCustomers(QPointer<QuoteBrowserState>(this), handle, m_customerSearch, wait));
        } else {
            // Nothing is looked up for an empty search.
            m_customers->assign({});
        }
    }
    recompute();
}

void QuoteBrowserState::stopLoad()
{
    if (m_task) m_task->cancel();
    m_task.reset();
    m_loading = false;
}

QCoro::Task<> QuoteBrowserState::loadCustomers(QPointer<QuoteBrowserState> self, TaskHandle handle,
                                               QString text, std::chrono::milliseconds wait)
{
    // Typing: each keystroke cancels the wait of the one before.
    if (wait.count() > 0) co_await TaskHandle::sleep(handle, wait);
    if (handle.isCancelled() || !self || !self->workspace()) co_return;
    try {
        const QString query = text.trimmed();
        const CancellationToken token = handle.token();
        CustomersResponse reply = co_await CheckoutAPI::customers(self->workspace()->api(), query, token);
        if (handle.isCancelled() || !self) co_return;
        self->m_customers->assign(std::move(reply.customers));
        self->loaded();
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        if (handle.isCancelled() || !self) co_return;
        self->failed(failure);
    }
}

QCoro::Task<> QuoteBrowserState::loadQuotes(QPointer<QuoteBrowserState> self, TaskHandle handle,
                                            QString customerId)
{
    if (!self || !self->workspace()) co_return;
    try {
        const CancellationToken token = handle.token();
        QuotesResponse reply = co_await CheckoutAPI::quotes(self->workspace()->api(), customerId, token);
        if (handle.isCancelled() || !self) co_return;
        self->m_allQuotes = std::move(reply.quotes);
        self->refilter();
        self->loaded();
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        if (handle.isCancelled() || !self) co_return;
        self->failed(failure);
    }
}

void QuoteBrowserState::loaded()
{
    m_task.reset();
    m_loading = false;
    recompute();
}

void QuoteBrowserState::failed(const std::exception_ptr &failure)
{
    m_task.reset();
    m_loading = false;
    // A reply cut off by a new address or token is nobody's failure.
    if (!isCancellation(failure)) m_message = errorDescription(failure);
    recompute();
}

void QuoteBrowserState::refilter()
{
    QList<Quote> matching;
    for (const Quote &quote : std::as_const(m_allQuotes))
        if (quoteMatches(quote, m_quoteSearch)) matching.append(quote);
    m_quotes->assign(std::move(matching));
}

QCoro::QmlTask QuoteBrowserState::useCustomer()
{
    if (!m_customer || !workspace()) return selectOnWorkspace(nullptr, Customer{});
    return selectOnWorkspace(workspace(), *m_customer);
}

QCoro::Task<bool> QuoteBrowserState::selectOnWorkspace(QPointer<CheckoutModel> workspace, Customer customer)
{
    if (!workspace || workspace->editingLocked()) co_return false;
    CustomersPart *customers = workspace->customersPart();
    co_await customers->selectCustomer(customer);
    co_return workspace && workspace->draft().customer && workspace->draft().customer->id == customer.id;
}

void QuoteBrowserState::recompute()
{
    View next = compute();
    if (next == m_view) return;
    m_view = std::move(next);
    emit changed();
}

QuoteBrowserState::View QuoteBrowserState::compute() const
{
    View view;
    view.search = m_customer ? m_quoteSearch : m_customerSearch;
    view.hasCustomer = m_customer.has_value();
    view.customerName = m_customer ? m_customer->name : QString();
    view.loading = m_loading;
    view.loadKey = currentKey();
    view.title = (m_customer ? browserText::customerQuotes : browserText::customers).toString();
    view.searchLabel =
        (m_customer ? browserText::searchCustomerQuotes : editorText::searchCustomers).toString();
    view.searchPrompt =
        (m_customer ? browserText::quoteSearchPrompt : editorText::customerSearchPrompt).toString();
    const ListState list =
        m_customer ? quoteListState(m_loading, m_message, m_allQuotes.size(), m_quotes->rowCount())
                   : customerListState(m_customerSearch, m_loading, m_message, m_customers->rowCount());
    switch (list.kind) {
    case ListState::Kind::Text: view.listKind = QStringLiteral("text"); break;
    case ListState::Kind::Failure: view.listKind = QStringLiteral("failure"); break;
    case ListState::Kind::Rows: view.listKind = QStringLiteral("rows"); break;
    }
    view.listText = list.text;
    if (m_customer && list.kind == ListState::Kind::Rows) {
        for (const Quote &quote : m_quotes->items())
            view.showsLockedNote = view.showsLockedNote || isLocked(quote);
    }
    if (workspace()) {
        view.showsLiveCheckoutNote = m_customer && isLiveCheckout(workspace()->checkoutPart()->transaction());
        view.canUseCustomer = m_customer && !workspace()->editingLocked();
        view.needsConfirmation =
            m_customer && screens::customerChangeNeedsConfirmation(workspace()->draft(), m_customer->id);
    }
    return view;
}

} // namespace vantrel
