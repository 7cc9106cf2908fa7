#pragma once
// Quote records: the quote, its lines, its payment summary and invoices.

#include "CheckoutTransaction.h"
#include "Reference.h"

namespace vantrel {

// One quote line; every field is text.
struct QuoteLine {
    QString id;
    QString itemId;
    QString sku;
    QString name;
    QString description;
    QString quantity;
    QString rate;
    QString discount;
    QString taxId;

    // The line added when a product is tapped in the catalog.
    static QuoteLine fromProduct(const Product &product);

    static constexpr auto fields()
    {
        return std::tuple{field("id", &QuoteLine::id),
                          field("itemId", &QuoteLine::itemId),
                          field("sku", &QuoteLine::sku),
                          field("name", &QuoteLine::name),
                          field("description", &QuoteLine::description),
                          field("quantity", &QuoteLine::quantity),
                          field("rate", &QuoteLine::rate),
                          field("discount", &QuoteLine::discount),
                          field("taxId", &QuoteLine::taxId)};
    }
    bool operator==(const QuoteLine &) const = default;
};

struct QuoteInvoice {
    QString id;
    QString number;
    QString status;
    QString total;
    QString balance;
    QString currency;
    QString date;
    QString dueDate;

    static constexpr auto fields()
    {
        return std::tuple{
            field("id", &QuoteInvoice::id),           field("number", &QuoteInvoice::number),
            field("status", &QuoteInvoice::status),   field("total", &QuoteInvoice::total),
            field("balance", &QuoteInvoice::balance), field("currency", &QuoteInvoice::currency),
            field("date", &QuoteInvoice::date),       field("dueDate", &QuoteInvoice::dueDate)};
    }
    bool operator==(const QuoteInvoice &) const = default;
};

struct QuotePaymentSummary {
    QString status;
    QString label;
    std::optional<QString> balance;
    QString currency;
    QList<QuoteInvoice> invoices;
    double checkedAt{};
    std::optional<QString> warning;
    std::optional<QString> checkoutStatus;
    std::optional<bool> squarePaymentConfirmed;

    static constexpr auto fields()
    {
        return std::tuple{field("status", &QuotePaymentSummary::status),
                          field("label", &QuotePaymentSummary::label),
                          field("balance", &QuotePaymentSummary::balance),
                          field("currency", &QuotePaymentSummary::currency),
                          field("invoices", &QuotePaymentSummary::invoices),
                          field("checkedAt", &QuotePaymentSummary::checkedAt),
                          field("warning", &QuotePaymentSummary::warning),
                          field("checkoutStatus", &QuotePaymentSummary::checkoutStatus),
                          field("squarePaymentConfirmed", &QuotePaymentSummary::squarePaymentConfirmed)};
    }
    bool operator==(const QuotePaymentSummary &) const = default;
};

// A saved quote as the server holds it.
struct Quote {
    QString id;
    QString number;
    QString customerId;
    QString customerName;
    QString status;
    QString dealId;
    QString total;
    QString subtotal;
    QString tax;
    QString currency;
    QString notes;
    QString terms;
    QString discount;
    QString shipping;
    QString adjustment;
    QString discountType;
    QList<QuoteLine> lines;
    std::optional<CheckoutTransaction> transaction;
    std::optional<bool> checkoutReadOnly;
    std::optional<QString> checkoutStatus;
    std::optional<QuotePaymentSummary> paymentSummary;

    static constexpr auto fields()
    {
        return std::tuple{field("id", &Quote::id),
                          field("number", &Quote::number),
                          field("customerId", &Quote::customerId),
                          field("customerName", &Quote::customerName),
                          field("status", &Quote::status),
                          field("dealId", &Quote::dealId),
                          field("total", &Quote::total),
                          field("subtotal", &Quote::subtotal),
                          field("tax", &Quote::tax),
                          field("currency", &Quote::currency),
                          field("notes", &Quote::notes),
                          field("terms", &Quote::terms),
                          field("discount", &Quote::discount),
                          field("shipping", &Quote::shipping),
                          field("adjustment", &Quote::adjustment),
                          field("discountType", &Quote::discountType),
                          field("lines", &Quote::lines),
                          field("transaction", &Quote::transaction),
                          field("checkoutReadOnly", &Quote::checkoutReadOnly),
                          field("checkoutStatus", &Quote::checkoutStatus),
                          field("paymentSummary", &Quote::paymentSummary)};
    }
    bool operator==(const Quote &) const = default;
};

struct QuotesResponse {
    QList<Quote> quotes;

    static constexpr auto fields() { return std::tuple{field("quotes", &QuotesResponse::quotes)}; }
    bool operator==(const QuotesResponse &) const = default;
};

struct TransactionsResponse {
    QList<CheckoutTransaction> checkouts;

    static constexpr auto fields()
    {
        return std::tuple{field("checkouts", &TransactionsResponse::checkouts)};
    }
    bool operator==(const TransactionsResponse &) const = default;
};

} // namespace vantrel
