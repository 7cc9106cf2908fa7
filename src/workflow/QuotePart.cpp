#include "QuotePart.h"

#include "CheckoutModel.h"
#include "Launch.h"
#include "QuoteValidation.h"

#include "CheckoutPart.h"
#include "CustomersPart.h"
#include "CatalogPart.h"
#include "KeptRequest.h"
#include "WorkflowLog.h"
#include "WorkspaceGuard.h"

#include "records/Money.h"
#include "records/TypedNumber.h"
#include "records/Uuid.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"

#include <QSet>

#include <QCoreApplication>

namespace vantrel {

namespace {

APIError message(const char *text) { return APIError{QCoreApplication::translate("Workspace", text)}; }

} // namespace

QuotePart::QuotePart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_lines(makeQuoteLineList(this)),
      m_shown(workspace.draft())
{
    m_lines->assign(m_shown.lines);
    m_editingLocked = workspace.editingLocked();
    m_savedQuoteReady = workspace.savedQuoteReady();
    connect(&workspace, &CheckoutModel::draftChanged, this, &QuotePart::draftReplaced);
    connect(&workspace, &CheckoutModel::busyChanged, this, &QuotePart::recheckLocks);
    connect(workspace.checkoutPart(), &CheckoutPart::transactionChanged, this, &QuotePart::recheckLocks);
    recheckLocks();
}

// Emits the signals of exactly the fields that changed.
void QuotePart::draftReplaced()
{
    const Draft was = std::exchange(m_shown, m_workspace.draft());
    const Draft &now = m_shown;
    if (was.lines != now.lines) {
        m_lines->assign(now.lines);
        emit linesChanged();
    }
    if (was.customer != now.customer) emit customerChanged();
    if (was.deal != now.deal) emit dealChanged();
    if (was.saved != now.saved || was.sourceNumber != now.sourceNumber) emit savedChanged();
    if (was.dirty != now.dirty) emit dirtyChanged();
    if (was.notes != now.notes) emit notesChanged();
    if (was.terms != now.terms) emit termsChanged();
    if (was.discount != now.discount || was.discountType != now.discountType) emit discountChanged();
    if (was.shipping != now.shipping) emit shippingChanged();
    if (was.adjustment != now.adjustment) emit adjustmentChanged();
    if (was.pendingSave != now.pendingSave || was.pendingCustomer != now.pendingCustomer ||
        was.pendingCheckout != now.pendingCheckout)
        emit pendingChanged();
    recheckLocks();
}

void QuotePart::recheckLocks()
{
    if (const bool locked = m_workspace.editingLocked(); locked != m_editingLocked) {
        m_editingLocked = locked;
        emit editingLockedChanged();
    }
    if (const bool ready = m_workspace.savedQuoteReady(); ready != m_savedQuoteReady) {
        m_savedQuoteReady = ready;
        emit savedQuoteReadyChanged();
    }
    // While an operation runs its own control shows progress, and what it
    // leaves behind decides the caption afterwards.
    const LockCause cause =
        m_workspace.busy() ? LockCause::none : lockCause(m_shown, false, m_workspace.liveCheckoutShown());
    if (const QString caption = lockReason(cause); caption != m_lockCaption) {
        m_lockCaption = caption;
        emit lockCaptionChanged();
    }
    if (const QString problem = vantrel::orderProblem(m_shown).value_or(QString());
        problem != m_orderProblem) {
        m_orderProblem = problem;
        emit orderProblemChanged();
    }
}

void QuotePart::announceLock()
{
    const QString reason =
        lockReason(lockCause(m_workspace.draft(), m_workspace.busy(), m_workspace.liveCheckoutShown()));
    if (!reason.isEmpty()) m_workspace.setNotice(reason);
}

QString QuotePart::customerId() const { return m_shown.customer ? m_shown.customer->id : QString(); }
QString QuotePart::customerName() const { return m_shown.customer ? m_shown.customer->name : QString(); }
QString QuotePart::dealId() const { return m_shown.deal ? m_shown.deal->id : QString(); }
QString QuotePart::dealName() const { return m_shown.deal ? m_shown.deal->name : QString(); }
QString QuotePart::sourceNumber() const { return m_shown.sourceNumber; }
bool QuotePart::hasSaved() const { return m_shown.saved.has_value(); }
QString QuotePart::savedStatus() const { return m_shown.saved ? m_shown.saved->status : QString(); }
bool QuotePart::dirty() const { return m_shown.dirty; }
QString QuotePart::notes() const { return m_shown.notes; }
QString QuotePart::terms() const { return m_shown.terms; }
QString QuotePart::discount() const { return m_shown.discount; }
QString QuotePart::discountType() const { return m_shown.discountType; }
QString QuotePart::shipping() const { return m_shown.shipping; }
QString QuotePart::adjustment() const { return m_shown.adjustment; }
bool QuotePart::hasPendingSave() const { return m_shown.pendingSave.has_value(); }
bool QuotePart::hasPendingCustomer() const { return m_shown.pendingCustomer.has_value(); }
bool QuotePart::hasPendingCheckout() const { return m_shown.pendingCheckout.has_value(); }
bool QuotePart::editingLocked() const { return m_editingLocked; }
bool QuotePart::savedQuoteReady() const { return m_savedQuoteReady; }

QString QuotePart::savedTotalText() const
{
    if (!m_shown.saved) return {};
    return moneyText(Decimal::parseOrZero(m_shown.saved->total), m_shown.saved->currency);
}

QString QuotePart::subtotalText() const { return moneyText(m_workspace.draftSubtotal()); }

// ---- edits -------------------------------------------------------------------------

bool QuotePart::addProduct(const QString &productId)
{
    const QList<Product> &products = m_workspace.catalogPart()->products();
    const auto found =
        std::find_if(products.cbegin(), products.cend(), [&](const Product &p) { return p.id == productId; });
    if (found == products.cend()) return false;
    return addProduct(*found);
}

bool QuotePart::editText(QString Draft::*field, const QString &text)
{
    return m_workspace.editDraft([&](Draft &draft) { draft.*field = text; });
}

bool QuotePart::editLine(const QString &lineId, const std::function<void(QuoteLine &)> &change)
{
    const int row = m_lines->indexOfId(lineId);
    if (row < 0) return false;
    return m_workspace.editDraft([&](Draft &draft) {
        for (QuoteLine &line : draft.lines)
            if (line.id == lineId) change(line);
    });
}

bool QuotePart::setLineQuantity(const QString &lineId, const QString &text)
{
    return editLine(lineId, [&](QuoteLine &line) { line.quantity = heldNumber(text); });
}

bool QuotePart::setLineRate(const QString &lineId, const QString &text)
{
    return editLine(lineId, [&](QuoteLine &line) { line.rate = heldNumber(text); });
}

bool QuotePart::setLineDiscount(const QString &lineId, const QString &text)
{
    return editLine(lineId, [&](QuoteLine &line) { line.discount = heldNumber(text); });
}

bool QuotePart::setLineDescription(const QString &lineId, const QString &text)
{
    return editLine(lineId, [&](QuoteLine &line) { line.description = text; });
}

bool QuotePart::setLineTax(const QString &lineId, const QString &text)
{
    return editLine(lineId, [&](QuoteLine &line) { line.taxId = text; });
}

bool QuotePart::stepQuantity(const QString &lineId, int step)
{
    const int row = m_lines->indexOfId(lineId);
    if (row < 0 || (step != 1 && step != -1)) return false;
    const QString quantity = m_lines->items().at(row).quantity;
    if (step == -1 && !canStepDown(quantity)) return false;
    const QString next = step == 1 ? quantityPlusOne(quantity) : quantityMinusOne(quantity);
    return editLine(lineId, [&](QuoteLine &line) { line.quantity = next; });
}

bool QuotePart::removeLine(const QString &lineId)
{
    if (m_lines->indexOfId(lineId) < 0) return false;
    return m_workspace.editDraft([&](Draft &draft) {
        draft.lines.removeIf([&](const QuoteLine &line) { return line.id == lineId; });
    });
}

bool QuotePart::setNotes(const QString &text) { return editText(&Draft::notes, text); }

bool QuotePart::setTerms(const QString &text) { return editText(&Draft::terms, text); }

bool QuotePart::setDiscount(const QString &text) { return editText(&Draft::discount, heldNumber(text)); }

bool QuotePart::setDiscountType(const QString &text) { return editText(&Draft::discountType, text); }

bool QuotePart::setShipping(const QString &text) { return editText(&Draft::shipping, heldNumber(text)); }

bool QuotePart::setAdjustment(const QString &text) { return editText(&Draft::adjustment, heldNumber(text)); }

// ---- requests ------------------------------------------------------------------------

void QuotePart::save() { launch(saveQuote()); }

QCoro::Task<bool> QuotePart::openQuoteById(QString quoteId, QString customerId)
{
    // The owner is a customer of the search results or the draft's own.
    std::optional<Customer> owner;
    const QList<Customer> &found = m_workspace.customersPart()->customers();
    const auto listed =
        std::find_if(found.cbegin(), found.cend(), [&](const Customer &c) { return c.id == customerId; });
    if (listed != found.cend())
        owner = *listed;
    else if (m_shown.customer && m_shown.customer->id == customerId)
        owner = m_shown.customer;
    if (!owner) co_return false;
    const Customer customer = *owner;
    const bool opened = co_await openQuote(quoteId, customer);
    co_return opened;
}

QCoro::QmlTask QuotePart::openQuoteFor(const QString &quoteId, const QString &customerId)
{
    return openQuoteById(quoteId, customerId);
}

void QuotePart::selectDeal(const QString &dealId)
{
    std::optional<Deal> deal;
    if (!dealId.isEmpty()) {
        const QList<Deal> &deals = m_workspace.customersPart()->deals();
        const auto found =
            std::find_if(deals.cbegin(), deals.cend(), [&](const Deal &d) { return d.id == dealId; });
        if (found == deals.cend()) return;
        deal = *found;
    }
    launch(selectDeal(std::move(deal)));
}

void QuotePart::refreshDeal()
{
    if (m_shown.deal) launch(refreshDeal(m_shown.deal->id));
}

void QuotePart::printQuotePDF() { launch(m_workspace.checkoutPart()->printQuotePDF()); }

// ---- operations ----------------------------------------------------------------------

void QuotePart::markEdited()
{
    Draft draft = m_workspace.draft();
    CheckoutModel::markEdited(draft);
    m_workspace.setDraft(std::move(draft));
}

bool QuotePart::addProduct(const Product &product)
{
    // A tap or scan that adds nothing says why.
    if (m_workspace.editingLocked()) {
        announceLock();
        return false;
    }
    return m_workspace.editDraft([&](Draft &draft) {
        const auto line = std::find_if(draft.lines.begin(), draft.lines.end(),
                                       [&](const QuoteLine &l) { return l.itemId == product.id; });
        if (line != draft.lines.end())
            line->quantity = quantityPlusOne(line->quantity);
        else
            draft.lines.append(QuoteLine::fromProduct(product));
    });
}

void QuotePart::loadQuote(const Quote &quote) { loadQuote(quote, m_workspace.draft()); }

void QuotePart::loadQuote(const Quote &quote, Draft draft)
{
    // One write: the file never holds a half-loaded quote.
    draft.sourceId = quote.id;
    draft.sourceNumber = quote.number;
    draft.lines = quote.lines;
    // Edits and removals find a line by its id: lines that share one, or
    // have none, would be changed together, so each gets its own.
    QSet<QString> ids;
    for (QuoteLine &line : draft.lines) {
        if (line.id.isEmpty() || ids.contains(line.id)) line.id = newUuidString();
        ids.insert(line.id);
    }
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
    m_workspace.setDraft(std::move(draft));
    m_workspace.releaseActiveArchiveEntry();
}

// ---- opening a server quote ----------------------------------------------------------------

QCoro::Task<bool> QuotePart::openQuote(QString id, Customer customer)
{
    if (m_workspace.editingLocked()) co_return false;
    // Named first: a capturing temporary inside a co_await expression is
    // destroyed twice by this compiler.
    std::function<QCoro::Task<>()> steps = [this, id, customer] { return openQuoteSteps(id, customer); };
    const bool opened = co_await m_workspace.performBusy(std::move(steps));
    co_return opened;
}

QCoro::Task<> QuotePart::openQuoteSteps(QString id, Customer customer)
{
    const WorkspaceGuard guard(m_workspace);

    // A fresh copy: the listed one may be minutes old.
    const Quote quote = co_await CheckoutAPI::quote(m_workspace.api(), id);
    guard.ensure();
    if (quote.customerId != customer.id) throw message(messages::quoteOfOtherCustomer);
    if (const char *refusal = quoteOpenRefusal(quote)) throw message(refusal);

    std::optional<Deal> deal;
    if (!quote.dealId.isEmpty()) {
        deal = co_await CheckoutAPI::deal(m_workspace.api(), quote.dealId);
        guard.ensure();
    }

    CheckoutPart &checkout = *m_workspace.checkoutPart();
    checkout.stopWatching();
    // The customer, the quote and its deal arrive in one draft change.
    Draft draft = m_workspace.draft();
    draft.customerDraft.reset();
    draft.customer = customer;
    draft.deal = deal;
    loadQuote(quote, std::move(draft));
    CustomersPart &customers = *m_workspace.customersPart();
    customers.setQuotes({});
    customers.setDeals(deal ? QList<Deal>{*deal} : QList<Deal>{});
    checkout.setTransaction(quote.transaction);
    // Only a canceled checkout gets here, so watching starts no polling.
    if (quote.transaction) checkout.watch(*quote.transaction);
    m_workspace.setSelectedWorkspaceTab(WorkspaceTab::quote);
}

// ---- saving --------------------------------------------------------------------------------

QCoro::Task<> QuotePart::saveQuote()
{
    // Dropped like every other operation while one runs.
    if (m_workspace.busy()) co_return;
    const Draft &current = m_workspace.draft();
    if (!current.customer) {
        m_workspace.setError(QCoreApplication::translate("Workspace", messages::chooseCustomerFirst));
        co_return;
    }
    // A second tap after a save went through (a fast server) would make a
    // second quote with a new number: a saved, unchanged, ready quote is not
    // saved again.
    if (!current.pendingSave && current.saved && !current.dirty && m_workspace.savedQuoteReady()) co_return;
    // A pending save is re-sent exactly as stored, so it is not checked again.
    if (!current.pendingSave) {
        if (const std::optional<QString> problem = quoteValidationMessage(current)) {
            m_workspace.setError(*problem);
            co_return;
        }
    }
    const Customer customer = *current.customer;
    std::function<QCoro::Task<>()> steps = [this, customer] { return saveQuoteSteps(customer); };
    co_await m_workspace.performBusy(std::move(steps));
}

QCoro::Task<> QuotePart::saveQuoteSteps(Customer customer)
{
    const WorkspaceGuard guard(m_workspace);
    const Draft &current = m_workspace.draft();

    SaveQuoteRequest request;
    if (current.pendingSave) {
        request = *current.pendingSave;
    } else {
        request.requestId = current.requestId;
        request.sourceId = current.sourceId;
        request.customerId = customer.id;
        request.dealId = current.deal ? current.deal->id : QString();
        request.lines = current.lines;
        request.notes = current.notes;
        request.terms = current.terms;
        request.discount = current.discount;
        request.shipping = current.shipping;
        request.adjustment = current.adjustment;
    }
    Draft draft = current;
    draft.pendingSave = request;
    m_workspace.storeDraft(std::move(draft),
                           QCoreApplication::translate("Workspace", messages::quoteSaveLabel));

    std::optional<Quote> saved;
    std::exception_ptr failure;
    try {
        saved = co_await CheckoutAPI::saveQuote(m_workspace.api(), request);
    } catch (...) {
        failure = std::current_exception();
    }
    guard.ensure();
    // The draft was replaced meanwhile (a reopened request, say): this reply
    // is not about the draft on screen.
    if (m_workspace.draft().pendingSave != request) throw CancelledError();
    if (failure) {
        // Only a definite refusal frees the draft; after any other failure
        // the server may hold the quote, so the same request goes again.
        const CreateOutcome outcome = createOutcome(failure);
        logRecovery("quote save", request.requestId, recoveryOutcomeOf(failure));
        if (!notCreated(outcome)) rethrowKept(failure, resumeAction::resumeSavingQuote);
        dropRefusedSave(request, outcome, failure);
        std::rethrow_exception(failure);
    }
    loadQuote(*saved);
    m_workspace.setNotice(saved->number +
                          QCoreApplication::translate("Workspace", messages::quoteSavedSuffix));
}

void QuotePart::dropRefusedSave(const SaveQuoteRequest &request, CreateOutcome outcome,
                                const std::exception_ptr &failure)
{
    Draft draft = m_workspace.draft();
    draft.pendingSave.reset();
    // A spent id would be refused again however the quote changes.
    if (outcome == CreateOutcome::requestIdConflict) draft.requestId = newUuidString();
    // A revision refused as a conflict concerns the quote it revises (checked
    // out or invoiced meanwhile): the lines stay and are saved as a new quote.
    if (outcome == CreateOutcome::refused && !request.sourceId.isEmpty() && httpStatus(failure) == 409) {
        draft.sourceId.clear();
        draft.sourceNumber.clear();
        draft.saved.reset();
        draft.dirty = true;
        draft.requestId = newUuidString();
    }
    m_workspace.setDraft(std::move(draft));
    m_workspace.releaseActiveArchiveEntry();
}

// ---- deals -----------------------------------------------------------------------------------

QCoro::Task<> QuotePart::selectDeal(std::optional<Deal> deal)
{
    const Draft &current = m_workspace.draft();
    if (current.saved && !current.dirty) {
        const Quote quote = *current.saved;
        std::function<QCoro::Task<>()> link = [this, quote, deal] { return linkDeal(quote, deal); };
        co_await m_workspace.performBusy(std::move(link));
        co_return;
    }
    // A local choice is an edit, and a locked draft takes no edits.
    m_workspace.editDraft([&](Draft &draft) { draft.deal = deal; });
}

QCoro::Task<> QuotePart::linkDeal(Quote quote, std::optional<Deal> deal)
{
    const WorkspaceGuard guard(m_workspace);
    // Outside the co_await: this compiler mishandles a conditional there.
    const QString dealId = deal ? deal->id : QString();
    const Quote linked = co_await CheckoutAPI::linkQuoteDeal(m_workspace.api(), quote.id, dealId);
    guard.ensure();
    if (!m_workspace.draft().saved || m_workspace.draft().saved->id != quote.id) throw CancelledError();
    Draft draft = m_workspace.draft();
    draft.deal = deal;
    draft.saved = linked;
    m_workspace.setDraft(std::move(draft));
}

QCoro::Task<> QuotePart::refreshDeal(QString id)
{
    std::function<QCoro::Task<>()> steps = [this, id] { return refreshDealSteps(id); };
    co_await m_workspace.performBusy(std::move(steps));
}

QCoro::Task<> QuotePart::refreshDealSteps(QString id)
{
    const WorkspaceGuard guard(m_workspace);
    std::optional<Deal> deal = co_await CheckoutAPI::deal(m_workspace.api(), id);
    guard.ensure();
    Draft draft = m_workspace.draft();
    draft.deal = std::move(deal);
    m_workspace.setDraft(std::move(draft));
}

} // namespace vantrel
