#pragma once
// The one workspace model of the checkout client: who is signed in where, the
// catalog, the quote being edited, the current checkout and the lists the
// screens show.
//
// Main-thread confined; no locks. Operations that wait are QCoro coroutines
// (parameters by value; after every co_await they re-check that the model is
// alive and that the workspace generation and their task handle are still
// current). Screens bind to the Q_PROPERTY fields and call the Q_INVOKABLE
// entry points, which start the coroutines fire-and-forget.
//
// The implementation is split by concern:
//   CheckoutModel.cpp             fields, conventions, start-up, sign-in/out
//   CheckoutModelActions.cpp      the fire-and-forget entry points for QML
//   CheckoutModelPersistence.cpp  workspace files, saved requests, reset, reopen
//   CheckoutModelRefresh.cpp      account, taxes, checkout list, catalog loop
//   CheckoutModelCustomers.cpp    customer search, selection and creation
//   CheckoutModelQuotes.cpp       quote open, edit and save, deals
//   CheckoutModelCheckout.cpp     checkout start, payment watch, recovery
//   CheckoutModelPostPayment.cpp  hold, receipt, printing, next sale

#include "Launch.h"
#include "TaskHandle.h"

#include "records/BuildConfiguration.h"
#include "records/CheckoutTransaction.h"
#include "records/Money.h"
#include "records/Quote.h"
#include "records/Reference.h"
#include "records/Requests.h"
#include "records/Workspace.h"

#include <QCoroTask>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QUuid>
#include <QVariant>

#include <chrono>
#include <exception>
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
class QuotePart;
class PrintService;
class ProductImageStore;
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

    // What the app shell binds to; the workspace's lists and actions live in
    // its parts below. No record and no list reaches QML as JSON.
    Q_PROPERTY(WorkspaceTab selectedWorkspaceTab READ selectedWorkspaceTab
                   WRITE setSelectedWorkspaceTab NOTIFY selectedWorkspaceTabChanged)
    Q_PROPERTY(QString server READ server WRITE setServer NOTIFY serverChanged)
    Q_PROPERTY(bool signedIn READ signedIn NOTIFY sessionChanged)
    // The signed-in user and the demo flag; the token never reaches QML.
    Q_PROPERTY(QString user READ userName NOTIFY sessionChanged)
    Q_PROPERTY(bool demo READ isDemo NOTIFY sessionChanged)
    // Empty when the slot holds nothing.
    Q_PROPERTY(QString error READ errorText NOTIFY errorChanged)
    Q_PROPERTY(QString notice READ noticeText NOTIFY noticeChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(bool serverPinned READ serverPinned CONSTANT)
    Q_PROPERTY(vantrel::CatalogPart *catalog READ catalogPart CONSTANT)
    Q_PROPERTY(vantrel::CustomersPart *customers READ customersPart CONSTANT)
    Q_PROPERTY(vantrel::QuotePart *quote READ quotePart CONSTANT)
    Q_PROPERTY(vantrel::CheckoutPart *checkout READ checkoutPart CONSTANT)
    Q_PROPERTY(vantrel::HistoryPart *history READ historyPart CONSTANT)

public:
    // Reads nothing from disk or keychain and sends nothing.
    explicit CheckoutModel(CheckoutModelServices services = {},
                           std::optional<QString> storageDirectory = std::nullopt,
                           QObject *parent = nullptr);
    ~CheckoutModel() override;

    // ---- Fields (C++ view) ------------------------------------------------
    WorkspaceTab selectedWorkspaceTab() const { return m_selectedWorkspaceTab; }
    QString server() const { return m_server; }
    const std::optional<Session> &session() const { return m_session; }
    const QList<Product> &products() const { return m_products; }
    const QList<Tax> &taxes() const { return m_taxes; }
    const QList<Customer> &customers() const { return m_customers; }
    bool customerSearchBusy() const { return m_customerSearchBusy; }
    const std::optional<QString> &customerSearchError() const { return m_customerSearchError; }
    const QList<Quote> &quotes() const { return m_quotes; }
    const QList<Deal> &deals() const { return m_deals; }
    const QList<CheckoutTransaction> &transactions() const { return m_transactions; }
    const QList<ArchivedWorkspaceRequest> &archivedRequests() const { return m_archivedRequests; }
    const Draft &draft() const { return m_draft; }
    const std::optional<CheckoutTransaction> &transaction() const { return m_transaction; }
    const std::optional<QString> &error() const { return m_error; }
    const std::optional<QString> &notice() const { return m_notice; }
    bool busy() const { return m_busy; }
    bool catalogBusy() const { return m_catalogBusy; }
    const std::optional<QDateTime> &catalogAt() const { return m_catalogAt; }
    bool paymentsEnabled() const { return m_paymentsEnabled; }
    QString paymentRoute() const { return m_paymentRoute; }
    QString accountingMode() const { return m_accountingMode; }
    QString paymentsSetupMessage() const { return m_paymentsSetupMessage; }
    APIClient &api() const { return *m_api; }
    ProductImageStore &images() const { return *m_images; }
    ZohoLogin &login() const { return *m_login; }
    const std::optional<TaskHandle> &poller() const { return m_poller; }
    const std::optional<TaskHandle> &catalogTimer() const { return m_catalogTimer; }
    const std::optional<TaskHandle> &customerSearchTask() const { return m_customerSearchTask; }
    QUuid watchGeneration() const { return m_watchGeneration; }
    QUuid workspaceGeneration() const { return m_workspaceGeneration; }
    const std::optional<QString> &activeArchiveID() const { return m_activeArchiveID; }
    const std::optional<QString> &restoreWarning() const { return m_restoreWarning; }
    bool draftRecoveryBlocked() const { return m_draftRecoveryBlocked; }
    const std::optional<QString> &storageDirectory() const { return m_storageDirectory; }
    const CheckoutModelServices &services() const { return m_services; }
    const CheckoutBuildConfiguration &buildConfiguration() const { return m_build; }

    // ---- Field assignment (main thread; every call notifies observers) ----
    void setSelectedWorkspaceTab(WorkspaceTab tab);
    // A preview build keeps its pinned address whatever is assigned.
    void setServer(const QString &server);
    void setSession(std::optional<Session> session);
    void setProducts(QList<Product> products);
    void setTaxes(QList<Tax> taxes);
    void setCustomers(QList<Customer> customers);
    void setCustomerSearchBusy(bool busy);
    void setCustomerSearchError(std::optional<QString> error);
    void setQuotes(QList<Quote> quotes);
    void setDeals(QList<Deal> deals);
    void setTransactions(QList<CheckoutTransaction> transactions);
    void setArchivedRequests(QList<ArchivedWorkspaceRequest> list);
    void setTransaction(std::optional<CheckoutTransaction> transaction);
    void setError(std::optional<QString> error);
    void setNotice(std::optional<QString> notice);
    void setBusy(bool busy);
    void setCatalogBusy(bool busy);
    void setCatalogAt(std::optional<QDateTime> at);
    void setPaymentsEnabled(bool enabled);
    void setPaymentRoute(const QString &route);
    void setAccountingMode(const QString &mode);
    void setPaymentsSetupMessage(const QString &message);

    // ---- Start-up, conventions, sign-in (CheckoutModel.cpp) ----------------
    QCoro::Task<> start();
    QCoro::Task<> refreshAll();
    // Runs one user operation under the busy flag. The operation is made only
    // when it will run (QCoro tasks start at once): pass a plain function that
    // calls a member coroutine, never a coroutine lambda. Returns true when the
    // operation ran and succeeded; false when it was dropped or failed.
    QCoro::Task<bool> performBusy(std::function<QCoro::Task<>()> operation);
    void cancelBackgroundWork();
    QCoro::Task<> signIn();
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
    Decimal draftSubtotal() const;
    bool savedQuoteReady() const;
    bool canStartCheckout() const;
    bool editingLocked() const;

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
    Q_INVOKABLE bool resetWorkspace();
    Q_INVOKABLE bool reopenArchivedRequest(const QString &id);
    // SHA-256 of server followed by user, lower-case hex.
    static QString workspaceKey(const QString &server, const QString &user);

    // ---- Account, taxes, checkout list, catalog (CheckoutModelRefresh.cpp) --
    QCoro::Task<> refreshAccount();
    QCoro::Task<> loadAccount(); // throws
    QCoro::Task<> loadTransactions(); // throws
    QCoro::Task<> refreshTransactions();
    QCoro::Task<> refreshCatalog();
    void startCatalogTimer();
    bool usesDailySquareImport() const;
    QString paymentsSetupNotice() const;

    // ---- Customers and deals (CheckoutModelCustomers.cpp) ------------------
    void searchCustomers(const QString &text);
    QCoro::Task<> selectCustomer(Customer customer);
    QCoro::Task<> loadQuotesAndDeals(Customer customer); // throws
    QCoro::Task<bool> createCustomer(NewCustomerRequest form);
    QCoro::Task<bool> recoverCustomerRequest(NewCustomerRequest request); // throws
    // The screens' resume of a pending creation, as a busy operation: true
    // when the customer is on the draft afterwards.
    QCoro::Task<bool> resumeCustomerRequest();
    void applyCreatedCustomer(const NewCustomerResponse &created);
    // Puts an aborted creation's details back into the form; false when the
    // draft's pending creation is not the one that was sent.
    static bool clearAbortedCustomer(Draft &draft, const NewCustomerRequest &sent);

    // ---- Quote open, edit and save (CheckoutModelQuotes.cpp) ----------------
    QCoro::Task<bool> openQuote(QString id, Customer customer);
    void loadQuote(const Quote &quote);
    // Loads the quote into the given draft and publishes it, in one write.
    void loadQuote(const Quote &quote, Draft draft);
    void markEdited();
    // Marks a draft edited with a new save request id, without publishing it.
    static void markEdited(Draft &draft);
    bool addProduct(const Product &product);
    QCoro::Task<> saveQuote();
    void ensureStored(const QString &label); // throws
    QCoro::Task<> selectDeal(std::optional<Deal> deal);
    QCoro::Task<> linkDeal(Quote quote, std::optional<Deal> deal); // throws
    QCoro::Task<> refreshDeal(QString id);

    // ---- Checkout, payment watch, recovery (CheckoutModelCheckout.cpp) -----
    // True when the shown transaction is a live checkout afterwards.
    QCoro::Task<bool> startCheckout(QString tender, QString cash);
    void watch(const CheckoutTransaction &transaction);
    QCoro::Task<> resume(CheckoutTransaction transaction);
    QCoro::Task<> cancelCheckout(CheckoutTransaction transaction);
    QCoro::Task<> recoverCheckoutRequest(); // throws
    QCoro::Task<> resumeCheckout();
    // Unlinks a draft whose checkout never started; false when the draft's
    // pending checkout is not the one that was sent.
    static bool clearAbortedCheckout(Draft &draft, const std::optional<CheckoutRequest> &sent);

    // ---- After payment (CheckoutModelPostPayment.cpp) ----------------------
    QCoro::Task<> setHold(bool hold);
    QCoro::Task<> requestReceipt();
    QCoro::Task<> printQuotePDF();
    QCoro::Task<> printInvoicePDF();
    QCoro::Task<> printDocument(QString path, QString jobName); // throws
    void startNextSale();

    Q_INVOKABLE void clearError() { setError(std::nullopt); }
    Q_INVOKABLE void clearNotice() { setNotice(std::nullopt); }
    Q_INVOKABLE void signOutNow() { signOut(); }

    // ---- The shell's view of the fields and the parts ---------------------
    bool signedIn() const { return m_session.has_value(); }
    QString userName() const { return m_session ? m_session->user : QString(); }
    bool isDemo() const { return m_session && m_session->demo; }
    QString errorText() const { return m_error.value_or(QString()); }
    QString noticeText() const { return m_notice.value_or(QString()); }
    bool serverPinned() const { return m_build.isPreview; }
    CatalogPart *catalogPart() const { return m_catalogPart; }
    CustomersPart *customersPart() const { return m_customersPart; }
    QuotePart *quotePart() const { return m_quotePart; }
    CheckoutPart *checkoutPart() const { return m_checkoutPart; }
    HistoryPart *historyPart() const { return m_historyPart; }
    // How many times the draft file was written since the model was made.
    int draftWrites() const { return m_draftWrites; }

signals:
    void selectedWorkspaceTabChanged();
    void serverChanged();
    void sessionChanged();
    void productsChanged();
    void taxesChanged();
    void customersChanged();
    void customerSearchBusyChanged();
    void customerSearchErrorChanged();
    void quotesChanged();
    void dealsChanged();
    void transactionsChanged();
    void archivedRequestsChanged();
    void draftChanged();
    void transactionChanged();
    void errorChanged();
    void noticeChanged();
    void busyChanged();
    void catalogBusyChanged();
    void catalogAtChanged();
    void paymentsEnabledChanged();
    void paymentRouteChanged();
    void accountingModeChanged();
    void paymentsSetupMessageChanged();

private:
    // The background loops; each holds the model weakly and its own handle.
    static QCoro::Task<> catalogLoop(QPointer<CheckoutModel> model, TaskHandle handle, QUuid generation);
    static QCoro::Task<> customerSearch(QPointer<CheckoutModel> model, TaskHandle handle, QString text);
    static QCoro::Task<> pollLoop(QPointer<CheckoutModel> model, TaskHandle handle, QUuid generation,
                                  QString transactionId, QString base, QString token);
    static QCoro::Task<> logoutInBackground(std::shared_ptr<APIClient> client);
    QCoro::Task<> signInSteps();
    // Bodies of the busy operations of the quote and customer work.
    QCoro::Task<> createCustomerSteps(NewCustomerRequest form);
    QCoro::Task<> openQuoteSteps(QString id, Customer customer);
    QCoro::Task<> saveQuoteSteps(Customer customer);
    QCoro::Task<> refreshDealSteps(QString id);
    QString storageDirectoryPath() const;

    CheckoutModelServices m_services;
    CheckoutBuildConfiguration m_build;
    std::unique_ptr<SessionStore> m_ownedSessions;
    SessionStore *m_sessions = nullptr;

    WorkspaceTab m_selectedWorkspaceTab = WorkspaceTab::products;
    QString m_server;
    std::optional<Session> m_session;
    QList<Product> m_products;
    QList<Tax> m_taxes;
    QList<Customer> m_customers;
    bool m_customerSearchBusy = false;
    std::optional<QString> m_customerSearchError;
    QList<Quote> m_quotes;
    QList<Deal> m_deals;
    QList<CheckoutTransaction> m_transactions;
    QList<ArchivedWorkspaceRequest> m_archivedRequests;
    Draft m_draft;
    std::optional<CheckoutTransaction> m_transaction;
    std::optional<QString> m_error;
    std::optional<QString> m_notice;
    bool m_busy = false;
    bool m_catalogBusy = false;
    std::optional<QDateTime> m_catalogAt;
    bool m_paymentsEnabled = false;
    QString m_paymentRoute;
    QString m_accountingMode;
    QString m_paymentsSetupMessage;
    std::unique_ptr<APIClient> m_api;
    std::unique_ptr<ProductImageStore> m_images;
    std::unique_ptr<ZohoLogin> m_login;
    std::optional<TaskHandle> m_poller;
    std::optional<TaskHandle> m_catalogTimer;
    std::optional<TaskHandle> m_customerSearchTask;
    QUuid m_watchGeneration;
    QUuid m_workspaceGeneration;
    std::optional<QString> m_activeArchiveID;
    std::optional<QString> m_restoreWarning;
    bool m_draftRecoveryBlocked = false;
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
inline const char *const protectedDraftError =
    "The original saved draft is unreadable and has been protected. Changes stay on screen but "
    "cannot be saved until the file is recovered.";
inline const char *const draftProtected =
    "The saved draft is unreadable and its original file is protected. Recover a readable copy "
    "before saving changes.";
inline const char *const signInBeforeSaving = "Sign in before saving this workspace.";
inline const char *const savedRequestsUnreadable =
    "Saved requests could not be read. The original file has been kept for recovery.";
inline const char *const draftUnreadable =
    "Saved workspace details could not be read. The original draft file has been kept for "
    "recovery.";
inline const char *const savedRequestsNeedReview = "Saved requests need review before resetting.";
inline const char *const resetFailed =
    "The saved request could not be stored safely. Your current workspace has been kept.";
inline const char *const reopenFailed =
    "The saved request could not be opened safely. Your current workspace has been kept.";
inline const char *const resetDone =
    "Workspace reset. Saved requests and payments remain in Transactions.";
inline const char *const reopenDone =
    "Saved request reopened. Resume it to check the original result.";
} // namespace messages

using WorkspaceTab = CheckoutModel::WorkspaceTab;

} // namespace vantrel
