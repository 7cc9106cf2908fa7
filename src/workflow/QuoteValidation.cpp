#include "QuoteValidation.h"

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

std::optional<QString> quoteValidationMessage(const Draft &draft)
{
    const Decimal zero;
    for (const QuoteLine &line : draft.lines) {
        const auto quantity = parseQuoteNumber(line.quantity);
        const auto rate = parseQuoteNumber(line.rate);
        if (!quantity || !rate || !(zero < *quantity) || rate->isNegative())
            return QString::fromUtf8(messages::invalidLine);

        QString discountText = line.discount;
        discountText.remove(u'%');
        const auto discount = parseQuoteNumber(discountText);
        if (!discount || discount->isNegative()) return QString::fromUtf8(messages::invalidDiscount);
        if (line.discount.endsWith(u'%') && Decimal(100) < *discount)
            return QString::fromUtf8(messages::invalidDiscount);
    }
    if (!parseQuoteNumber(draft.shipping) || !parseQuoteNumber(draft.adjustment))
        return QString::fromUtf8(messages::invalidAmounts);
    return std::nullopt;
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

} // namespace vantrel
