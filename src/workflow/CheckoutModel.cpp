#include "CheckoutModel.h"

#include "media/ProductImageStore.h"
#include "server/APIClient.h"
#include "server/SessionStore.h"
#include "server/ZohoLogin.h"

#include <QSettings>

namespace vantrel {

namespace {

const QString defaultPaymentRoute = QStringLiteral("square_terminal");
const QString defaultAccountingMode = QStringLiteral("individual_zoho");

QCoro::Task<> swallowFailures(QCoro::Task<> task)
{
    try {
        co_await std::move(task);
    } catch (...) {
        // Nobody waits for this task; its failure has nowhere to go.
    }
}

template <class T>
QJsonArray jsonArray(const QList<T> &list)
{
    return codec::encodeValue(list, KeyStyle::Storage).toArray();
}

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

    for (auto signal : {&CheckoutModel::draftChanged, &CheckoutModel::busyChanged,
                        &CheckoutModel::transactionChanged, &CheckoutModel::paymentsEnabledChanged,
                        &CheckoutModel::paymentRouteChanged, &CheckoutModel::accountingModeChanged,
                        &CheckoutModel::paymentsSetupMessageChanged})
        connect(this, signal, this, &CheckoutModel::derivedChanged);
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
    m_selectedWorkspaceTab = tab;
    emit selectedWorkspaceTabChanged();
}

void CheckoutModel::setServer(const QString &server)
{
    m_server = server;
    if (m_build.isPreview && m_server != m_build.defaultServer) m_server = m_build.defaultServer;
    emit serverChanged();
}

void CheckoutModel::setSession(std::optional<Session> session)
{
    m_session = std::move(session);
    emit sessionChanged();
}

void CheckoutModel::setProducts(QList<Product> products)
{
    m_products = std::move(products);
    emit productsChanged();
}

void CheckoutModel::setTaxes(QList<Tax> taxes)
{
    m_taxes = std::move(taxes);
    emit taxesChanged();
}

void CheckoutModel::setCustomers(QList<Customer> customers)
{
    m_customers = std::move(customers);
    emit customersChanged();
}

void CheckoutModel::setCustomerSearchBusy(bool busy)
{
    m_customerSearchBusy = busy;
    emit customerSearchBusyChanged();
}

void CheckoutModel::setCustomerSearchError(std::optional<QString> error)
{
    m_customerSearchError = std::move(error);
    emit customerSearchErrorChanged();
}

void CheckoutModel::setQuotes(QList<Quote> quotes)
{
    m_quotes = std::move(quotes);
    emit quotesChanged();
}

void CheckoutModel::setDeals(QList<Deal> deals)
{
    m_deals = std::move(deals);
    emit dealsChanged();
}

void CheckoutModel::setTransactions(QList<CheckoutTransaction> transactions)
{
    m_transactions = std::move(transactions);
    emit transactionsChanged();
}

void CheckoutModel::setArchivedRequests(QList<ArchivedWorkspaceRequest> list)
{
    m_archivedRequests = std::move(list);
    emit archivedRequestsChanged();
}

void CheckoutModel::setTransaction(std::optional<CheckoutTransaction> transaction)
{
    m_transaction = std::move(transaction);
    emit transactionChanged();
}

void CheckoutModel::setError(std::optional<QString> error)
{
    m_error = std::move(error);
    emit errorChanged();
}

void CheckoutModel::setNotice(std::optional<QString> notice)
{
    m_notice = std::move(notice);
    emit noticeChanged();
}

void CheckoutModel::setBusy(bool busy)
{
    m_busy = busy;
    emit busyChanged();
}

void CheckoutModel::setCatalogBusy(bool busy)
{
    m_catalogBusy = busy;
    emit catalogBusyChanged();
}

void CheckoutModel::setCatalogAt(std::optional<QDateTime> at)
{
    m_catalogAt = std::move(at);
    emit catalogAtChanged();
}

void CheckoutModel::setPaymentsEnabled(bool enabled)
{
    m_paymentsEnabled = enabled;
    emit paymentsEnabledChanged();
}

void CheckoutModel::setPaymentRoute(const QString &route)
{
    m_paymentRoute = route;
    emit paymentRouteChanged();
}

void CheckoutModel::setAccountingMode(const QString &mode)
{
    m_accountingMode = mode;
    emit accountingModeChanged();
}

void CheckoutModel::setPaymentsSetupMessage(const QString &message)
{
    m_paymentsSetupMessage = message;
    emit paymentsSetupMessageChanged();
}

// ---- start-up and conventions ------------------------------------------------

void CheckoutModel::launch(QCoro::Task<> task)
{
    swallowFailures(std::move(task));
}

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
    QString method = QStringLiteral("POST");
    QString path = QStringLiteral("/api/logout");
    Empty body;
    CancellationToken never;
    try {
        co_await client->send<Empty>(method, path, body, never);
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
    m_draft = std::move(draft);
    emit draftChanged();
    try {
        persistDraft(m_draft);
    } catch (...) {
        // Other write failures (signed out, full disk) keep the change on
        // screen without a message; the protected file deserves one.
        if (m_draftRecoveryBlocked) setError(QString::fromUtf8(messages::protectedDraftError));
    }
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

// ---- QML views -----------------------------------------------------------------

QVariant CheckoutModel::sessionValue() const
{
    if (!m_session) return {};
    return QVariantMap{{QStringLiteral("user"), m_session->user},
                       {QStringLiteral("demo"), m_session->demo}};
}

QJsonArray CheckoutModel::productsArray() const { return jsonArray(m_products); }
QJsonArray CheckoutModel::taxesArray() const { return jsonArray(m_taxes); }
QJsonArray CheckoutModel::customersArray() const { return jsonArray(m_customers); }
QJsonArray CheckoutModel::quotesArray() const { return jsonArray(m_quotes); }
QJsonArray CheckoutModel::dealsArray() const { return jsonArray(m_deals); }
QJsonArray CheckoutModel::transactionsArray() const { return jsonArray(m_transactions); }
QJsonArray CheckoutModel::archivedRequestsArray() const { return jsonArray(m_archivedRequests); }
QJsonObject CheckoutModel::draftObject() const { return toJsonObject(m_draft, KeyStyle::Storage); }

QVariant CheckoutModel::customerSearchErrorValue() const
{
    return m_customerSearchError ? QVariant(*m_customerSearchError) : QVariant();
}

QVariant CheckoutModel::transactionValue() const
{
    return m_transaction ? QVariant(toJsonObject(*m_transaction, KeyStyle::Storage)) : QVariant();
}

QVariant CheckoutModel::errorValue() const { return m_error ? QVariant(*m_error) : QVariant(); }
QVariant CheckoutModel::noticeValue() const { return m_notice ? QVariant(*m_notice) : QVariant(); }
QDateTime CheckoutModel::catalogAtValue() const { return m_catalogAt.value_or(QDateTime()); }

} // namespace vantrel
