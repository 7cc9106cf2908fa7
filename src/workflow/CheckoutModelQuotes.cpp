// The quote in the workspace: opening a server quote for editing, editing,
// validating and saving it idempotently, and its deal.
#include "CheckoutModel.h"

#include "QuoteValidation.h"

#include "records/Uuid.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"

namespace vantrel {

namespace {

const QStringList editableQuoteStatuses{QStringLiteral("draft"), QStringLiteral("sent"),
                                        QStringLiteral("accepted"), QStringLiteral("declined"),
                                        QStringLiteral("expired")};

void ensureCurrent(const QPointer<CheckoutModel> &model, const QUuid &generation)
{
    if (!model || model->workspaceGeneration() != generation) throw CancelledError();
}

APIError message(const char *text) { return APIError{QString::fromUtf8(text)}; }

} // namespace

// ---- editing -------------------------------------------------------------------------

void CheckoutModel::markEdited()
{
    Draft draft = m_draft;
    markEdited(draft);
    setDraft(std::move(draft));
}

bool CheckoutModel::addProduct(const Product &product)
{
    return editDraft([&](Draft &draft) {
        const auto line = std::find_if(draft.lines.begin(), draft.lines.end(),
                                       [&](const QuoteLine &l) { return l.itemId == product.id; });
        if (line != draft.lines.end())
            line->quantity = quantityPlusOne(line->quantity);
        else
            draft.lines.append(QuoteLine::fromProduct(product));
    });
}

void CheckoutModel::loadQuote(const Quote &quote) { loadQuote(quote, m_draft); }

void CheckoutModel::loadQuote(const Quote &quote, Draft draft)
{
    // One write: the file never holds a half-loaded quote.
    draft.sourceId = quote.id;
    draft.sourceNumber = quote.number;
    draft.lines = quote.lines;
    draft.notes = quote.notes;
    draft.terms = quote.terms;
    draft.discount = quote.discount;
    draft.shipping = quote.shipping;
    draft.adjustment = quote.adjustment;
    draft.discountType = quote.discountType;
    draft.saved = quote;
    draft.dirty = false;
    draft.pendingSave.reset();
    draft.requestId = newUuidString();
    draft.checkoutRequestId = newUuidString();
    setDraft(draft);
    releaseActiveArchiveEntry();
}

// ---- opening a server quote ----------------------------------------------------------------

QCoro::Task<bool> CheckoutModel::openQuote(QString id, Customer customer)
{
    if (editingLocked()) co_return false;
    // Named first: a capturing temporary inside a co_await expression is
    // destroyed twice by this compiler.
    std::function<QCoro::Task<>()> steps = [this, id, customer] { return openQuoteSteps(id, customer); };
    const bool opened = co_await performBusy(std::move(steps));
    co_return opened;
}

QCoro::Task<> CheckoutModel::openQuoteSteps(QString id, Customer customer)
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;

    // A fresh copy: the listed one may be minutes old.
    const Quote quote = co_await CheckoutAPI::quote(*m_api, id);
    ensureCurrent(self, generation);
    if (quote.customerId != customer.id) throw message(messages::quoteOfOtherCustomer);
    if (quote.checkoutReadOnly.value_or(false)) throw message(messages::quoteManagedElsewhere);
    if (!editableQuoteStatuses.contains(quote.status)) throw message(messages::quoteNotEditable);
    if (quote.transaction && quote.transaction->status != QLatin1String("canceled"))
        throw message(messages::quoteNotEditable);
    if (quote.paymentSummary && !quote.paymentSummary->invoices.isEmpty())
        throw message(messages::quoteNotEditable);

    std::optional<Deal> deal;
    if (!quote.dealId.isEmpty()) {
        deal = co_await CheckoutAPI::deal(*m_api, quote.dealId);
        ensureCurrent(self, generation);
    }

    if (m_poller) m_poller->cancel();
    m_poller.reset();
    // The customer, the quote and its deal arrive in one draft change.
    Draft draft = m_draft;
    draft.customerDraft.reset();
    draft.customer = customer;
    draft.deal = deal;
    loadQuote(quote, std::move(draft));
    setQuotes({});
    setDeals(deal ? QList<Deal>{*deal} : QList<Deal>{});
    setTransaction(quote.transaction);
    // Only a canceled checkout gets here, so watching starts no polling.
    if (quote.transaction) watch(*quote.transaction);
    setSelectedWorkspaceTab(WorkspaceTab::quote);
}

// ---- saving --------------------------------------------------------------------------------

QCoro::Task<> CheckoutModel::saveQuote()
{
    // Dropped like every other operation while one runs.
    if (m_busy) co_return;
    if (!m_draft.customer) {
        setError(QString::fromUtf8(messages::chooseCustomerFirst));
        co_return;
    }
    // A pending save is re-sent exactly as stored, so it is not checked again.
    if (!m_draft.pendingSave) {
        if (const std::optional<QString> problem = quoteValidationMessage(m_draft)) {
            setError(*problem);
            co_return;
        }
    }
    const Customer customer = *m_draft.customer;
    std::function<QCoro::Task<>()> steps = [this, customer] { return saveQuoteSteps(customer); };
    co_await performBusy(std::move(steps));
}

QCoro::Task<> CheckoutModel::saveQuoteSteps(Customer customer)
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;

    SaveQuoteRequest request;
    if (m_draft.pendingSave) {
        request = *m_draft.pendingSave;
    } else {
        request.requestId = m_draft.requestId;
        request.sourceId = m_draft.sourceId;
        request.customerId = customer.id;
        request.dealId = m_draft.deal ? m_draft.deal->id : QString();
        request.lines = m_draft.lines;
        request.notes = m_draft.notes;
        request.terms = m_draft.terms;
        request.discount = m_draft.discount;
        request.shipping = m_draft.shipping;
        request.adjustment = m_draft.adjustment;
    }
    Draft draft = m_draft;
    draft.pendingSave = request;
    storeDraft(std::move(draft), QString::fromUtf8(messages::quoteSaveLabel));

    const Quote saved = co_await CheckoutAPI::saveQuote(*m_api, request);
    ensureCurrent(self, generation);
    // The draft was replaced meanwhile (a reopened request, say): this reply
    // is not about the draft on screen.
    if (m_draft.pendingSave != request) throw CancelledError();
    loadQuote(saved);
    setNotice(saved.number + QString::fromUtf8(messages::quoteSavedSuffix));
}

void CheckoutModel::ensureStored(const QString &label)
{
    try {
        persistDraft(m_draft);
    } catch (...) {
        if (m_draftRecoveryBlocked) throw;
        throw APIError{label + QString::fromUtf8(messages::notStoredSuffix)};
    }
}

// ---- deals -----------------------------------------------------------------------------------

QCoro::Task<> CheckoutModel::selectDeal(std::optional<Deal> deal)
{
    if (m_draft.saved && !m_draft.dirty) {
        const Quote quote = *m_draft.saved;
        std::function<QCoro::Task<>()> link = [this, quote, deal] { return linkDeal(quote, deal); };
        co_await performBusy(std::move(link));
        co_return;
    }
    // A local choice is an edit, and a locked draft takes no edits.
    editDraft([&](Draft &draft) { draft.deal = deal; });
}

QCoro::Task<> CheckoutModel::linkDeal(Quote quote, std::optional<Deal> deal)
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    // Outside the co_await: this compiler mishandles a conditional there.
    const QString dealId = deal ? deal->id : QString();
    const Quote linked = co_await CheckoutAPI::linkQuoteDeal(*m_api, quote.id, dealId);
    ensureCurrent(self, generation);
    if (!m_draft.saved || m_draft.saved->id != quote.id) throw CancelledError();
    Draft draft = m_draft;
    draft.deal = deal;
    draft.saved = linked;
    setDraft(std::move(draft));
}

QCoro::Task<> CheckoutModel::refreshDeal(QString id)
{
    std::function<QCoro::Task<>()> steps = [this, id] { return refreshDealSteps(id); };
    co_await performBusy(std::move(steps));
}

QCoro::Task<> CheckoutModel::refreshDealSteps(QString id)
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    std::optional<Deal> deal = co_await CheckoutAPI::deal(*m_api, id);
    ensureCurrent(self, generation);
    Draft draft = m_draft;
    draft.deal = std::move(deal);
    setDraft(draft);
}

} // namespace vantrel
