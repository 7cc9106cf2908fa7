#include "CustomersPart.h"

#include "CheckoutModel.h"
#include "KeptRequest.h"
#include "Launch.h"
#include "QuotePart.h"
#include "QuoteValidation.h"
#include "WorkflowLog.h"
#include "WorkspaceGuard.h"

#include "records/Uuid.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"

#include <QCoreApplication>

namespace vantrel {

CustomersPart::CustomersPart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_results(makeCustomerList(this)),
      m_quotes(makeQuoteList(this)), m_deals(makeDealList(this))
{}

void CustomersPart::setCustomers(QList<Customer> customers) { m_results->assign(std::move(customers)); }
void CustomersPart::setQuotes(QList<Quote> quotes) { m_quotes->assign(std::move(quotes)); }
void CustomersPart::setDeals(QList<Deal> deals, std::optional<QString> forCustomer)
{
    m_dealsCustomerId = std::move(forCustomer);
    m_deals->assign(std::move(deals));
}

void CustomersPart::loadDealsIfNeeded()
{
    const std::optional<Customer> &customer = m_workspace.draft().customer;
    if (!customer || m_dealsCustomerId == customer->id) return;
    const Customer owner = *customer;
    std::function<QCoro::Task<>()> load = [this, owner] { return loadDeals(owner); };
    launch(m_workspace.performBusy(std::move(load)));
}

QCoro::Task<> CustomersPart::loadDeals(Customer customer)
{
    const WorkspaceGuard guard(m_workspace);
    DealsResponse deals = co_await CheckoutAPI::deals(m_workspace.api(), customer.id);
    guard.ensure();
    setDeals(std::move(deals.deals), customer.id);
}

void CustomersPart::setCustomerSearchBusy(bool busy)
{
    if (busy == m_customerSearchBusy) return;
    m_customerSearchBusy = busy;
    emit customerSearchBusyChanged();
}

void CustomersPart::setCustomerSearchError(std::optional<QString> error)
{
    if (error == m_customerSearchError) return;
    m_customerSearchError = std::move(error);
    emit customerSearchErrorChanged();
}

void CustomersPart::cancelSearch()
{
    // The handle itself stays: a search started later replaces it.
    if (m_customerSearchTask) m_customerSearchTask->cancel();
    setCustomerSearchBusy(false);
}

// ---- search --------------------------------------------------------------------

void CustomersPart::searchCustomers(const QString &text)
{
    if (m_customerSearchTask) m_customerSearchTask->cancel();
    setCustomerSearchBusy(true);
    setCustomerSearchError(std::nullopt);
    setCustomers({});
    TaskHandle handle = TaskHandle::make();
    m_customerSearchTask = handle;
    launch(customerSearch(QPointer<CustomersPart>(this), handle, text));
}

QCoro::Task<> CustomersPart::customerSearch(QPointer<CustomersPart> part, TaskHandle handle, QString text)
{
    // The debounce: a newer keystroke cancels this task before it sends.
    const std::chrono::milliseconds debounce =
        part ? part->m_workspace.services().searchDebounce : std::chrono::milliseconds(0);
    co_await TaskHandle::sleep(handle, debounce);
    if (handle.isCancelled() || !part) co_return;

    try {
        const QString query = text.trimmed();
        CustomersResponse reply =
            co_await CheckoutAPI::customers(part->m_workspace.api(), query, handle.token());
        if (handle.isCancelled() || !part) co_return;
        part->setCustomers(std::move(reply.customers));
        part->setCustomerSearchBusy(false);
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        if (handle.isCancelled() || !part) co_return;
        // A reply cut off by a new address or token belongs to nobody.
        if (!isCancellation(failure)) part->setCustomerSearchError(errorDescription(failure));
        part->setCustomerSearchBusy(false);
    }
}

// ---- selection and lists ---------------------------------------------------------

namespace {

QCoro::Task<> busyLoadQuotesAndDeals(CustomersPart *part, CheckoutModel *workspace, Customer customer)
{
    // Named first: a capturing temporary inside a co_await expression is
    // destroyed twice by this compiler.
    std::function<QCoro::Task<>()> load = [part, customer] { return part->loadQuotesAndDeals(customer); };
    co_await workspace->performBusy(std::move(load));
}

} // namespace

QCoro::Task<> CustomersPart::selectCustomer(Customer customer)
{
    if (m_workspace.editingLocked()) {
        m_workspace.quotePart()->announceLock();
        co_return;
    }
    // One draft change: the unfinished new-customer form goes, and another
    // customer starts a new, edited quote.
    const Draft &current = m_workspace.draft();
    Draft draft = current;
    draft.customerDraft.reset();
    if (!(current.customer && current.customer->id == customer.id)) {
        draft.customer = customer;
        draft.deal.reset();
        draft.sourceId.clear();
        draft.sourceNumber.clear();
        draft.saved.reset();
        CheckoutModel::markEdited(draft);
    }
    if (draft != current) m_workspace.setDraft(std::move(draft));
    if (const std::optional<Customer> chosen = m_workspace.draft().customer)
        co_await busyLoadQuotesAndDeals(this, &m_workspace, *chosen);
}

QCoro::Task<> CustomersPart::loadQuotesAndDeals(Customer customer)
{
    const WorkspaceGuard guard(m_workspace);
    QuotesResponse quotes = co_await CheckoutAPI::quotes(m_workspace.api(), customer.id);
    guard.ensure();
    setQuotes(std::move(quotes.quotes));
    DealsResponse deals = co_await CheckoutAPI::deals(m_workspace.api(), customer.id);
    guard.ensure();
    setDeals(std::move(deals.deals), customer.id);
}

QCoro::Task<bool> CustomersPart::selectById(QString customerId)
{
    const int row = m_results->indexOfId(customerId);
    if (row < 0) co_return false;
    if (m_workspace.editingLocked()) {
        m_workspace.quotePart()->announceLock();
        co_return false;
    }
    const Customer customer = m_results->items().at(row);
    co_await selectCustomer(customer);
    co_return true;
}

QCoro::QmlTask CustomersPart::select(const QString &customerId) { return selectById(customerId); }

// ---- creation ------------------------------------------------------------------------

QCoro::QmlTask CustomersPart::create(const QString &firstName, const QString &lastName, const QString &phone,
                                     const QString &email, const QString &campaignId,
                                     const QString &dealAmount)
{
    NewCustomerRequest form;
    // The form keeps its request id across attempts until a request is made of it.
    const std::optional<NewCustomerRequest> &kept = m_workspace.draft().customerDraft;
    form.requestId = kept ? kept->requestId : newUuidString();
    form.firstName = firstName;
    form.lastName = lastName;
    form.phone = phone;
    form.email = email;
    if (!campaignId.isEmpty()) form.campaignId = campaignId;
    if (!dealAmount.isEmpty()) form.dealAmount = dealAmount;
    return createCustomer(std::move(form));
}

QCoro::Task<bool> CustomersPart::createCustomer(NewCustomerRequest form)
{
    if (!m_workspace.draft().pendingCustomer) {
        if (const std::optional<QString> message = form.validationMessage()) {
            m_workspace.setError(*message);
            co_return false;
        }
    }
    // performBusy makes the operation only when it runs, so a dropped tap
    // neither stores nor sends anything. Every way out of the steps that does
    // not leave the customer on the draft throws.
    std::function<QCoro::Task<>()> steps = [this, form] { return createCustomerSteps(form); };
    const bool created = co_await m_workspace.performBusy(std::move(steps));
    co_return created;
}

QCoro::Task<> CustomersPart::createCustomerSteps(NewCustomerRequest form)
{
    QPointer<CustomersPart> self(this);
    // A retry sends the stored request, never the form as it is now.
    const NewCustomerRequest request = m_workspace.draft().pendingCustomer.value_or(form);
    Draft draft = m_workspace.draft();
    draft.pendingCustomer = request;
    draft.customerDraft.reset();
    m_workspace.storeDraft(std::move(draft),
                           QCoreApplication::translate("Workspace", messages::customerCreationLabel));

    std::exception_ptr failure;
    try {
        const NewCustomerResponse reply = co_await CheckoutAPI::createCustomer(m_workspace.api(), request);
        if (!self || m_workspace.draft().pendingCustomer != request) throw CancelledError();
        applyCreatedCustomer(reply);
        co_return;
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self || isCancellation(failure)) throw CancelledError();
    if (notCreated(createOutcome(failure))) {
        // Refused for good: nothing to recover, the details go back into the
        // form to be corrected and sent as a new request.
        logRecovery("customer", request.requestId, RecoveryOutcome::refused);
        Draft draft = m_workspace.draft();
        if (clearAbortedCustomer(draft, request)) {
            m_workspace.setDraft(draft);
            m_workspace.releaseActiveArchiveEntry();
        }
        std::rethrow_exception(failure);
    }

    // The outcome is unknown: the server may have created the customer and
    // lost only the reply. Ask before showing anything.
    bool completed = false;
    try {
        completed = co_await recoverCustomerRequest(request);
    } catch (...) {
        if (isCancellation(std::current_exception())) throw CancelledError();
        rethrowKept(failure, resumeAction::resumeCustomerCreation);
    }
    if (!completed) std::rethrow_exception(failure);
}

QCoro::Task<bool> CustomersPart::recoverCustomerRequest(NewCustomerRequest request)
{
    if (m_workspace.draft().pendingCustomer != request) throw CancelledError();
    QPointer<CustomersPart> self(this);
    const QUuid generation = m_workspace.api().generation();
    CustomerRequestRecovery reply;
    try {
        reply = co_await CheckoutAPI::recoverCustomerRequest(m_workspace.api(), request);
    } catch (...) {
        if (!isCancellation(std::current_exception()))
            logRecovery("customer", request.requestId, RecoveryOutcome::unknown);
        throw;
    }
    if (!self || m_workspace.api().generation() != generation ||
        m_workspace.draft().pendingCustomer != request)
        throw CancelledError();
    try {
        reply.validate(request);
    } catch (...) {
        logRecovery("customer", request.requestId, RecoveryOutcome::unknown);
        throw;
    }
    if (reply.customer && reply.deal) {
        logRecovery("customer", request.requestId, RecoveryOutcome::found);
        applyCreatedCustomer(NewCustomerResponse{*reply.customer, *reply.deal});
        co_return true;
    }
    logRecovery("customer", request.requestId, RecoveryOutcome::notFound);
    Draft draft = m_workspace.draft();
    if (clearAbortedCustomer(draft, request)) {
        m_workspace.setDraft(draft);
        m_workspace.releaseActiveArchiveEntry();
    }
    co_return false;
}

namespace {

QCoro::Task<> recoverInto(CustomersPart *part, NewCustomerRequest pending, bool *completed)
{
    *completed = co_await part->recoverCustomerRequest(pending);
}

} // namespace

QCoro::Task<bool> CustomersPart::resumeCustomerRequest()
{
    if (!m_workspace.draft().pendingCustomer) co_return false;
    const NewCustomerRequest pending = *m_workspace.draft().pendingCustomer;
    bool completed = false;
    std::function<QCoro::Task<>()> recover = [this, pending, &completed] {
        return recoverInto(this, pending, &completed);
    };
    const bool ran = co_await m_workspace.performBusy(std::move(recover));
    co_return (ran && completed);
}

void CustomersPart::applyCreatedCustomer(const NewCustomerResponse &created)
{
    Draft draft = m_workspace.draft();
    draft.customer = created.customer;
    draft.deal = created.deal;
    draft.sourceId.clear();
    draft.sourceNumber.clear();
    draft.saved.reset();
    CheckoutModel::markEdited(draft);
    draft.pendingCustomer.reset();
    draft.customerDraft.reset();
    m_workspace.setDraft(std::move(draft));
    m_workspace.releaseActiveArchiveEntry();
    // A new customer has no deal but the one made with it.
    setDeals({created.deal}, created.customer.id);
    setQuotes({});
}

bool CustomersPart::clearAbortedCustomer(Draft &draft, const NewCustomerRequest &sent)
{
    if (draft.pendingCustomer != sent) return false;
    NewCustomerRequest details = sent;
    details.requestId = newUuidString();
    draft.customerDraft = details;
    draft.pendingCustomer.reset();
    return true;
}

} // namespace vantrel
