#include "CheckoutModel.h"

#include "CatalogPart.h"
#include "CheckoutPart.h"
#include "CustomersPart.h"
#include "HistoryPart.h"
#include "Launch.h"
#include "QuotePart.h"

#include "QuoteValidation.h"

#include "records/Uuid.h"

#include "media/ProductImageStore.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"
#include "server/SessionStore.h"
#include "server/ZohoLogin.h"

#include <QSettings>

namespace vantrel {

namespace {

const QString defaultPaymentRoute = QStringLiteral("square_terminal");
const QString defaultAccountingMode = QStringLiteral("individual_zoho");

} // namespace

CheckoutModel::CheckoutModel(CheckoutModelServices services, std::optional<QString> storageDirectory,
                             QObject *parent)
    : QObject(parent), m_services(std::move(services)),
      m_build(m_services.build.value_or(CheckoutBuildConfiguration::shared()))
{
    if (m_services.sessions) {
        m_sessions = m_services.sessions;
    } else {
        m_ownedSessions = std::make_unique<InMemorySessionStore>();
        m_sessions = m_ownedSessions.get();
    }

    // Initial values in field order.
    m_selectedWorkspaceTab = WorkspaceTab::products;
    setServer(m_build.server);
    m_draft = Draft::make();
    m_paymentRoute = defaultPaymentRoute;
    m_accountingMode = defaultAccountingMode;
    m_paymentsSetupMessage = QString();
    m_api = std::make_unique<APIClient>();
    m_images = std::make_unique<ProductImageStore>();
    m_login = std::make_unique<ZohoLogin>(m_services.browser);
    if (m_services.buildInformation) m_login->setBuildInformation(*m_services.buildInformation);
    m_watchGeneration = QUuid::createUuid();
    m_workspaceGeneration = QUuid::createUuid();
    m_storageDirectory = std::move(storageDirectory);

    m_catalogPart = new CatalogPart(*this);
    m_customersPart = new CustomersPart(*this);
    m_quotePart = new QuotePart(*this);
    m_checkoutPart = new CheckoutPart(*this);
    m_historyPart = new HistoryPart(*this);
}

CheckoutModel::~CheckoutModel()
{
    // Background loops hold the model weakly; make sure none of them issues
    // another request once it wakes up.
    for (auto *handle : {&m_poller, &m_catalogTimer, &m_customerSearchTask})
        if (*handle) (*handle)->cancel();
}

// ---- field assignment ------------------------------------------------------

void CheckoutModel::setSelectedWorkspaceTab(WorkspaceTab tab)
{
    if (m_selectedWorkspaceTab == tab) return;
    m_selectedWorkspaceTab = tab;
    emit selectedWorkspaceTabChanged();
}

void CheckoutModel::setServer(const QString &server)
{
    const QString next = m_build.isPreview ? m_build.defaultServer : server;
    if (next == m_server) return;
    m_server = next;
    emit serverChanged();
}

void CheckoutModel::setSession(std::optional<Session> session)
{
    if (m_session == session) return;
    m_session = std::move(session);
    emit sessionChanged();
}

void CheckoutModel::setProducts(QList<Product> products)
{
    if (m_products == products) return;
    m_products = std::move(products);
    emit productsChanged();
}

void CheckoutModel::setTaxes(QList<Tax> taxes)
{
    if (m_taxes == taxes) return;
    m_taxes = std::move(taxes);
    emit taxesChanged();
}

void CheckoutModel::setCustomers(QList<Customer> customers)
{
    if (m_customers == customers) return;
    m_customers = std::move(customers);
    emit customersChanged();
}

void CheckoutModel::setCustomerSearchBusy(bool busy)
{
    if (m_customerSearchBusy == busy) return;
    m_customerSearchBusy = busy;
    emit customerSearchBusyChanged();
}

void CheckoutModel::setCustomerSearchError(std::optional<QString> error)
{
    if (m_customerSearchError == error) return;
    m_customerSearchError = std::move(error);
    emit customerSearchErrorChanged();
}

void CheckoutModel::setQuotes(QList<Quote> quotes)
{
    if (m_quotes == quotes) return;
    m_quotes = std::move(quotes);
    emit quotesChanged();
}

void CheckoutModel::setDeals(QList<Deal> deals)
{
    if (m_deals == deals) return;
    m_deals = std::move(deals);
    emit dealsChanged();
}

void CheckoutModel::setTransactions(QList<CheckoutTransaction> transactions)
{
    if (m_transactions == transactions) return;
    m_transactions = std::move(transactions);
    emit transactionsChanged();
}

void CheckoutModel::setArchivedRequests(QList<ArchivedWorkspaceRequest> list)
{
    if (m_archivedRequests == list) return;
    m_archivedRequests = std::move(list);
    emit archivedRequestsChanged();
}

void CheckoutModel::setTransaction(std::optional<CheckoutTransaction> transaction)
{
    if (m_transaction == transaction) return;
    m_transaction = std::move(transaction);
    emit transactionChanged();
}

void CheckoutModel::setError(std::optional<QString> error)
{
    if (m_error == error) return;
    m_error = std::move(error);
    emit errorChanged();
}

void CheckoutModel::setNotice(std::optional<QString> notice)
{
    if (m_notice == notice) return;
    m_notice = std::move(notice);
    emit noticeChanged();
}

void CheckoutModel::setBusy(bool busy)
{
    if (m_busy == busy) return;
    m_busy = busy;
    emit busyChanged();
}

void CheckoutModel::setCatalogBusy(bool busy)
{
    if (m_catalogBusy == busy) return;
    m_catalogBusy = busy;
    emit catalogBusyChanged();
}

void CheckoutModel::setCatalogAt(std::optional<QDateTime> at)
{
    if (m_catalogAt == at) return;
    m_catalogAt = std::move(at);
    emit catalogAtChanged();
}

void CheckoutModel::setPaymentsEnabled(bool enabled)
{
    if (m_paymentsEnabled == enabled) return;
    m_paymentsEnabled = enabled;
    emit paymentsEnabledChanged();
}

void CheckoutModel::setPaymentRoute(const QString &route)
{
    if (m_paymentRoute == route) return;
    m_paymentRoute = route;
    emit paymentRouteChanged();
}

void CheckoutModel::setAccountingMode(const QString &mode)
{
    if (m_accountingMode == mode) return;
    m_accountingMode = mode;
    emit accountingModeChanged();
}

void CheckoutModel::setPaymentsSetupMessage(const QString &message)
{
    if (m_paymentsSetupMessage == message) return;
    m_paymentsSetupMessage = message;
    emit paymentsSetupMessageChanged();
}

// ---- start-up and conventions ------------------------------------------------

QCoro::Task<> CheckoutModel::start()
{
    QPointer<CheckoutModel> self(this);
    const QString account = m_server;
    m_api->setBase(account);
    std::optional<QByteArray> stored;
    try {
        stored = co_await m_sessions->read(account);
    } catch (...) {
        stored.reset(); // an unreadable keychain means nobody is signed in
    }
    if (!self || !stored) co_return;
    std::optional<Session> session = tryDecode<Session>(*stored, KeyStyle::Storage);
    if (!session) co_return;
    // Someone signed in while the keychain was being read: theirs wins.
    if (m_session) co_return;

    setSession(session);
    m_api->setToken(session->token);
    restoreWorkspace();
    co_await refreshAll();
    if (!self) co_return;
    if (m_restoreWarning) setNotice(m_restoreWarning);
}

QCoro::Task<> CheckoutModel::refreshAll()
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    co_await refreshAccount();
    if (!self || m_workspaceGeneration != generation || !m_session) co_return;
    co_await refreshCatalog();
    if (!self || m_workspaceGeneration != generation || !m_session) co_return;
    startCatalogTimer();
}

QCoro::Task<bool> CheckoutModel::performBusy(std::function<QCoro::Task<>()> operation)
{
    if (m_busy) co_return false;
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    setBusy(true);
    setError(std::nullopt);

    std::exception_ptr failure;
    try {
        co_await operation();
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self) co_return false;
    const bool current = m_workspaceGeneration == generation;
    if (failure && current && !isCancellation(failure)) setError(errorDescription(failure));
    // Whoever replaced the generation has already cleared the flag.
    if (current) setBusy(false);
    co_return !failure;
}

void CheckoutModel::cancelBackgroundWork()
{
    m_workspaceGeneration = QUuid::createUuid();
    m_watchGeneration = QUuid::createUuid();
    m_api->renewGeneration();
    if (m_poller) m_poller->cancel();
    m_poller.reset();
    if (m_catalogTimer) m_catalogTimer->cancel();
    m_catalogTimer.reset();
    if (m_customerSearchTask) m_customerSearchTask->cancel();
    setCustomerSearchBusy(false);
    setBusy(false);
    setCatalogBusy(false);
}

// ---- sign-in and sign-out ----------------------------------------------------

QCoro::Task<> CheckoutModel::signIn()
{
    // Arguments of a co_await are named throughout: g++ 12 may destroy a
    // temporary inside a co_await expression twice.
    std::function<QCoro::Task<>()> steps = [this] { return signInSteps(); };
    co_await performBusy(steps);
}

QCoro::Task<> CheckoutModel::signInSteps()
{
    QPointer<CheckoutModel> self(this);
    m_api->setBase(m_server);
    m_api->setToken(QString());
    Session session = co_await m_login->signIn(m_api.get());
    if (!self) co_return;

    setSession(session);
    m_api->setToken(session.token);
    if (!m_build.isPreview) {
        if (m_services.settings) {
            m_services.settings->setValue(QStringLiteral("server"), m_server);
        } else {
            QSettings settings;
            settings.setValue(QStringLiteral("server"), m_server);
        }
    }
    // Keychain failures are silent: the user then stays signed in for this run only.
    launch(m_sessions->write(m_server, encode(session, KeyStyle::Storage)));
    restoreWorkspace();
}

QCoro::Task<> CheckoutModel::logoutInBackground(std::shared_ptr<APIClient> client)
{
    CancellationToken never; // named: see the note on co_await arguments in the header
    try {
        co_await CheckoutAPI::logout(*client, never);
    } catch (...) {
        // Nobody waits for the logout; the local session is already gone.
    }
}

void CheckoutModel::signOut()
{
    // The logout must carry the old token after the model's client has dropped
    // it; deleteLater because the last reference goes away inside a reply signal.
    std::shared_ptr<APIClient> logoutClient(new APIClient, [](APIClient *c) { c->deleteLater(); });
    logoutClient->setBase(m_api->base());
    logoutClient->setToken(m_api->token());

    cancelBackgroundWork();
    launch(m_sessions->remove(m_server));
    m_images->clear();
    setSession(std::nullopt);
    m_api->setToken(QString());

    setProducts({});
    setCustomers({});
    setQuotes({});
    setDeals({});
    setTransactions({});
    m_activeArchiveID.reset();
    setArchivedRequests({});
    setTransaction(std::nullopt);
    // Signed out there is no draft file, so the user's file keeps its content.
    setDraft(Draft::make());
    setPaymentsEnabled(false);
    setPaymentRoute(defaultPaymentRoute);
    setAccountingMode(defaultAccountingMode);
    setPaymentsSetupMessage(QString());

    launch(logoutInBackground(std::move(logoutClient)));
}

// ---- the draft ---------------------------------------------------------------

void CheckoutModel::setDraft(Draft draft)
{
    if (draft != m_draft) {
        m_draft = std::move(draft);
        emit draftChanged();
    }
    try {
        persistDraft(m_draft);
    } catch (...) {
        // Other write failures (signed out, full disk) keep the change on
        // screen without a message; the protected file deserves one.
        if (m_draftRecoveryBlocked) setError(QString::fromUtf8(messages::protectedDraftError));
    }
}

void CheckoutModel::publishDraft(Draft draft)
{
    if (draft == m_draft) return;
    m_draft = std::move(draft);
    emit draftChanged();
}

bool CheckoutModel::editDraft(const std::function<void(Draft &)> &change)
{
    if (editingLocked()) return false;
    Draft draft = m_draft;
    change(draft);
    if (draft == m_draft) return false;
    markEdited(draft);
    setDraft(std::move(draft));
    return true;
}

void CheckoutModel::storeDraft(Draft draft, const QString &label)
{
    // A protected file takes nothing: refusing here keeps the request out of
    // the workspace, so nothing waits on a request that was never stored.
    if (m_draftRecoveryBlocked) throw APIError{QString::fromUtf8(messages::draftProtected)};
    const Draft previous = m_draft;
    m_draft = std::move(draft);
    try {
        persistDraft(m_draft);
    } catch (...) {
        m_draft = previous;
        throw APIError{label + QString::fromUtf8(messages::notStoredSuffix)};
    }
    emit draftChanged();
}

void CheckoutModel::markEdited(Draft &draft)
{
    draft.dirty = true;
    draft.requestId = newUuidString();
}

Decimal CheckoutModel::draftSubtotal() const
{
    Decimal sum;
    for (const QuoteLine &line : m_draft.lines)
        sum = sum + Decimal::parseOrZero(line.quantity) * Decimal::parseOrZero(line.rate);
    return sum;
}

bool CheckoutModel::savedQuoteReady() const
{
    return m_draft.saved && (m_draft.saved->status == QLatin1String("sent") ||
                             m_draft.saved->status == QLatin1String("accepted"));
}

bool CheckoutModel::editingLocked() const
{
    return m_busy || m_draft.pendingCheckout || m_draft.pendingSave || m_draft.pendingCustomer ||
           (m_transaction && m_transaction->status != QLatin1String("canceled"));
}

bool CheckoutModel::canStartCheckout() const
{
    return m_paymentsEnabled && savedQuoteReady() && !m_draft.dirty && !editingLocked();
}

} // namespace vantrel
