#pragma once
// The workspace of the checkout client: who is signed in where, the quote
// being edited (the draft) and its files, the message slots and the busy
// convention. It owns the client, the session, the generations and the
// services, and hands the rest to its parts, each exposed to the screens as
// a constant property:
//   catalog    products, taxes, the catalog loop            (CatalogPart)
//   customers  search, the customer's quotes and deals, creation (CustomersPart)
//   quote      edits, open, save, deals                     (QuotePart)
//   checkout   account settings, start, watch, recovery, after payment (CheckoutPart)
//   history    the checkout list and the saved work         (HistoryPart)
//
// Main-thread confined; no locks. Operations that wait are QCoro coroutines
// (parameters by value; after every co_await they re-check that the
// workspace is alive and still the same, see WorkspaceGuard); awaited calls
// name their operands first (see APIClient.h).
//
// CheckoutModel.cpp holds the conventions, start-up and sign-in/out;
// CheckoutModelPersistence.cpp the workspace files, reset and reopen.

#include "Launch.h"
#include "TaskHandle.h"

#include "records/BuildConfiguration.h"
#include "records/Money.h"
#include "records/Quote.h"
#include "records/Reference.h"
#include "records/Requests.h"
#include "records/Workspace.h"

#include <QCoroTask>
#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QUuid>
#include <QVariant>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QSettings;

namespace vantrel {

class APIClient;
class BrowserSignIn;
class CatalogPart;
class CheckoutPart;
class CustomersPart;
class HistoryPart;
class PrintService;
class ProductImageStore;
class QuotePart;
class SessionStore;
class ZohoLogin;

// Platform services and timings the model uses; tests replace them. Pointers
// are not owned and must outlive the model; null means "the platform default"
// where one exists (keychain session store, QSettings) and "not available"
// otherwise (browser, printing).
struct CheckoutModelServices {
    SessionStore *sessions = nullptr;
    BrowserSignIn *browser = nullptr;
    PrintService *printer = nullptr;
    QSettings *settings = nullptr;
    // The build configuration; the process-wide one when absent.
    std::optional<CheckoutBuildConfiguration> build;
    // Build information handed to sign-in instead of this binary's own.
    std::optional<QVariantMap> buildInformation;

    std::chrono::milliseconds catalogInterval{60'000};
    std::chrono::milliseconds pollInterval{3'000};
    std::chrono::milliseconds searchDebounce{250};
};

class CheckoutModel : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("workflow/CatalogPart.h")
    Q_MOC_INCLUDE("workflow/CheckoutPart.h")
    Q_MOC_INCLUDE("workflow/CustomersPart.h")
    Q_MOC_INCLUDE("workflow/HistoryPart.h")
    Q_MOC_INCLUDE("workflow/QuotePart.h")

public:
    // Which workspace pane is in front where only one fits.
    enum class WorkspaceTab { products, quote };
    Q_ENUM(WorkspaceTab)

private:
    Q_PROPERTY(WorkspaceTab selectedWorkspaceTab READ selectedWorkspaceTab WRITE setSelectedWorkspaceTab
                   NOTIFY selectedWorkspaceTabChanged)
    Q_PROPERTY(QString server READ server WRITE setServer NOTIFY serverChanged)
    Q_PROPERTY(bool signedIn READ signedIn NOTIFY sessionChanged)
    // The signed-in user and the demo flag; the token never reaches QML.
    Q_PROPERTY(QString user READ userName NOTIFY sessionChanged)
    Q_PROPERTY(bool demo READ isDemo NOTIFY sessionChanged)
    // Empty when the slot holds nothing.
    Q_PROPERTY(QString error READ errorText NOTIFY errorChanged)
    Q_PROPERTY(QString notice READ noticeText NOTIFY noticeChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    // The browser is open at the sign-in page and the app waits for it.
    Q_PROPERTY(bool signInWaiting READ signInWaiting NOTIFY signInWaitingChanged)
    Q_PROPERTY(bool serverPinned READ serverPinned CONSTANT)
    Q_PROPERTY(vantrel::CatalogPart *catalog READ catalogPart CONSTANT)
    Q_PROPERTY(vantrel::CustomersPart *customers READ customersPart CONSTANT)
    Q_PROPERTY(vantrel::QuotePart *quote READ quotePart CONSTANT)
    Q_PROPERTY(vantrel::CheckoutPart *checkout READ checkoutPart CONSTANT)
    Q_PROPERTY(vantrel::HistoryPart *history READ historyPart CONSTANT)

public:
    // Reads nothing from disk or keychain and sends nothing.
    explicit CheckoutModel(CheckoutModelServices services = {},
                           std::optional<QString> storageDirectory = std::nullopt, QObject *parent = nullptr);
    ~CheckoutModel() override;

    // ---- Fields ----------------------------------------------------------------
    WorkspaceTab selectedWorkspaceTab() const { return m_selectedWorkspaceTab; }
    QString server() const { return m_server; }
    const std::optional<Session> &session() const { return m_session; }
    const Draft &draft() const { return m_draft; }
    const std::optional<QString> &error() const { return m_error; }
    const std::optional<QString> &notice() const { return m_notice; }
    bool busy() const { return m_busy; }
    APIClient &api() const { return *m_api; }
    ProductImageStore &images() const { return *m_images; }
    ZohoLogin &login() const { return *m_login; }
    QUuid workspaceGeneration() const { return m_workspaceGeneration; }
    const std::optional<QString> &activeArchiveID() const { return m_activeArchiveID; }
    const std::optional<QString> &restoreWarning() const { return m_restoreWarning; }
    bool draftRecoveryBlocked() const { return m_draftRecoveryBlocked; }
    const std::optional<QString> &storageDirectory() const { return m_storageDirectory; }
    const CheckoutModelServices &services() const { return m_services; }
    const CheckoutBuildConfiguration &buildConfiguration() const { return m_build; }
    CatalogPart *catalogPart() const { return m_catalogPart; }
    CustomersPart *customersPart() const { return m_customersPart; }
    QuotePart *quotePart() const { return m_quotePart; }
    CheckoutPart *checkoutPart() const { return m_checkoutPart; }
    HistoryPart *historyPart() const { return m_historyPart; }
    // How many times the draft file was written since the model was made.
    int draftWrites() const { return m_draftWrites; }

    // A preview build keeps its pinned address whatever is assigned.
    void setServer(const QString &server);
    void setSelectedWorkspaceTab(WorkspaceTab tab);
    // Messages of the operations; a new one replaces the old.
    void setError(std::optional<QString> error);
    void setNotice(std::optional<QString> notice);

    // ---- Start-up, conventions, sign-in (CheckoutModel.cpp) ----------------
    QCoro::Task<> start();
    // Signs in with a session already in hand (read from the keychain at
    // start-up, or made by a sign-in): the client takes the address and the
    // token, and the user's workspace files are read. Nothing is sent.
    void adoptSession(Session session);
    QCoro::Task<> refreshAll();
    // After a reset or reopen: when it cut off the loads that were running,
    // loads what the workspace still lacks (account and taxes, catalog); then
    // the catalog loop restarts.
    void resumeWorkspaceLoads();
    // Runs one user operation under the busy flag. The operation is made only
    // when it will run (QCoro tasks start at once): pass a plain function that
    // calls a member coroutine, never a coroutine lambda. Returns true when the
    // operation ran and succeeded; false when it was dropped or failed.
    QCoro::Task<bool> performBusy(std::function<QCoro::Task<>()> operation);
    void cancelBackgroundWork();
    // True when this sign-in produced the session (not when it was dropped,
    // reopened, cancelled or failed).
    QCoro::Task<bool> signIn();
    // Local sign-out at once; the server logout runs in the background with
    // the old token.
    void signOut();
    // Publishes the draft and writes the draft file (once).
    void setDraft(Draft draft);
    // Publishes a draft that is already on disk (or must not be written).
    void publishDraft(Draft draft);
    // One user edit: refused (false) while editing is locked; otherwise the
    // change, its mark as edited and its new save request id are one draft
    // change and one file write. A change that changes nothing writes nothing.
    bool editDraft(const std::function<void(Draft &)> &change);
    // Publishes a draft that carries a request about to be sent and writes
    // it; throws (publishing nothing) when it cannot be stored, with the
    // label of the request in the message.
    void storeDraft(Draft draft, const QString &label);
    // Writes the workspace before a request is re-sent; throws like storeDraft.
    void ensureStored(const QString &label);
    bool draftWriteFailing() const { return m_draftWriteFailing; }
    // Marks a draft edited with a new save request id, without publishing it.
    static void markEdited(Draft &draft);
    Decimal draftSubtotal() const;
    bool savedQuoteReady() const;
    bool canStartCheckout() const;
    bool editingLocked() const;
    // A checkout other than a canceled one is shown: the quote is being paid.
    bool liveCheckoutShown() const;

    // ---- Workspace files and saved requests (CheckoutModelPersistence.cpp) --
    void restoreWorkspace();
    void persistDraft(const Draft &draft); // throws
    std::optional<QString> draftFileURL() const;
    QString requestsFileURL() const; // throws
    QList<ArchivedWorkspaceRequest> loadArchivedRequests() const; // throws
    void saveArchivedRequests(const QList<ArchivedWorkspaceRequest> &list) const; // throws
    QList<ArchivedWorkspaceRequest> archiveCurrentWorkspace(bool includeUnkeyed); // throws
    std::optional<CheckoutTransaction> archivableTransaction(const CheckoutTransaction &transaction) const;
    static QStringList requestKeys(const Draft &draft);
    static bool hasWork(const Draft &draft);
    void releaseActiveArchiveEntry();
    // With keepUnsavedWork, a draft with work but no pending request is put
    // aside in saved work too, instead of being replaced.
    Q_INVOKABLE bool resetWorkspace(bool keepUnsavedWork = false);
    Q_INVOKABLE bool reopenArchivedRequest(const QString &id);
    // Drops a saved entry for good; refused (false, with the reason in the
    // error slot) while it holds a request whose outcome is not known, and
    // when the saved-requests file cannot be read or written.
    bool removeArchivedRequest(const QString &id);
    // SHA-256 of server followed by user, lower-case hex.
    static QString workspaceKey(const QString &server, const QString &user);

    // ---- The shell's view ------------------------------------------------------
    bool signedIn() const { return m_session.has_value(); }
    QString userName() const { return m_session ? m_session->user : QString(); }
    bool isDemo() const { return m_session && m_session->demo; }
    QString errorText() const { return m_error.value_or(QString()); }
    QString noticeText() const { return m_notice.value_or(QString()); }
    bool serverPinned() const { return m_build.isPreview; }
    Q_INVOKABLE void clearError() { setError(std::nullopt); }
    Q_INVOKABLE void clearNotice() { setNotice(std::nullopt); }
    Q_INVOKABLE void signOutNow() { signOut(); }
    bool signInWaiting() const;
    // Ends a waiting sign-in as the browser's own cancel does.
    Q_INVOKABLE void cancelSignIn();

signals:
    void selectedWorkspaceTabChanged();
    void serverChanged();
    void sessionChanged();
    void draftChanged();
    void errorChanged();
    void noticeChanged();
    void busyChanged();
    void signInWaitingChanged();

private:
    void draftWriteFailed(const std::exception_ptr &failure);
    void draftWriteWorked();
    static QCoro::Task<> logoutInBackground(std::shared_ptr<APIClient> client);
    static QCoro::Task<> removeStoredSession(QPointer<CheckoutModel> model, SessionStore *sessions,
                                             QString account);
    QCoro::Task<> signInSteps();
    // The account load, then the catalog, then the catalog loop; with
    // everything false, only what this session has not loaded yet.
    QCoro::Task<> loadWorkspaceData(bool everything);
    QString storageDirectoryPath() const;
    void setSession(std::optional<Session> session);
    void setBusy(bool busy);

    CheckoutModelServices m_services;
    CheckoutBuildConfiguration m_build;
    std::unique_ptr<SessionStore> m_ownedSessions;
    SessionStore *m_sessions = nullptr;

    WorkspaceTab m_selectedWorkspaceTab = WorkspaceTab::products;
    QString m_server;
    std::optional<Session> m_session;
    Draft m_draft;
    std::optional<QString> m_error;
    std::optional<QString> m_notice;
    bool m_busy = false;
    // The account, checkout list and taxes were loaded for this session.
    bool m_accountLoaded = false;
    // The loads after start-up, sign-in or a reset have not finished.
    bool m_loadsRunning = false;
    std::unique_ptr<APIClient> m_api;
    std::unique_ptr<ProductImageStore> m_images;
    std::unique_ptr<ZohoLogin> m_login;
    QUuid m_workspaceGeneration;
    std::optional<QString> m_activeArchiveID;
    std::optional<QString> m_restoreWarning;
    bool m_draftRecoveryBlocked = false;
    // The last draft write failed (a full disk, a folder gone read-only):
    // told once, cleared by the next write that works.
    bool m_draftWriteFailing = false;
    std::optional<QString> m_storageDirectory;
    int m_draftWrites = 0;
    CatalogPart *m_catalogPart = nullptr;
    CustomersPart *m_customersPart = nullptr;
    QuotePart *m_quotePart = nullptr;
    CheckoutPart *m_checkoutPart = nullptr;
    HistoryPart *m_historyPart = nullptr;
};

// Messages shown by the model core and its persistence, each in one place.
namespace messages {
inline const char *const protectedDraftError = QT_TRANSLATE_NOOP(
    "Workspace", "The original saved draft is unreadable and has been protected. Changes stay on screen but "
                 "cannot be saved until the file is recovered.");
inline const char *const draftProtected = QT_TRANSLATE_NOOP(
    "Workspace", "The saved draft is unreadable and its original file is protected. Recover a readable copy "
                 "before saving changes.");
inline const char *const signInBeforeSaving =
    QT_TRANSLATE_NOOP("Workspace", "Sign in before saving this workspace.");
// Followed by the system's reason.
inline const char *const changesNotSaved =
    QT_TRANSLATE_NOOP("Workspace", "Changes could not be saved on this device: ");
inline const char *const savedRequestsUnreadable = QT_TRANSLATE_NOOP(
    "Workspace", "Saved requests could not be read. The original file has been kept for recovery.");
inline const char *const draftUnreadable = QT_TRANSLATE_NOOP(
    "Workspace", "Saved workspace details could not be read. The original draft file has been kept for "
                 "recovery.");
inline const char *const savedRequestsNeedReview =
    QT_TRANSLATE_NOOP("Workspace", "Saved requests need review before resetting.");
inline const char *const resetFailed = QT_TRANSLATE_NOOP(
    "Workspace", "The saved request could not be stored safely. Your current workspace has been kept.");
inline const char *const reopenFailed = QT_TRANSLATE_NOOP(
    "Workspace", "The saved request could not be opened safely. Your current workspace has been kept.");
inline const char *const resetDone =
    QT_TRANSLATE_NOOP("Workspace", "Workspace reset. Saved requests and payments remain in Transactions.");
inline const char *const reopenDone =
    QT_TRANSLATE_NOOP("Workspace", "Saved request reopened. Resume it to check the original result.");
inline const char *const removePending = QT_TRANSLATE_NOOP(
    "Workspace",
    "This saved work holds a request whose outcome is not known yet. Open it and resume the request; "
    "once it is settled, the entry leaves this list by itself.");
inline const char *const removeFailed = QT_TRANSLATE_NOOP(
    "Workspace", "The saved work could not be removed safely. Saved requests were kept as they are.");
} // namespace messages

using WorkspaceTab = CheckoutModel::WorkspaceTab;

} // namespace vantrel
