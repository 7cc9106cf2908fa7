// The checkout of the workspace: the account's payment settings, starting a
// checkout, watching its status, recovering a request whose outcome is
// unknown, and what follows payment (hold, receipt, printing, next sale).
#include "CheckoutPart.h"

#include "CatalogPart.h"
#include "CheckoutModel.h"
#include "CustomersPart.h"
#include "HistoryPart.h"
#include "KeptRequest.h"
#include "Launch.h"
#include "WorkspaceGuard.h"
#include "WorkspaceLists.h"
#include "WorkflowLog.h"

#include "workflow/PrintService.h"
#include "records/TypedAmount.h"
#include "records/Uuid.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"

#include <QCoroFuture>
#include <QFuture>
#include <QPromise>
#include <QThreadPool>
#include <QCoreApplication>

namespace vantrel {

namespace {

// The workspace's messages below are kept as their English source and put
// into the person's language when they are raised.
QString workspaceText(const char *source) { return QCoreApplication::translate("Workspace", source); }

// Busy operations are named before they are awaited (see APIClient.h).
using BusyOperation = std::function<QCoro::Task<>()>;

const QString squareRegister = QStringLiteral("square_register");

const char *const saveBeforeCheckout =
    QT_TRANSLATE_NOOP("Workspace", "Save this draft as a new sent quote before starting checkout.");
const char *const reconnecting =
    QT_TRANSLATE_NOOP("Workspace", "Reconnecting. The transaction remains saved on the server.");
const char *const checkoutNeverStarted = QT_TRANSLATE_NOOP(
    "Workspace", "Checkout never started. Your customer and items are kept; save a new quote to continue.");
const char *const checkoutNeverStartedQuoteOpen = QT_TRANSLATE_NOOP(
    "Workspace",
    "Checkout never started. The quote is still open; start checkout again when the customer is ready.");
const char *const cashNotCovering =
    QT_TRANSLATE_NOOP("Workspace", "Enter the cash received; it must cover the amount due.");
const char *const unknownTender =
    QT_TRANSLATE_NOOP("Workspace", "Choose card or cash before starting checkout.");
const char *const otherTenderPending = QT_TRANSLATE_NOOP(
    "Workspace",
    "A checkout request is saved for another payment method. Check the saved request before changing it.");

bool isFinal(const QString &status)
{
    return status == QLatin1String(status::complete) || status == QLatin1String(status::canceled);
}

// The effects of a transaction reaching a final status: its request is no
// longer pending, and a canceled checkout of the saved quote needs a new
// request id so that a later attempt is a new checkout.
void settleFinal(CheckoutModel &model, const CheckoutTransaction &tx)
{
    Draft draft = model.draft();
    // Only the draft's own checkout releases the saved work it was opened
    // from: a finished checkout of another sale, looked at from the history,
    // settles nothing of this draft.
    const bool own = checkoutBelongsToDraft(draft, tx);
    if (draft.pendingCheckout && draft.pendingCheckout->requestId == tx.id) draft.pendingCheckout.reset();
    const bool canceled = tx.status == QLatin1String(status::canceled);
    if (canceled && !draft.pendingCheckout &&
        ((draft.saved && draft.saved->id == tx.quoteId) || draft.checkoutRequestId == tx.id))
        draft.checkoutRequestId = newUuidString();
    if (draft != model.draft()) model.setDraft(std::move(draft));
    if (own) model.releaseActiveArchiveEntry();
}

// Builds the request for a fresh checkout of the draft's saved quote.
// Throws APIError for tender input that the server could only refuse: such a
// request would be stored and re-sent unchanged, refused every time.
CheckoutRequest buildRequest(const CheckoutPart &part, const QString &tender, const QString &cash)
{
    const Draft &draft = part.workspace().draft();
    const bool registerRoute = part.paymentRoute() == QLatin1String(route::squareRegister);
    CheckoutRequest request;
    request.requestId = draft.checkoutRequestId;
    request.quoteId = draft.saved->id;
    request.expectedCents = cents(draft.saved->total);
    request.tender = registerRoute ? QStringLiteral("register") : tender;
    if (registerRoute) {
        request.cashCents = 0;
    } else if (tender == QLatin1String("cash")) {
        const TypedAmount typed = readTypedAmount(cash, cashReceivedLabel());
        if (!typed.problem.isEmpty()) throw APIError{typed.problem};
        request.cashCents = typedCents(typed);
        if (request.cashCents < request.expectedCents) throw APIError{workspaceText(cashNotCovering)};
    } else if (tender == QLatin1String("card")) {
        request.cashCents = request.expectedCents;
    } else {
        throw APIError{workspaceText(unknownTender)};
    }
    request.hold = part.usesDailySquareImport() ? false : draft.hold;
    return request;
}

// The server's copy of the draft's saved quote is still the quote the draft
// saved, and still one that can be checked out.
bool stillOpenAsSaved(const Draft &draft, const Quote &server)
{
    if (!draft.saved || draft.saved->id != server.id) return false;
    const bool ready = server.status == QLatin1String("sent") || server.status == QLatin1String("accepted");
    return ready && server.number == draft.saved->number && cents(server.total) == cents(draft.saved->total);
}

QCoro::Task<> sendCheckout(CheckoutPart *part, QString tender, QString cash)
{
    CheckoutModel *model = &part->workspace();
    const WorkspaceGuard guard(*model);
    CheckoutRequest request;
    if (model->draft().pendingCheckout) {
        // Stored before it was first sent; re-sent exactly as it is. A caller
        // asking for another tender would be told one payment and the server
        // another, so it is refused rather than quietly sent as stored.
        request = *model->draft().pendingCheckout;
        const bool registerRoute = request.tender == QLatin1String("register");
        if (!registerRoute && !tender.isEmpty() && tender != request.tender)
            throw APIError{workspaceText(otherTenderPending)};
        model->ensureStored(QStringLiteral("Checkout"));
    } else {
        request = buildRequest(*part, tender, cash);
        Draft draft = model->draft();
        draft.pendingCheckout = request;
        model->storeDraft(std::move(draft), QStringLiteral("Checkout"));
    }

    std::optional<CheckoutTransaction> reply;
    std::exception_ptr failure;
    try {
        reply = co_await CheckoutAPI::startCheckout(model->api(), request);
    } catch (...) {
        failure = std::current_exception();
    }
    guard.ensure();
    if (failure) {
        logRecovery("checkout", request.requestId, recoveryOutcomeOf(failure));
        if (!notCreated(createOutcome(failure))) rethrowKept(failure, resumeAction::checkSavedRequest);
        // A definite refusal started nothing: the stored request goes, so the
        // sheet unlocks with the server's reason, and a corrected start is a
        // new request.
        Draft draft = model->draft();
        if (draft.pendingCheckout == std::optional<CheckoutRequest>(request)) {
            draft.pendingCheckout.reset();
            draft.checkoutRequestId = newUuidString();
            model->setDraft(std::move(draft));
        }
        std::rethrow_exception(failure);
    }
    const CheckoutTransaction tx = *reply;
    // What the screen said about the steps before (the quote saved) is done
    // with once the payment is under way.
    model->setNotice(std::nullopt);
    part->watch(tx);
}

// A reply about the transaction that was acted on. It is shown only while
// that transaction still is; otherwise a final one still settles the request
// it answers, and the checkout on screen keeps its own state.
void applyReply(CheckoutPart *part, const QString &actedOn, const CheckoutTransaction &tx)
{
    if (part->transaction() && part->transaction()->id == actedOn) {
        part->watch(tx);
        return;
    }
    if (isFinal(tx.status)) settleFinal(part->workspace(), tx);
}

QCoro::Task<> resumeOnServer(CheckoutPart *part, QString id)
{
    CheckoutModel *model = &part->workspace();
    const WorkspaceGuard guard(*model);
    CheckoutTransaction tx = co_await CheckoutAPI::resumeCheckout(model->api(), id);
    guard.ensure();
    applyReply(part, id, tx);
}

QCoro::Task<> cancelOnServer(CheckoutPart *part, QString id)
{
    CheckoutModel *model = &part->workspace();
    const WorkspaceGuard guard(*model);
    CheckoutTransaction tx = co_await CheckoutAPI::cancelCheckout(model->api(), id);
    guard.ensure();
    applyReply(part, id, tx);
}

} // namespace

QCoro::Task<bool> CheckoutPart::startCheckout(QString tender, QString cash)
{
    if (!m_workspace.draft().saved) co_return false;
    if (!m_workspace.savedQuoteReady()) {
        m_workspace.setError(workspaceText(saveBeforeCheckout));
        co_return false;
    }
    BusyOperation operation = [this, tender, cash] { return sendCheckout(this, tender, cash); };
    const bool ran = co_await m_workspace.performBusy(std::move(operation));
    // A start that left a canceled transaction did not start anything.
    co_return (ran && m_transaction && m_transaction->status != QLatin1String(status::canceled));
}

void CheckoutPart::watch(const CheckoutTransaction &transaction)
{
    stopWatching();
    setTransaction(transaction);
    if (!isFinal(transaction.status)) {
        TaskHandle handle = TaskHandle::make();
        m_poller = handle;
        launch(pollLoop(QPointer<CheckoutPart>(this), handle, m_watchGeneration, transaction.id,
                        m_workspace.api().base(), m_workspace.api().token()));
        return;
    }
    settleFinal(m_workspace, transaction);
}

QCoro::Task<> CheckoutPart::pollLoop(QPointer<CheckoutPart> model, TaskHandle handle, QUuid generation,
                                     QString transactionId, QString base, QString token)
{
    // Every check reads the model afresh: it may have gone, or moved on to
    // another watch, another server or another user while this task slept.
    const auto stillCurrent = [&] {
        return model && !handle.isCancelled() && model->m_watchGeneration == generation &&
               model->m_workspace.api().base() == base && model->m_workspace.api().token() == token;
    };
    while (!handle.isCancelled()) {
        if (!model) co_return;
        co_await TaskHandle::sleep(handle, model->m_workspace.services().pollInterval);
        if (handle.isCancelled() || !model) co_return;

        std::optional<CheckoutTransaction> reply;
        std::exception_ptr failure;
        try {
            reply = co_await CheckoutAPI::checkout(model->m_workspace.api(), transactionId, handle.token());
        } catch (...) {
            failure = std::current_exception();
        }
        if (!stillCurrent()) co_return;
        if (failure) {
            if (isCancellation(failure)) co_return;
            model->m_workspace.setNotice(workspaceText(reconnecting));
            continue;
        }
        if (!model->m_transaction || model->m_transaction->id != transactionId) co_return;
        model->setTransaction(*reply);
        if (isFinal(reply->status)) {
            settleFinal(model->m_workspace, *reply);
            co_return;
        }
    }
}

QCoro::Task<> CheckoutPart::resume(CheckoutTransaction transaction)
{
    const QString id = transaction.id;
    BusyOperation operation = [this, id] { return resumeOnServer(this, id); };
    co_await m_workspace.performBusy(std::move(operation));
}

QCoro::Task<> CheckoutPart::cancelCheckout(CheckoutTransaction transaction)
{
    const QString id = transaction.id;
    BusyOperation operation = [this, id] { return cancelOnServer(this, id); };
    co_await m_workspace.performBusy(std::move(operation));
}

QCoro::Task<> CheckoutPart::resumeCheckout()
{
    // The draft's own request comes first: a checkout followed from the
    // history is not the one its saved request is waiting for.
    const std::optional<CheckoutRequest> &pending = m_workspace.draft().pendingCheckout;
    const bool showsPending = m_transaction && pending && m_transaction->id == pending->requestId;
    if (m_transaction && (!pending || showsPending)) {
        co_await resume(*m_transaction);
        co_return;
    }
    BusyOperation operation = [this] { return recoverCheckoutRequest(); };
    co_await m_workspace.performBusy(std::move(operation));
}

QCoro::Task<> CheckoutPart::recoverCheckoutRequest()
{
    if (!m_workspace.draft().pendingCheckout) co_return;
    QPointer<CheckoutPart> self(this);
    const CheckoutRequest sent = *m_workspace.draft().pendingCheckout;
    APIClient &api = m_workspace.api();
    const QString token = api.token();
    const QString base = api.base();
    const auto userOf = [](const std::optional<Session> &session) {
        return session ? std::optional<QString>(session->user) : std::nullopt;
    };
    const std::optional<QString> user = userOf(m_workspace.session());

    // A reply about an older server, session or request says nothing about
    // the workspace now on screen.
    const auto stillAbout = [&] {
        return api.token() == token && api.base() == base && userOf(m_workspace.session()) == user &&
               m_workspace.draft().pendingCheckout == std::optional<CheckoutRequest>(sent);
    };
    CheckoutRequestRecovery reply;
    try {
        reply = co_await CheckoutAPI::recoverCheckoutRequest(api, sent);
    } catch (...) {
        if (!isCancellation(std::current_exception()))
            logRecovery("checkout", sent.requestId, RecoveryOutcome::unknown);
        throw;
    }
    if (!self || !stillAbout()) co_return;

    try {
        reply.validate(sent);
    } catch (...) {
        logRecovery("checkout", sent.requestId, RecoveryOutcome::unknown);
        throw;
    }
    if (reply.transaction) {
        logRecovery("checkout", sent.requestId, RecoveryOutcome::found);
        watch(*reply.transaction);
        co_return;
    }

    // The start never arrived. When the server's copy of the quote is still
    // open and as the draft saved it, the same quote can be checked out again;
    // unlinking it would make the person save the same items under a second
    // number. A quote the server refuses to give (gone, say) is treated as
    // changed: unlinking is safe, keeping the request would leave nothing to
    // do but fail again.
    std::optional<Quote> server;
    std::exception_ptr fetchFailure;
    try {
        server = co_await CheckoutAPI::quote(api, sent.quoteId);
    } catch (...) {
        fetchFailure = std::current_exception();
    }
    if (!self || isCancellation(fetchFailure) || !stillAbout()) co_return;
    // No answer (the connection failed, a gateway or the server erred) is no
    // news that the quote changed: unlinking it on that would have the person
    // save the same items under a second number. The request stays for the
    // next check, which the server answers "aborted" again.
    if (fetchFailure && !notCreated(createOutcome(fetchFailure))) {
        logRecovery("checkout", sent.requestId, RecoveryOutcome::unknown);
        rethrowKept(fetchFailure, resumeAction::checkSavedRequest);
    }
    logRecovery("checkout", sent.requestId, RecoveryOutcome::notFound);
    if (server && stillOpenAsSaved(m_workspace.draft(), *server)) {
        Draft draft = m_workspace.draft();
        draft.pendingCheckout.reset();
        draft.checkoutRequestId = newUuidString();
        draft.saved = *server;
        m_workspace.setDraft(draft);
        m_workspace.releaseActiveArchiveEntry();
        stopWatching();
        setTransaction(std::nullopt);
        m_workspace.setNotice(workspaceText(checkoutNeverStartedQuoteOpen));
        m_workspace.setSelectedWorkspaceTab(WorkspaceTab::quote);
        co_return;
    }

    Draft draft = m_workspace.draft();
    if (!clearAbortedCheckout(draft, sent)) co_return;
    m_workspace.setDraft(draft);
    m_workspace.releaseActiveArchiveEntry();
    stopWatching();
    setTransaction(std::nullopt);
    CustomersPart &customers = *m_workspace.customersPart();
    QList<Quote> remaining = customers.quotes();
    remaining.removeIf([&](const Quote &quote) { return quote.id == sent.quoteId; });
    customers.setQuotes(remaining);
    m_workspace.setNotice(workspaceText(checkoutNeverStarted));
    m_workspace.setSelectedWorkspaceTab(WorkspaceTab::quote);
}

bool CheckoutPart::clearAbortedCheckout(Draft &draft, const std::optional<CheckoutRequest> &sent)
{
    // With nothing sent there is nothing to abandon: unlinking the saved
    // quote then would throw away a perfectly good quote.
    if (!sent || draft.pendingCheckout != sent) return false;
    draft.pendingCheckout.reset();
    draft.saved.reset();
    draft.sourceId.clear();
    draft.sourceNumber.clear();
    draft.dirty = true;
    draft.requestId = newUuidString();
    draft.checkoutRequestId = newUuidString();
    return true;
}

// ---- after payment ----------------------------------------------------------------------

namespace {

using PostBusyOperation = std::function<QCoro::Task<>()>;

const char *const demoReceipt =
    QT_TRANSLATE_NOOP("Workspace", "Demo receipt request completed. No physical receipt was printed.");
const char *const terminalReceipt = QT_TRANSLATE_NOOP("Workspace", "Receipt requested on Square Terminal.");
const char *const notPrintable = QT_TRANSLATE_NOOP("Workspace", "Zoho did not return a printable PDF.");
const char *const pageTooLargeToPrint = QT_TRANSLATE_NOOP(
    "Workspace", "This PDF has a page too large to print on this device. Nothing was printed.");
const char *const noPrintDialog = QT_TRANSLATE_NOOP("Workspace", "Unable to present the print dialog.");
const char *const finishPendingFirst =
    QT_TRANSLATE_NOOP("Workspace", "Resume the pending operation before starting a new sale.");
const char *const paidInvoiceJobName = QT_TRANSLATE_NOOP("Workspace", "Paid invoice");

} // namespace

QCoro::Task<> CheckoutPart::receiptOnServer(CheckoutPart *part, QString id, QString requestId)
{
    CheckoutModel *model = &part->workspace();
    const WorkspaceGuard guard(*model);
    std::exception_ptr failure;
    try {
        co_await CheckoutAPI::requestReceipt(model->api(), id, requestId);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!guard.alive()) co_return;
    // The id is spent once the server has answered; a request that may have
    // arrived keeps it, so asking again prints at most one receipt.
    const bool answered = !failure || notCreated(createOutcome(failure));
    if (answered && part->m_unansweredReceipt && part->m_unansweredReceipt->requestId == requestId)
        part->m_unansweredReceipt.reset();
    if (failure) std::rethrow_exception(failure);
    guard.ensure();
    const bool demo = model->session() && model->session()->demo;
    model->setNotice(workspaceText(demo ? demoReceipt : terminalReceipt));
}

QCoro::Task<> CheckoutPart::holdOnServer(CheckoutPart *part, QString id, bool hold)
{
    CheckoutModel *model = &part->workspace();
    const WorkspaceGuard guard(*model);
    std::optional<CheckoutTransaction> reply = co_await CheckoutAPI::holdCheckout(model->api(), id, hold);
    guard.ensure();
    // The reply belongs to the transaction it was asked for; one shown since
    // then keeps its own state.
    if (!part->transaction() || part->transaction()->id != id) co_return;
    part->setTransaction(std::move(reply));
}

QCoro::Task<> CheckoutPart::setHold(bool hold)
{
    if (!m_transaction) co_return;
    const QString id = m_transaction->id;
    PostBusyOperation operation = [this, id, hold] { return holdOnServer(this, id, hold); };
    co_await m_workspace.performBusy(std::move(operation));
}

QCoro::Task<> CheckoutPart::requestReceipt()
{
    if (!m_transaction) co_return;
    const QString id = m_transaction->id;
    if (!m_unansweredReceipt || m_unansweredReceipt->checkoutId != id)
        m_unansweredReceipt = UnansweredReceipt{id, newUuidString()};
    PostBusyOperation operation = [this, id, requestId = m_unansweredReceipt->requestId] {
        return receiptOnServer(this, id, requestId);
    };
    co_await m_workspace.performBusy(std::move(operation));
}

QCoro::Task<> CheckoutPart::printQuotePDF()
{
    const std::optional<Quote> &saved = m_workspace.draft().saved;
    if (!saved) co_return;
    const QString path = CheckoutAPI::quotePDFPath(saved->id);
    const QString jobName = saved->number;
    PostBusyOperation operation = [this, path, jobName] { return printDocument(path, jobName); };
    co_await m_workspace.performBusy(std::move(operation));
}

QCoro::Task<> CheckoutPart::printInvoicePDF()
{
    if (!m_transaction) co_return;
    const QString path = CheckoutAPI::checkoutPDFPath(m_transaction->id);
    const QString jobName = m_transaction->invoiceNumber.value_or(workspaceText(paidInvoiceJobName));
    PostBusyOperation operation = [this, path, jobName] { return printDocument(path, jobName); };
    co_await m_workspace.performBusy(std::move(operation));
}

// The service outlives the model that uses it, so the worker may hold it.
QCoro::Task<PrintService::Check> CheckoutPart::checkInBackground(PrintService *printer, QByteArray document)
{
    auto promise = std::make_shared<QPromise<PrintService::Check>>();
    QFuture<PrintService::Check> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, printer, document]() {
        PrintService::Check check = PrintService::Check::unreadable;
        try {
            check = printer->check(document);
        } catch (...) {}
        promise->addResult(check);
        promise->finish();
    });
    const PrintService::Check check = co_await future;
    co_return check;
}

QCoro::Task<> CheckoutPart::printDocument(QString path, QString jobName)
{
    const WorkspaceGuard guard(m_workspace);
    const QString method = QStringLiteral("GET");
    const QByteArray document =
        co_await m_workspace.api().request(method, path, std::nullopt, {}, {}, replyLimit::document);
    guard.ensure();
    PrintService *printer = m_workspace.services().printer;
    if (!printer) throw APIError{workspaceText(noPrintDialog)};
    QCoro::Task<PrintService::Check> checking = checkInBackground(printer, document);
    const PrintService::Check check = co_await checking;
    guard.ensure();
    if (check == PrintService::Check::unreadable) throw APIError{workspaceText(notPrintable)};
    if (check == PrintService::Check::pageTooLarge) throw APIError{workspaceText(pageTooLargeToPrint)};
    if (!printer->present(document, jobName)) throw APIError{workspaceText(noPrintDialog)};
}

void CheckoutPart::startNextSale()
{
    const Draft &draft = m_workspace.draft();
    const bool pending = draft.pendingCheckout || draft.pendingSave || draft.pendingCustomer;
    const bool live = m_transaction && m_transaction->status != QLatin1String(status::complete) &&
                      m_transaction->status != QLatin1String(status::canceled);
    if (pending || live) {
        m_workspace.setError(workspaceText(finishPendingFirst));
        return;
    }
    // A checkout followed from the history is not this draft's sale: the
    // draft's unsaved work is put aside in saved work rather than dropped.
    const bool followed = m_transaction && !checkoutBelongsToDraft(draft, *m_transaction);
    m_workspace.resetWorkspace(followed);
}

void CheckoutPart::showDraft()
{
    if (!m_transaction) return;
    const CheckoutTransaction shown = *m_transaction;
    stopWatching();
    m_workspace.historyPart()->keepFirst(shown);
    setTransaction(std::nullopt);
    m_workspace.setSelectedWorkspaceTab(WorkspaceTab::quote);
}

// ---- account ------------------------------------------------------------------------------

QCoro::Task<> CheckoutPart::refreshPaymentSettings()
{
    if (m_settingsLoading || !m_workspace.session()) co_return;
    QPointer<CheckoutPart> self(this);
    m_settingsLoading = true;
    const QUuid generation = m_workspace.workspaceGeneration();
    std::optional<Me> me;
    try {
        me = co_await CheckoutAPI::me(m_workspace.api());
    } catch (...) {
        // The last settings stay; the next opening or catalog refresh asks again.
    }
    if (!self) co_return;
    m_settingsLoading = false;
    if (me && m_workspace.workspaceGeneration() == generation) applyAccount(*me);
}

QCoro::Task<> CheckoutPart::refreshAccount()
{
    std::function<QCoro::Task<>()> load = [this] { return loadAccount(); };
    co_await m_workspace.performBusy(std::move(load));
}

QCoro::Task<> CheckoutPart::loadAccount()
{
    const WorkspaceGuard guard(m_workspace);

    const Me me = co_await CheckoutAPI::me(m_workspace.api());
    guard.ensure();
    applyAccount(me);

    HistoryPart &history = *m_workspace.historyPart();
    co_await history.loadTransactions();
    guard.ensure();
    const QList<CheckoutTransaction> &transactions = history.transactions();
    const Draft &draft = m_workspace.draft();

    // Re-attach to the checkout the draft was waiting for, as the draft is now.
    if (draft.pendingCheckout) {
        const QString requestId = draft.pendingCheckout->requestId;
        const auto listed = std::find_if(transactions.cbegin(), transactions.cend(),
                                         [&](const CheckoutTransaction &t) { return t.id == requestId; });
        if (listed != transactions.cend()) {
            watch(*listed);
        } else {
            co_await recoverCheckoutRequest();
            guard.ensure();
        }
    } else if (!draft.pendingSave && !draft.pendingCustomer && draft.saved) {
        const QString quoteId = draft.saved->id;
        const auto live =
            std::find_if(transactions.cbegin(), transactions.cend(), [&](const CheckoutTransaction &t) {
                return t.quoteId == quoteId && t.status != QLatin1String("canceled");
            });
        if (live != transactions.cend()) watch(*live);
    }

    TaxesResponse taxes = co_await CheckoutAPI::taxes(m_workspace.api());
    guard.ensure();
    m_workspace.catalogPart()->setTaxes(std::move(taxes.taxes));
}

bool CheckoutPart::usesDailySquareImport() const
{
    return m_paymentRoute == squareRegister && m_accountingMode == QLatin1String("native_square_summary");
}

QString CheckoutPart::paymentsSetupNotice() const
{
    const QString message = m_paymentsSetupMessage.trimmed();
    if (!message.isEmpty()) return message;
    if (m_paymentRoute == squareRegister)
        return QCoreApplication::translate(
            "Workspace", "Square Register setup needs to be completed before preparing invoices.");
    return QCoreApplication::translate("Workspace", "Payment setup is required on the server.");
}

} // namespace vantrel
