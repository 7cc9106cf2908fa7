// Checkout start, payment-status watching and the recovery of a checkout
// request whose outcome the app does not know.
#include "CheckoutModel.h"

#include "records/Uuid.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"

namespace vantrel {

namespace {

// Busy operations are named before they are awaited: g++ 12 destroys a
// lambda temporary inside a co_await expression twice, which over-releases
// the strings it captured.
using BusyOperation = std::function<QCoro::Task<>()>;

const char *const saveBeforeCheckout = "Save this draft as a new sent quote before starting checkout.";
const char *const reconnecting = "Reconnecting. The transaction remains saved on the server.";
const char *const checkoutNeverStarted =
    "Checkout never started. Your customer and items are kept; save a new quote to continue.";
const char *const cashNotCovering = "Enter the cash received; it must cover the amount due.";
const char *const unknownTender = "Choose card or cash before starting checkout.";

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
    if (draft.pendingCheckout && draft.pendingCheckout->requestId == tx.id) draft.pendingCheckout.reset();
    if (tx.status == QLatin1String(status::canceled) && draft.saved && draft.saved->id == tx.quoteId)
        draft.checkoutRequestId = newUuidString();
    if (draft != model.draft()) model.setDraft(std::move(draft));
    model.releaseActiveArchiveEntry();
}

// Builds the request for a fresh checkout of the draft's saved quote.
// Throws APIError for tender input that the server could only refuse: such a
// request would be stored and re-sent unchanged, refused every time.
CheckoutRequest buildRequest(const CheckoutModel &model, const QString &tender, const QString &cash)
{
    const Draft &draft = model.draft();
    const bool registerRoute = model.paymentRoute() == QLatin1String(route::squareRegister);
    CheckoutRequest request;
    request.requestId = draft.checkoutRequestId;
    request.quoteId = draft.saved->id;
    request.expectedCents = cents(draft.saved->total);
    request.tender = registerRoute ? QStringLiteral("register") : tender;
    if (registerRoute) {
        request.cashCents = 0;
    } else if (tender == QLatin1String("cash")) {
        request.cashCents = cents(cash);
        if (request.cashCents < request.expectedCents) throw APIError{QString::fromUtf8(cashNotCovering)};
    } else if (tender == QLatin1String("card")) {
        request.cashCents = request.expectedCents;
    } else {
        throw APIError{QString::fromUtf8(unknownTender)};
    }
    request.hold = model.usesDailySquareImport() ? false : draft.hold;
    return request;
}

QCoro::Task<> sendCheckout(CheckoutModel *model, QString tender, QString cash)
{
    QPointer<CheckoutModel> self(model);
    const QUuid generation = model->workspaceGeneration();
    CheckoutRequest request;
    if (model->draft().pendingCheckout) {
        // Stored before it was first sent; re-sent exactly as it is.
        request = *model->draft().pendingCheckout;
        model->ensureStored(QStringLiteral("Checkout"));
    } else {
        request = buildRequest(*model, tender, cash);
        Draft draft = model->draft();
        draft.pendingCheckout = request;
        model->storeDraft(std::move(draft), QStringLiteral("Checkout"));
    }

    CheckoutTransaction tx = co_await CheckoutAPI::startCheckout(model->api(), request);
    if (!self || model->workspaceGeneration() != generation) throw CancelledError();
    model->watch(tx);
}

QCoro::Task<> resumeOnServer(CheckoutModel *model, QString id)
{
    QPointer<CheckoutModel> self(model);
    const QUuid generation = model->workspaceGeneration();
    CheckoutTransaction tx = co_await CheckoutAPI::resumeCheckout(model->api(), id);
    if (!self || model->workspaceGeneration() != generation) throw CancelledError();
    model->watch(tx);
}

QCoro::Task<> cancelOnServer(CheckoutModel *model, QString id)
{
    QPointer<CheckoutModel> self(model);
    const QUuid generation = model->workspaceGeneration();
    CheckoutTransaction tx = co_await CheckoutAPI::cancelCheckout(model->api(), id);
    if (!self || model->workspaceGeneration() != generation) throw CancelledError();
    model->watch(tx);
}

} // namespace

QCoro::Task<bool> CheckoutModel::startCheckout(QString tender, QString cash)
{
    if (!m_draft.saved) co_return false;
    if (!savedQuoteReady()) {
        setError(QString::fromUtf8(saveBeforeCheckout));
        co_return false;
    }
    BusyOperation operation = [this, tender, cash] { return sendCheckout(this, tender, cash); };
    const bool ran = co_await performBusy(std::move(operation));
    // A start that left a canceled transaction did not start anything.
    co_return ran && m_transaction && m_transaction->status != QLatin1String(status::canceled);
}

void CheckoutModel::watch(const CheckoutTransaction &transaction)
{
    if (m_poller) m_poller->cancel();
    m_poller.reset();
    setTransaction(transaction);
    m_watchGeneration = QUuid::createUuid();
    if (!isFinal(transaction.status)) {
        TaskHandle handle = TaskHandle::make();
        m_poller = handle;
        launch(pollLoop(QPointer<CheckoutModel>(this), handle, m_watchGeneration, transaction.id,
                        m_api->base(), m_api->token()));
        return;
    }
    settleFinal(*this, transaction);
}

QCoro::Task<> CheckoutModel::pollLoop(QPointer<CheckoutModel> model, TaskHandle handle, QUuid generation,
                                      QString transactionId, QString base, QString token)
{
    // Every check reads the model afresh: it may have gone, or moved on to
    // another watch, another server or another user while this task slept.
    const auto stillCurrent = [&] {
        return model && !handle.isCancelled() && model->m_watchGeneration == generation &&
               model->m_api->base() == base && model->m_api->token() == token;
    };
    while (!handle.isCancelled()) {
        if (!model) co_return;
        co_await TaskHandle::sleep(handle, model->m_services.pollInterval);
        if (handle.isCancelled() || !model) co_return;

        std::optional<CheckoutTransaction> reply;
        std::exception_ptr failure;
        try {
            reply = co_await CheckoutAPI::checkout(*model->m_api, transactionId, handle.token());
        } catch (...) {
            failure = std::current_exception();
        }
        if (!stillCurrent()) co_return;
        if (failure) {
            if (isCancellation(failure)) co_return;
            model->setNotice(QString::fromUtf8(reconnecting));
            continue;
        }
        if (!model->m_transaction || model->m_transaction->id != transactionId) co_return;
        model->setTransaction(*reply);
        if (isFinal(reply->status)) {
            settleFinal(*model, *reply);
            co_return;
        }
    }
}

QCoro::Task<> CheckoutModel::resume(CheckoutTransaction transaction)
{
    const QString id = transaction.id;
    BusyOperation operation = [this, id] { return resumeOnServer(this, id); };
    co_await performBusy(std::move(operation));
}

QCoro::Task<> CheckoutModel::cancelCheckout(CheckoutTransaction transaction)
{
    const QString id = transaction.id;
    BusyOperation operation = [this, id] { return cancelOnServer(this, id); };
    co_await performBusy(std::move(operation));
}

QCoro::Task<> CheckoutModel::resumeCheckout()
{
    if (m_transaction) {
        co_await resume(*m_transaction);
        co_return;
    }
    BusyOperation operation = [this] { return recoverCheckoutRequest(); };
    co_await performBusy(std::move(operation));
}

QCoro::Task<> CheckoutModel::recoverCheckoutRequest()
{
    if (!m_draft.pendingCheckout) co_return;
    QPointer<CheckoutModel> self(this);
    const CheckoutRequest sent = *m_draft.pendingCheckout;
    const QString token = m_api->token();
    const QString base = m_api->base();
    const std::optional<QString> user = m_session ? std::optional<QString>(m_session->user) : std::nullopt;

    const CheckoutRequestRecovery reply = co_await CheckoutAPI::recoverCheckoutRequest(*m_api, sent);
    if (!self) co_return;
    // A reply about an older server, session or request says nothing about
    // the workspace now on screen.
    const std::optional<QString> userNow =
        m_session ? std::optional<QString>(m_session->user) : std::nullopt;
    if (m_api->token() != token || m_api->base() != base || userNow != user ||
        m_draft.pendingCheckout != std::optional<CheckoutRequest>(sent))
        co_return;

    reply.validate(sent);
    if (reply.transaction) {
        watch(*reply.transaction);
        co_return;
    }

    Draft draft = m_draft;
    if (!clearAbortedCheckout(draft, sent)) co_return;
    setDraft(draft);
    releaseActiveArchiveEntry();
    if (m_poller) m_poller->cancel();
    m_poller.reset();
    m_watchGeneration = QUuid::createUuid();
    setTransaction(std::nullopt);
    QList<Quote> remaining = m_quotes;
    remaining.removeIf([&](const Quote &quote) { return quote.id == sent.quoteId; });
    setQuotes(remaining);
    setNotice(QString::fromUtf8(checkoutNeverStarted));
    setSelectedWorkspaceTab(WorkspaceTab::quote);
}

bool CheckoutModel::clearAbortedCheckout(Draft &draft, const std::optional<CheckoutRequest> &sent)
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

} // namespace vantrel
