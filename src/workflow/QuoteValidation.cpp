#include "QuoteValidation.h"

#include "KeptRequest.h"

#include <QCoreApplication>

namespace vantrel {

std::optional<Decimal> parseQuoteNumber(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'.' && !point) {
            point = true;
        } else if (c >= u'0' && c <= u'9') {
            digit = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) return std::nullopt;
    std::optional<Decimal> value = Decimal::parse(text);
    if (value && value->overflowed()) return std::nullopt;
    return value;
}

namespace {

// The server's limits: every product and sum stays far inside exact range.
const Decimal maxQuantity(1000000);
const Decimal maxAmount(1000000000);

struct Reduction {
    Decimal value;
    bool percent = false;
};

// An amount, or a share with a trailing "%" (at most 100); empty text is no
// reduction only where allowEmpty says so.
std::optional<Reduction> parseReduction(const QString &text, bool allowEmpty)
{
    Reduction r;
    QString t = text;
    if (t.endsWith(u'%')) {
        r.percent = true;
        t.chop(1);
    }
    t.remove(u'%');
    if (t.isEmpty() && allowEmpty && !r.percent) return r;
    const auto value = parseQuoteNumber(t);
    if (!value || value->isNegative() || maxAmount < *value) return std::nullopt;
    if (r.percent && Decimal(100) < *value) return std::nullopt;
    r.value = *value;
    return r;
}

Decimal percentOf(const Decimal &amount, const Decimal &percent)
{
    static const Decimal hundredth = *Decimal::parse(u"0.01");
    return (amount * percent * hundredth).rounded(2);
}

} // namespace

std::optional<QString> lineProblem(const QuoteLine &line)
{
    const Decimal zero;
    const auto quantity = parseQuoteNumber(line.quantity);
    const auto rate = parseQuoteNumber(line.rate);
    if (!quantity || !rate || !(zero < *quantity) || rate->isNegative())
        return QCoreApplication::translate("Workspace", messages::invalidLine);
    if (maxQuantity < *quantity) return QCoreApplication::translate("Workspace", messages::quantityTooLarge);
    if (maxAmount < *rate) return QCoreApplication::translate("Workspace", messages::rateTooLarge);

    const auto discount = parseReduction(line.discount, false);
    if (!discount) return QCoreApplication::translate("Workspace", messages::invalidDiscount);
    if (!discount->percent && (*quantity * *rate).rounded(2) < discount->value.rounded(2))
        return QCoreApplication::translate("Workspace", messages::discountOverLine);
    return std::nullopt;
}

Decimal lineNetAmount(const QuoteLine &line)
{
    const Decimal gross = (Decimal::parseOrZero(line.quantity) * Decimal::parseOrZero(line.rate)).rounded(2);
    QString text = line.discount;
    const bool percent = text.endsWith(u'%');
    text.remove(u'%');
    const Decimal value = Decimal::parseOrZero(text);
    if (value.isNegative() || gross.overflowed()) return gross;
    const Decimal off = percent ? percentOf(gross, value) : value.rounded(2);
    return gross < off ? Decimal() : gross - off;
}

std::optional<QString> orderProblem(const Draft &draft)
{
    const auto discount = parseReduction(draft.discount, true);
    if (!discount) return QCoreApplication::translate("Workspace", messages::invalidOrderDiscount);
    const auto shipping = parseQuoteNumber(draft.shipping);
    const auto adjustment = parseQuoteNumber(draft.adjustment);
    if (!shipping || !adjustment || maxAmount < *shipping || *shipping < -maxAmount ||
        maxAmount < *adjustment || *adjustment < -maxAmount)
        return QCoreApplication::translate("Workspace", messages::invalidAmounts);

    // Tax only adds to the total, so without taxed lines the sum before tax
    // is the total; with them the server decides.
    Decimal subtotal;
    for (const QuoteLine &line : draft.lines) {
        if (!line.taxId.isEmpty() || lineProblem(line)) return std::nullopt;
        subtotal = subtotal + lineNetAmount(line);
    }
    const Decimal off = discount->percent ? percentOf(subtotal, discount->value) : discount->value.rounded(2);
    const Decimal total = subtotal - off + shipping->rounded(2) + adjustment->rounded(2);
    if (total.isNegative()) return QCoreApplication::translate("Workspace", messages::negativeTotal);
    return std::nullopt;
}

std::optional<QString> quoteValidationMessage(const Draft &draft)
{
    for (const QuoteLine &line : draft.lines)
        if (std::optional<QString> problem = lineProblem(line)) return problem;
    return orderProblem(draft);
}

QString quantityPlusOne(const QString &quantity)
{
    // The stored text may come from elsewhere (a server quote), so the
    // general grammar reads it; the sum is always written plainly.
    const Decimal sum = Decimal::parseOrZero(quantity) + Decimal(1);
    if (sum.overflowed()) return quantity;
    return sum.toString();
}

} // namespace vantrel

namespace vantrel {

bool canStepDown(const QString &quantity) { return Decimal::parseOrZero(quantity) > Decimal(1); }

QString quantityMinusOne(const QString &quantity)
{
    if (!canStepDown(quantity)) return quantity;
    const Decimal next = Decimal::parseOrZero(quantity) - Decimal(1);
    return next.overflowed() ? quantity : next.toString();
}

namespace {
const QStringList editableQuoteStatuses{QStringLiteral("draft"), QStringLiteral("sent"),
                                        QStringLiteral("accepted"), QStringLiteral("declined"),
                                        QStringLiteral("expired")};
} // namespace

const char *quoteOpenRefusal(const Quote &quote)
{
    if (quote.checkoutReadOnly.value_or(false)) return messages::quoteManagedElsewhere;
    if (!editableQuoteStatuses.contains(quote.status)) return messages::quoteNotEditable;
    // Money already moved: a quote with a live or paid checkout, or with
    // invoices, is never edited again.
    if (quote.transaction && quote.transaction->status != QLatin1String("canceled"))
        return messages::quoteNotEditable;
    if (quote.paymentSummary && !quote.paymentSummary->invoices.isEmpty()) return messages::quoteNotEditable;
    return nullptr;
}

bool quoteIsOpenable(const Quote &quote) { return quoteOpenRefusal(quote) == nullptr; }

LockCause lockCause(const Draft &draft, bool busy, bool liveCheckout)
{
    if (draft.pendingCheckout) return LockCause::pendingCheckout;
    if (draft.pendingSave) return LockCause::pendingSave;
    if (draft.pendingCustomer) return LockCause::pendingCustomer;
    if (liveCheckout) return LockCause::liveCheckout;
    if (busy) return LockCause::busy;
    return LockCause::none;
}

QString lockReason(LockCause cause)
{
    const auto finishing = [](const char *text, const UiText &action) {
        return QCoreApplication::translate("Workspace", text).arg(action.toString());
    };
    switch (cause) {
    case LockCause::none: return {};
    case LockCause::pendingCheckout:
        return finishing(QT_TRANSLATE_NOOP("Workspace",
                                           "The quote is locked while a checkout request is waiting. "
                                           "Tap “%1” to finish it."),
                         resumeAction::checkSavedRequest);
    case LockCause::pendingSave:
        return finishing(
            QT_TRANSLATE_NOOP("Workspace",
                              "The quote is locked until its save is finished. Tap “%1” to finish it."),
            resumeAction::resumeSavingQuote);
    case LockCause::pendingCustomer:
        return finishing(QT_TRANSLATE_NOOP("Workspace",
                                           "The quote is locked while a new customer is being created. "
                                           "Choose the customer and tap “%1” to finish it."),
                         resumeAction::resumeCustomerCreation);
    case LockCause::liveCheckout:
        return QCoreApplication::translate("Workspace",
                                           "The quote is locked while its checkout is live. Reset the "
                                           "workspace to start another sale.");
    case LockCause::busy:
        return QCoreApplication::translate("Workspace", "Wait a moment: another operation is still running.");
    }
    return {};
}

} // namespace vantrel
