#include "StandinState.h"

#include "records/Uuid.h"

#include <QDateTime>

namespace standin {

using namespace vantrel;

static const QStringList editableStatuses = {QStringLiteral("draft"), QStringLiteral("sent"),
                                             QStringLiteral("accepted"), QStringLiteral("declined"),
                                             QStringLiteral("expired")};

static bool isPaidStatus(const QString &status)
{
    return status == QLatin1String(status::syncingZoho) || status == QLatin1String(status::paidSyncPending) ||
           status == QLatin1String(status::complete);
}

static bool isFinal(const QString &status)
{
    return status == QLatin1String(status::complete) || status == QLatin1String(status::canceled);
}

const StoredCheckout *StandinServer::State::latestCheckout(const QString &quoteId) const
{
    const StoredCheckout *latest = nullptr;
    for (const QString &id : checkouts.order) {
        const StoredCheckout &c = checkouts.at(id);
        if (c.tx.quoteId == quoteId) latest = &c; // insertion order is creation order
    }
    return latest;
}

Quote StandinServer::State::present(const StoredQuote &stored, const QString &user) const
{
    Quote quote = stored.quote;
    const StoredCheckout *c = latestCheckout(quote.id);
    if (!c) return quote;
    const CheckoutTransaction &tx = c->tx;
    quote.transaction = tx;
    quote.checkoutStatus = tx.status;
    quote.checkoutReadOnly = !isFinal(tx.status) && !user.isEmpty() && c->owner != user;

    QuotePaymentSummary summary;
    summary.currency = quote.currency;
    summary.checkedAt = nowSeconds();
    summary.checkoutStatus = tx.status;
    if (isPaidStatus(tx.status) || tx.squarePaymentId) {
        summary.status = QStringLiteral("paid");
        summary.label = QStringLiteral("Paid");
        summary.balance = QStringLiteral("0.00");
        if (tx.tender != QLatin1String("cash")) summary.squarePaymentConfirmed = true;
        if (tx.invoiceId) {
            const QString date = QDateTime::fromMSecsSinceEpoch(qint64(tx.created * 1000), Qt::UTC)
                                     .toString(QStringLiteral("yyyy-MM-dd"));
            summary.invoices.append(QuoteInvoice{*tx.invoiceId, tx.invoiceNumber.value_or(QString()),
                                                 QStringLiteral("paid"), quote.total, QStringLiteral("0.00"),
                                                 quote.currency, date, date});
        }
        if (tx.status != QLatin1String(status::complete))
            summary.warning = QStringLiteral("Payment received; the accounting update is still running.");
    } else if (tx.status == QLatin1String(status::canceled)) {
        summary.status = QStringLiteral("unpaid");
        summary.label = QStringLiteral("Checkout canceled");
        summary.balance = quote.total;
    } else {
        summary.status = QStringLiteral("pending");
        summary.label = QStringLiteral("Payment in progress");
        summary.balance = quote.total;
    }
    quote.paymentSummary = summary;
    return quote;
}

// Amount text with an optional trailing "%"; empty text counts as zero.
struct Reduction {
    Decimal value;
    bool percent = false;
};

static std::optional<Reduction> parseReduction(const QString &text)
{
    QString t = text.trimmed();
    Reduction r;
    if (t.endsWith(QLatin1Char('%'))) {
        r.percent = true;
        t.chop(1);
        t = t.trimmed();
    }
    if (t.isEmpty()) return r.percent ? std::nullopt : std::optional<Reduction>(r);
    const auto value = Decimal::parse(t);
    if (!value || value->isNegative() || Decimal(1000000000) < *value) return std::nullopt;
    if (r.percent && Decimal(100) < *value) return std::nullopt;
    r.value = *value;
    return r;
}

static std::optional<Decimal> parseAmount(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return Decimal(0);
    return Decimal::parse(t);
}

void StandinServer::State::computeTotals(Quote &quote) const
{
    static const Decimal hundredth = *Decimal::parse(u"0.01");
    Decimal subtotal;
    Decimal tax;
    int index = 0;
    for (const QuoteLine &line : quote.lines) {
        ++index;
        const auto quantity = Decimal::parse(line.quantity.trimmed());
        const auto rate = Decimal::parse(line.rate.trimmed());
        // The upper limits keep every product and sum far inside exact decimal range.
        if (!quantity || !rate || !(Decimal(0) < *quantity) || rate->isNegative() ||
            Decimal(1000000) < *quantity || Decimal(1000000000) < *rate)
            throw Refusal{400, QStringLiteral("Each line needs a positive quantity and a valid price.")};
        const auto discount = parseReduction(line.discount);
        if (!discount) throw Refusal{400, QStringLiteral("Enter a valid discount, such as 10%.")};
        const Decimal gross = (*quantity * *rate).rounded(2);
        const Decimal off =
            discount->percent ? (gross * discount->value * hundredth).rounded(2) : discount->value.rounded(2);
        if (gross < off)
            throw Refusal{
                400, QStringLiteral("The discount on line %1 is larger than the line amount.").arg(index)};
        const Decimal net = gross - off;
        subtotal = subtotal + net;
        if (!line.taxId.isEmpty()) {
            const Tax *t = taxes.find(line.taxId);
            if (!t)
                throw Refusal{400,
                              QStringLiteral("Line %1 uses a tax this server does not know.").arg(index)};
            tax = tax + (net * Decimal::parseOrZero(t->percentage) * hundredth).rounded(2);
        }
    }
    const auto orderDiscount = parseReduction(quote.discount);
    if (!orderDiscount) throw Refusal{400, QStringLiteral("Enter a valid discount, such as 10%.")};
    const auto shipping = parseAmount(quote.shipping);
    const auto adjustment = parseAmount(quote.adjustment);
    const Decimal limit(1000000000);
    if (!shipping || !adjustment || limit < *shipping || *shipping < -limit || limit < *adjustment ||
        *adjustment < -limit)
        throw Refusal{400, QStringLiteral("Enter valid shipping and adjustment amounts.")};
    // The order discount comes off after tax, as a share of the subtotal when given in percent.
    const Decimal off = orderDiscount->percent ? (subtotal * orderDiscount->value * hundredth).rounded(2)
                                               : orderDiscount->value.rounded(2);
    const Decimal total = subtotal + tax - off + shipping->rounded(2) + adjustment->rounded(2);
    if (total.isNegative()) throw Refusal{400, QStringLiteral("The quote total cannot be negative.")};
    quote.subtotal = moneyString(subtotal);
    quote.tax = moneyString(tax);
    quote.total = moneyString(total);
    quote.discountType = off.isZero() ? QStringLiteral("item_level") : QStringLiteral("entity_level");
}

HttpResponse StandinServer::State::quotesOf(const HttpRequest &r, const QString &user)
{
    const QString customerId = r.query.queryItemValue(QStringLiteral("customer_id"), QUrl::FullyDecoded);
    if (customerId.isEmpty()) throw Refusal{400, QStringLiteral("Give a customer_id.")};
    if (!customers.contains(customerId)) throw Refusal{404, QStringLiteral("This customer does not exist.")};
    QuotesResponse reply;
    for (auto it = quotes.order.crbegin(); it != quotes.order.crend(); ++it) {
        const StoredQuote &q = quotes.at(*it);
        if (q.quote.customerId == customerId) reply.quotes.append(present(q, user));
    }
    return recordReply(reply);
}

HttpResponse StandinServer::State::saveQuote(const HttpRequest &r, const QString &user)
{
    const SaveQuoteRequest request = decode<SaveQuoteRequest>(r.body, KeyStyle::Wire, "SaveQuoteRequest");
    if (request.requestId.trimmed().isEmpty())
        throw Refusal{400, QStringLiteral("The request has no request_id.")};
    const QString key = QStringLiteral("quote:") + request.requestId;
    if (const LedgerEntry *entry = ledger.find(key)) {
        if (entry->body != canonical(request))
            throw Refusal{409, QStringLiteral("This request id was already used to save a different quote."), requestIdConflictCode};
        const StoredQuote *saved = quotes.find(entry->resultId);
        if (!saved) throw Refusal{500, QStringLiteral("The quote of this request is missing.")};
        return recordReply(present(*saved, user));
    }

    const Customer *customer = customers.find(request.customerId);
    if (!customer) throw Refusal{400, QStringLiteral("Choose a customer first.")};
    if (!request.dealId.isEmpty()) {
        const Deal *deal = deals.find(request.dealId);
        if (!deal) throw Refusal{400, QStringLiteral("The linked deal does not exist.")};
        if (deal->accountId != customer->accountId)
            throw Refusal{400, QStringLiteral("The linked deal belongs to another customer.")};
    }
    if (request.lines.isEmpty())
        throw Refusal{400, QStringLiteral("Add at least one item before saving the quote.")};

    StoredQuote stored;
    stored.owner = user;
    Quote &quote = stored.quote;
    if (!request.sourceId.isEmpty()) {
        const StoredQuote *source = quotes.find(request.sourceId);
        if (!source) throw Refusal{400, QStringLiteral("The quote being revised does not exist.")};
        const StoredCheckout *c = latestCheckout(source->quote.id);
        if (!editableStatuses.contains(source->quote.status) ||
            (c && c->tx.status != QLatin1String(status::canceled)))
            throw Refusal{409,
                          QStringLiteral("This quote is no longer available for editing. Save the draft as a "
                                         "new quote instead.")};
        quote = source->quote;
    } else {
        quote.id = newId();
    }
    quote.number = QStringLiteral("QT-%1").arg(store.next(QStringLiteral("quoteNumber"), 10001), 6, 10,
                                               QLatin1Char('0'));
    quote.customerId = customer->id;
    quote.customerName = customer->name;
    quote.status = QStringLiteral("sent");
    quote.dealId = request.dealId;
    quote.currency = QStringLiteral("USD");
    quote.notes = request.notes;
    quote.terms = request.terms;
    quote.discount = request.discount;
    quote.shipping = request.shipping;
    quote.adjustment = request.adjustment;
    quote.lines = request.lines;
    for (QuoteLine &line : quote.lines)
        if (line.id.isEmpty()) line.id = newUuidString();
    quote.transaction.reset();
    quote.checkoutReadOnly.reset();
    quote.checkoutStatus.reset();
    quote.paymentSummary.reset();
    computeTotals(quote);

    save(stored);
    saveLedger(key, LedgerEntry{canonical(request), QStringLiteral("done"), quote.id});
    return recordReply(present(stored, user));
}

HttpResponse StandinServer::State::linkDeal(const QString &quoteId, const HttpRequest &r, const QString &user)
{
    const StoredQuote *found = quotes.find(quoteId);
    if (!found) throw Refusal{404, QStringLiteral("This quote does not exist.")};
    const QJsonObject body = objectBody(r);
    const QJsonValue dealValue = body.value(QLatin1String("deal_id"));
    if (!dealValue.isString()) throw Refusal{400, QStringLiteral("Give deal_id as text (\"\" to unlink).")};
    const QString dealId = dealValue.toString();
    StoredQuote stored = *found;
    if (present(stored, user).checkoutReadOnly.value_or(false))
        throw Refusal{409, QStringLiteral("This quote has a checkout managed by another user.")};
    if (!dealId.isEmpty()) {
        const Deal *deal = deals.find(dealId);
        if (!deal) throw Refusal{400, QStringLiteral("The linked deal does not exist.")};
        const Customer *customer = customers.find(stored.quote.customerId);
        if (!customer || deal->accountId != customer->accountId)
            throw Refusal{400, QStringLiteral("The linked deal belongs to another customer.")};
    }
    stored.quote.dealId = dealId;
    save(stored);
    return recordReply(present(stored, user));
}

} // namespace standin
