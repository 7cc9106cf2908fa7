#include "CheckoutModel.h"

#include "AtomicFile.h"
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
#include "server/BrowserSignIn.h"
#include "server/ZohoLogin.h"

#include <QSettings>

#include <QCoreApplication>

namespace vantrel {

namespace {} // namespace

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
    m_api = std::make_unique<APIClient>();
    m_images = std::make_unique<ProductImageStore>();
    m_login = std::make_unique<ZohoLogin>(m_services.browser);
    if (m_services.browser)
        connect(m_services.browser, &BrowserSignIn::waitingChanged, this,
                &CheckoutModel::signInWaitingChanged);
    if (m_services.buildInformation) m_login->setBuildInformation(*m_services.buildInformation);
    m_workspaceGeneration = QUuid::createUuid();
    m_storageDirectory = std::move(storageDirectory);

    // The quote part reads the checkout part's state as it starts.
    m_catalogPart = new CatalogPart(*this);
    m_customersPart = new CustomersPart(*this);
    m_checkoutPart = new CheckoutPart(*this);
    m_historyPart = new HistoryPart(*this);
    m_quotePart = new QuotePart(*this);
    m_catalogPart->attachQuote(m_quotePart);
}

CheckoutModel::~CheckoutModel()
{
    // Tasks that the client's aborts resume below (a start-up load waiting
    // for its reply) must find a workspace that moved on: otherwise they go
    // on to their next request through a client that is being destroyed,
    // whose reply never ends, and the task behind it waits for ever.
    m_workspaceGeneration = QUuid::createUuid();
    // Background loops hold their part weakly; make sure none of them issues
    // another request once it wakes up.
    m_catalogPart->stop();
    m_checkoutPart->stopWatching();
    m_customersPart->cancelSearch();
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
    // Another user's (or nobody's) account is not loaded yet.
    m_accountLoaded = false;
    m_loadsRunning = false;
    m_session = std::move(session);
    emit sessionChanged();
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

// ---- start-up and conventions ------------------------------------------------

QCoro::Task<> CheckoutModel::start()
{
    // A draft write cut short by a kill or a power loss leaves a temporary
    // copy with customer details that nothing else would ever remove.
    static const QRegularExpression workspaceFile(
        QRegularExpression::anchoredPattern(QStringLiteral("draft-[0-9a-f]{64}(\\.requests)?\\.json")));
    const QString storage = storageDirectoryPath();
    if (!storage.isEmpty()) AtomicFile::removeLeftovers(storage, workspaceFile);

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
    // Someone signed in while the keychain was being read: theirs wins. A
    // session read for another address is not this server's.
    if (m_session || m_server != account) co_return;
    // A browser sign-in started meanwhile is no longer needed: the person is
    // signed in. Left running, it would hold the busy flag (and drop the
    // account load below) for as long as the browser waits.
    if (m_busy) {
        m_login->cancel();
        cancelBackgroundWork();
    }

    adoptSession(*session);
    co_await refreshAll();
    if (!self) co_return;
    if (m_restoreWarning) setNotice(m_restoreWarning);
}

QCoro::Task<> CheckoutModel::refreshAll() { co_await loadWorkspaceData(true); }

QCoro::Task<> CheckoutModel::loadWorkspaceData(bool everything)
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    // Stays set when a reset or reopen cuts these loads off.
    m_loadsRunning = true;
    if (everything || !m_accountLoaded) {
        // (named: see APIClient.h)
        std::function<QCoro::Task<>()> load = [this] { return m_checkoutPart->loadAccount(); };
        const bool loaded = co_await performBusy(std::move(load));
        if (!self || m_workspaceGeneration != generation || !m_session) co_return;
        if (loaded) m_accountLoaded = true;
    }
    // The time stamp outlives a sign-out, the products do not.
    if (everything || !m_catalogPart->catalogAt() || m_catalogPart->products().isEmpty()) {
        co_await m_catalogPart->refreshCatalog();
        if (!self || m_workspaceGeneration != generation || !m_session) co_return;
    }
    m_loadsRunning = false;
    m_catalogPart->startCatalogTimer();
}

void CheckoutModel::resumeWorkspaceLoads()
{
    if (!m_session) return;
    // A reset or reopen cuts off the loads in flight with the old workspace:
    // what the start-up or sign-in had not loaded yet is loaded now, once,
    // rather than at the catalog loop's next turn or never. Loads that had
    // ended (a failed one included) are left to the loop and the screens.
    if (m_loadsRunning)
        launch(loadWorkspaceData(false));
    else
        m_catalogPart->startCatalogTimer();
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
    m_checkoutPart->stopWatching();
    m_api->renewGeneration();
    m_catalogPart->stop();
    m_customersPart->cancelSearch();
    setBusy(false);
}

// ---- sign-in and sign-out ----------------------------------------------------

bool CheckoutModel::signInWaiting() const { return m_services.browser && m_services.browser->isWaiting(); }

void CheckoutModel::cancelSignIn() { m_login->cancel(); }

QCoro::Task<bool> CheckoutModel::signIn()
{
    // A second tap while the browser waits (the person closed the tab) opens
    // the same sign-in again instead of being dropped as a busy operation.
    if (signInWaiting()) {
        m_login->reopen();
        co_return false;
    }
    // (named: see APIClient.h)
    std::function<QCoro::Task<>()> steps = [this] { return signInSteps(); };
    const bool signedIn = co_await performBusy(steps);
    co_return signedIn;
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

QCoro::Task<> CheckoutModel::removeStoredSession(QPointer<CheckoutModel> model, SessionStore *sessions,
                                                 QString account)
{
    try {
        co_await sessions->remove(account);
    } catch (const SessionStoreError &failure) {
        // Still stored: the person must know the next launch signs back in.
        if (model) model->setError(failure.text());
    } catch (...) {
        if (model) model->setError(errorDescription(std::current_exception()));
    }
}

void CheckoutModel::adoptSession(Session session)
{
    m_api->setBase(m_server);
    m_api->setToken(session.token);
    setSession(std::move(session));
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
    // The store runs the removal after any write still pending for this
    // address, so the session cannot come back at the next launch.
    launch(removeStoredSession(this, m_sessions, m_server));
    m_images->clear();
    setSession(std::nullopt);
    m_api->setToken(QString());

    m_catalogPart->setProducts({});
    m_customersPart->setCustomers({});
    m_customersPart->setQuotes({});
    m_customersPart->setDeals({});
    m_historyPart->setTransactions({});
    m_historyPart->forgetLoads();
    m_activeArchiveID.reset();
    m_historyPart->setArchivedRequests({});
    m_checkoutPart->setTransaction(std::nullopt);
    // Signed out there is no draft file, so the user's file keeps its content.
    setDraft(Draft::make());
    m_checkoutPart->resetAccount();

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
        draftWriteWorked();
    } catch (...) {
        // Signed out there is no file to write and nothing to lose.
        if (m_draftRecoveryBlocked)
            setError(QCoreApplication::translate("Workspace", messages::protectedDraftError));
        else if (draftFileURL())
            draftWriteFailed(std::current_exception());
    }
}

void CheckoutModel::draftWriteFailed(const std::exception_ptr &failure)
{
    // Every edit would fail the same way: one message until writing works.
    if (m_draftWriteFailing) return;
    m_draftWriteFailing = true;
    setError(QCoreApplication::translate("Workspace", messages::changesNotSaved) + errorDescription(failure));
}

void CheckoutModel::draftWriteWorked()
{
    if (!m_draftWriteFailing) return;
    m_draftWriteFailing = false;
    if (m_error && m_error->startsWith(QCoreApplication::translate("Workspace", messages::changesNotSaved)))
        setError(std::nullopt);
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
    if (m_draftRecoveryBlocked)
        throw APIError{QCoreApplication::translate("Workspace", messages::draftProtected)};
    const Draft previous = m_draft;
    m_draft = std::move(draft);
    try {
        persistDraft(m_draft);
    } catch (...) {
        m_draft = previous;
        throw APIError{label + QCoreApplication::translate("Workspace", messages::notStoredSuffix)};
    }
    draftWriteWorked();
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
           liveCheckoutShown();
}

bool CheckoutModel::liveCheckoutShown() const
{
    const std::optional<CheckoutTransaction> &shown = m_checkoutPart->transaction();
    return shown && shown->status != QLatin1String("canceled");
}

bool CheckoutModel::canStartCheckout() const
{
    return m_checkoutPart->paymentsEnabled() && savedQuoteReady() && !m_draft.dirty && !editingLocked();
}

void CheckoutModel::ensureStored(const QString &label)
{
    try {
        persistDraft(m_draft);
    } catch (...) {
        if (m_draftRecoveryBlocked) throw;
        throw APIError{label + QCoreApplication::translate("Workspace", messages::notStoredSuffix)};
    }
    draftWriteWorked();
}

} // namespace vantrel
