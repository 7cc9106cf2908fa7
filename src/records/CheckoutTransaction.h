#pragma once
// The checkout transaction and the texts derived from its codes.

#include "Codec.h"

#include <QUrl>

namespace vantrel {

// The server's record of one attempt to collect payment for a saved quote.
struct CheckoutTransaction {
    QString id;
    QString quoteId;
    QString quoteNumber;
    QString status;
    qint64 amountCents{};
    QString tender;
    bool hold{};
    qint64 cashCents{};
    std::optional<QString> invoiceId;
    std::optional<QString> invoiceNumber;
    std::optional<QString> salesorderId;
    std::optional<QString> zohoPaymentId;
    std::optional<QString> squarePaymentId;
    std::optional<QString> receiptUrl;
    std::optional<QString> paymentRoute;
    std::optional<QString> squareInvoiceId;
    std::optional<QString> squareInvoiceNumber;
    std::optional<QString> squareInvoiceUrl;
    std::optional<QString> accountingMode;
    std::optional<QString> accountingStatus;
    std::optional<QString> dealSyncStatus;
    std::optional<QString> dealSyncError;
    QString error;
    QString fulfillment;
    std::optional<QString> fulfillmentError;
    double created{};

    // Card payments collected on the register with the processor's daily import.
    bool isNativeSquareRegister() const;
    // The text shown for the status.
    QString statusLabel() const;
    // The receipt page, only when it is safe to open.
    std::optional<QUrl> receiptLink() const;

    static constexpr auto fields()
    {
        return std::tuple{field("id", &CheckoutTransaction::id),
                          field("quoteId", &CheckoutTransaction::quoteId),
                          field("quoteNumber", &CheckoutTransaction::quoteNumber),
                          field("status", &CheckoutTransaction::status),
                          field("amountCents", &CheckoutTransaction::amountCents),
                          field("tender", &CheckoutTransaction::tender),
                          field("hold", &CheckoutTransaction::hold),
                          field("cashCents", &CheckoutTransaction::cashCents),
                          field("invoiceId", &CheckoutTransaction::invoiceId),
                          field("invoiceNumber", &CheckoutTransaction::invoiceNumber),
                          field("salesorderId", &CheckoutTransaction::salesorderId),
                          field("zohoPaymentId", &CheckoutTransaction::zohoPaymentId),
                          field("squarePaymentId", &CheckoutTransaction::squarePaymentId),
                          field("receiptUrl", &CheckoutTransaction::receiptUrl),
                          field("paymentRoute", &CheckoutTransaction::paymentRoute),
                          field("squareInvoiceId", &CheckoutTransaction::squareInvoiceId),
                          field("squareInvoiceNumber", &CheckoutTransaction::squareInvoiceNumber),
                          field("squareInvoiceUrl", &CheckoutTransaction::squareInvoiceUrl),
                          field("accountingMode", &CheckoutTransaction::accountingMode),
                          field("accountingStatus", &CheckoutTransaction::accountingStatus),
                          field("dealSyncStatus", &CheckoutTransaction::dealSyncStatus),
                          field("dealSyncError", &CheckoutTransaction::dealSyncError),
                          field("error", &CheckoutTransaction::error),
                          field("fulfillment", &CheckoutTransaction::fulfillment),
                          field("fulfillmentError", &CheckoutTransaction::fulfillmentError),
                          field("created", &CheckoutTransaction::created)};
    }
    bool operator==(const CheckoutTransaction &) const = default;
};

namespace status {
inline constexpr const char *awaitingPayment = "awaiting_payment";
inline constexpr const char *awaitingRegisterPayment = "awaiting_register_payment";
inline constexpr const char *syncingZoho = "syncing_zoho";
inline constexpr const char *paidSyncPending = "paid_sync_pending";
inline constexpr const char *needsAttention = "needs_attention";
inline constexpr const char *complete = "complete";
inline constexpr const char *canceled = "canceled";
} // namespace status

namespace route {
inline constexpr const char *squareTerminal = "square_terminal";
inline constexpr const char *squareRegister = "square_register";
} // namespace route

namespace accounting {
inline constexpr const char *individualZoho = "individual_zoho";
inline constexpr const char *nativeSquareSummary = "native_square_summary";
} // namespace accounting

// Receipt domains accepted by receiptLink (deployment settings).
QString productionReceiptDomain();
QString sandboxReceiptDomain();

} // namespace vantrel
