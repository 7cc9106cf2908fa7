#include "QuotePart.h"

#include "CheckoutModel.h"
#include "Launch.h"
#include "QuoteValidation.h"

#include "records/Money.h"

namespace vantrel {

QuotePart::QuotePart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_lines(makeQuoteLineList(this)),
      m_shown(workspace.draft())
{
    m_lines->assign(m_shown.lines);
    m_editingLocked = workspace.editingLocked();
    m_savedQuoteReady = workspace.savedQuoteReady();
    connect(&workspace, &CheckoutModel::draftChanged, this, &QuotePart::draftReplaced);
    connect(&workspace, &CheckoutModel::busyChanged, this, &QuotePart::recheckLocks);
    connect(&workspace, &CheckoutModel::transactionChanged, this, &QuotePart::recheckLocks);
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
    const QString currency = m_shown.saved->currency.isEmpty() ? defaultCurrency : m_shown.saved->currency;
    return moneyText(m_shown.saved->total, currency);
}

QString QuotePart::subtotalText() const
{
    return moneyText(m_workspace.draftSubtotal().toString(), defaultCurrency);
}

// ---- edits -------------------------------------------------------------------------

bool QuotePart::addProduct(const QString &productId)
{
    const QList<Product> &products = m_workspace.products();
    const auto found = std::find_if(products.cbegin(), products.cend(),
                                    [&](const Product &p) { return p.id == productId; });
    if (found == products.cend()) return false;
    return m_workspace.addProduct(*found);
}

bool QuotePart::editField(const std::function<void(Draft &)> &change)
{
    return m_workspace.editDraft(change);
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
    return editLine(lineId, [&](QuoteLine &line) { line.quantity = text; });
}

bool QuotePart::setLineRate(const QString &lineId, const QString &text)
{
    return editLine(lineId, [&](QuoteLine &line) { line.rate = text; });
}

bool QuotePart::setLineDiscount(const QString &lineId, const QString &text)
{
    return editLine(lineId, [&](QuoteLine &line) { line.discount = text; });
}

bool QuotePart::setLineDescription(const QString &lineId, const QString &text)
{
    return editLine(lineId, [&](QuoteLine &line) { line.description = text; });
}

bool QuotePart::setLineTax(const QString &lineId, const QString &taxId)
{
    return editLine(lineId, [&](QuoteLine &line) { line.taxId = taxId; });
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

bool QuotePart::setNotes(const QString &text)
{
    return editField([&](Draft &draft) { draft.notes = text; });
}

bool QuotePart::setTerms(const QString &text)
{
    return editField([&](Draft &draft) { draft.terms = text; });
}

bool QuotePart::setDiscount(const QString &text)
{
    return editField([&](Draft &draft) { draft.discount = text; });
}

bool QuotePart::setDiscountType(const QString &type)
{
    return editField([&](Draft &draft) { draft.discountType = type; });
}

bool QuotePart::setShipping(const QString &text)
{
    return editField([&](Draft &draft) { draft.shipping = text; });
}

bool QuotePart::setAdjustment(const QString &text)
{
    return editField([&](Draft &draft) { draft.adjustment = text; });
}

// ---- requests ------------------------------------------------------------------------

void QuotePart::save() { launch(m_workspace.saveQuote()); }

QCoro::Task<bool> QuotePart::openQuoteById(QString quoteId, QString customerId)
{
    // The owner is a customer of the search results or the draft's own.
    std::optional<Customer> owner;
    const QList<Customer> &found = m_workspace.customers();
    const auto listed = std::find_if(found.cbegin(), found.cend(), [&](const Customer &c) { return c.id == customerId; });
    if (listed != found.cend()) owner = *listed;
    else if (m_shown.customer && m_shown.customer->id == customerId) owner = m_shown.customer;
    if (!owner) co_return false;
    const Customer customer = *owner;
    const bool opened = co_await m_workspace.openQuote(quoteId, customer);
    co_return opened;
}

QCoro::QmlTask QuotePart::openQuote(const QString &quoteId, const QString &customerId)
{
    return openQuoteById(quoteId, customerId);
}

void QuotePart::selectDeal(const QString &dealId)
{
    std::optional<Deal> deal;
    if (!dealId.isEmpty()) {
        const QList<Deal> &deals = m_workspace.deals();
        const auto found = std::find_if(deals.cbegin(), deals.cend(), [&](const Deal &d) { return d.id == dealId; });
        if (found == deals.cend()) return;
        deal = *found;
    }
    launch(m_workspace.selectDeal(std::move(deal)));
}

void QuotePart::refreshDeal()
{
    if (m_shown.deal) launch(m_workspace.refreshDeal(m_shown.deal->id));
}

void QuotePart::printQuotePDF() { launch(m_workspace.printQuotePDF()); }

} // namespace vantrel
