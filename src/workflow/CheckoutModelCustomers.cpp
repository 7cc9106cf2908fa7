// Customer search, selection, the customer's quotes and deals, and customer
// creation with recovery of an unknown outcome.
#include "CheckoutModel.h"

#include "QuoteValidation.h"

#include "records/Uuid.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"

namespace vantrel {

namespace {

QCoro::Task<> busyLoadQuotesAndDeals(CheckoutModel *model, Customer customer)
{
    // Named first: a capturing temporary inside a co_await expression is
    // destroyed twice by this compiler.
    std::function<QCoro::Task<>()> load = [model, customer] { return model->loadQuotesAndDeals(customer); };
    co_await model->performBusy(std::move(load));
}

} // namespace

// ---- search --------------------------------------------------------------------

void CheckoutModel::searchCustomers(const QString &text)
{
    if (m_customerSearchTask) m_customerSearchTask->cancel();
    setCustomerSearchBusy(true);
    setCustomerSearchError(std::nullopt);
    setCustomers({});
    TaskHandle handle = TaskHandle::make();
    m_customerSearchTask = handle;
    launch(customerSearch(QPointer<CheckoutModel>(this), handle, text));
}

QCoro::Task<> CheckoutModel::customerSearch(QPointer<CheckoutModel> model, TaskHandle handle, QString text)
{
    // The debounce: a newer keystroke cancels this task before it sends.
    const std::chrono::milliseconds debounce = model ? model->m_services.searchDebounce : std::chrono::milliseconds(0);
    co_await TaskHandle::sleep(handle, debounce);
    if (handle.isCancelled() || !model) co_return;

    try {
        const QString query = text.trimmed();
        CustomersResponse reply = co_await CheckoutAPI::customers(model->api(), query, handle.token());
        if (handle.isCancelled() || !model) co_return;
        model->setCustomers(std::move(reply.customers));
        model->setCustomerSearchBusy(false);
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        if (handle.isCancelled() || !model) co_return;
        // A reply cut off by a new address or token belongs to nobody.
        if (isCancellation(failure)) {
            model->setCustomerSearchBusy(false);
            co_return;
        }
        model->setCustomerSearchError(errorDescription(failure));
        model->setCustomerSearchBusy(false);
    }
}

// ---- selection and lists ---------------------------------------------------------

QCoro::Task<> CheckoutModel::selectCustomer(Customer customer)
{
    if (editingLocked()) co_return;
    // One draft change: the unfinished new-customer form goes, and another
    // customer starts a new, edited quote.
    Draft draft = m_draft;
    draft.customerDraft.reset();
    if (!(m_draft.customer && m_draft.customer->id == customer.id)) {
        draft.customer = customer;
        draft.deal.reset();
        draft.sourceId.clear();
        draft.sourceNumber.clear();
        draft.saved.reset();
        markEdited(draft);
    }
    if (draft != m_draft) setDraft(std::move(draft));
    if (m_draft.customer) co_await busyLoadQuotesAndDeals(this, *m_draft.customer);
}

QCoro::Task<> CheckoutModel::loadQuotesAndDeals(Customer customer)
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    QuotesResponse quotes = co_await CheckoutAPI::quotes(*m_api, customer.id);
    if (!self || m_workspaceGeneration != generation) throw CancelledError();
    setQuotes(std::move(quotes.quotes));
    DealsResponse deals = co_await CheckoutAPI::deals(*m_api, customer.id);
    if (!self || m_workspaceGeneration != generation) throw CancelledError();
    setDeals(std::move(deals.deals));
}

// ---- creation ------------------------------------------------------------------------

QCoro::Task<bool> CheckoutModel::createCustomer(NewCustomerRequest form)
{
    if (!m_draft.pendingCustomer) {
        if (const std::optional<QString> message = form.validationMessage()) {
            setError(*message);
            co_return false;
        }
    }
    // performBusy makes the operation only when it runs, so a dropped tap
    // neither stores nor sends anything. Every way out of the steps that does
    // not leave the customer on the draft throws.
    std::function<QCoro::Task<>()> steps = [this, form] { return createCustomerSteps(form); };
    const bool created = co_await performBusy(std::move(steps));
    co_return created;
}

QCoro::Task<> CheckoutModel::createCustomerSteps(NewCustomerRequest form)
{
    QPointer<CheckoutModel> self(this);
    // A retry sends the stored request, never the form as it is now.
    const NewCustomerRequest request = m_draft.pendingCustomer.value_or(form);
    Draft draft = m_draft;
    draft.pendingCustomer = request;
    draft.customerDraft.reset();
    storeDraft(std::move(draft), QString::fromUtf8(messages::customerCreationLabel));

    std::exception_ptr failure;
    try {
        const NewCustomerResponse reply = co_await CheckoutAPI::createCustomer(*m_api, request);
        if (!self || m_draft.pendingCustomer != request) throw CancelledError();
        applyCreatedCustomer(reply);
        co_return;
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self || isCancellation(failure)) throw CancelledError();

    // The outcome is unknown: the server may have created the customer and
    // lost only the reply. Ask before showing anything.
    bool completed = false;
    try {
        completed = co_await recoverCustomerRequest(request);
    } catch (...) {
        if (isCancellation(std::current_exception())) throw CancelledError();
        std::rethrow_exception(failure);
    }
    if (!completed) std::rethrow_exception(failure);
}

QCoro::Task<bool> CheckoutModel::recoverCustomerRequest(NewCustomerRequest request)
{
    if (m_draft.pendingCustomer != request) throw CancelledError();
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_api->generation();
    const CustomerRequestRecovery reply = co_await CheckoutAPI::recoverCustomerRequest(*m_api, request);
    if (!self || m_api->generation() != generation || m_draft.pendingCustomer != request)
        throw CancelledError();
    reply.validate(request);
    if (reply.customer && reply.deal) {
        applyCreatedCustomer(NewCustomerResponse{*reply.customer, *reply.deal});
        co_return true;
    }
    Draft draft = m_draft;
    if (clearAbortedCustomer(draft, request)) {
        setDraft(draft);
        releaseActiveArchiveEntry();
    }
    co_return false;
}

void CheckoutModel::applyCreatedCustomer(const NewCustomerResponse &created)
{
    Draft draft = m_draft;
    draft.customer = created.customer;
    draft.deal = created.deal;
    draft.sourceId.clear();
    draft.sourceNumber.clear();
    draft.saved.reset();
    markEdited(draft);
    draft.pendingCustomer.reset();
    draft.customerDraft.reset();
    setDraft(std::move(draft));
    releaseActiveArchiveEntry();
    setDeals({created.deal});
    setQuotes({});
}

namespace {

QCoro::Task<> recoverInto(CheckoutModel *model, NewCustomerRequest pending, bool *completed)
{
    *completed = co_await model->recoverCustomerRequest(pending);
}

} // namespace

QCoro::Task<bool> CheckoutModel::resumeCustomerRequest()
{
    if (!m_draft.pendingCustomer) co_return false;
    const NewCustomerRequest pending = *m_draft.pendingCustomer;
    bool completed = false;
    std::function<QCoro::Task<>()> recover = [this, pending, &completed] {
        return recoverInto(this, pending, &completed);
    };
    const bool ran = co_await performBusy(std::move(recover));
    co_return ran && completed;
}

bool CheckoutModel::clearAbortedCustomer(Draft &draft, const NewCustomerRequest &sent)
{
    if (draft.pendingCustomer != sent) return false;
    NewCustomerRequest details = sent;
    details.requestId = newUuidString();
    draft.customerDraft = details;
    draft.pendingCustomer.reset();
    return true;
}

} // namespace vantrel
