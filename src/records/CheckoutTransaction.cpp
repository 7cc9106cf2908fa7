#include "CheckoutTransaction.h"

#include <QCoreApplication>

#ifndef VANTREL_RECEIPT_DOMAIN
#define VANTREL_RECEIPT_DOMAIN "squareup.com"
#endif
#ifndef VANTREL_SANDBOX_RECEIPT_DOMAIN
#define VANTREL_SANDBOX_RECEIPT_DOMAIN "squareupsandbox.com"
#endif

namespace vantrel {

QString productionReceiptDomain() { return QStringLiteral(VANTREL_RECEIPT_DOMAIN).toLower(); }
QString sandboxReceiptDomain() { return QStringLiteral(VANTREL_SANDBOX_RECEIPT_DOMAIN).toLower(); }

bool CheckoutTransaction::isNativeSquareRegister() const
{
    return paymentRoute && *paymentRoute == QLatin1String(route::squareRegister) && accountingMode &&
           *accountingMode == QLatin1String(accounting::nativeSquareSummary);
}

QString CheckoutTransaction::statusLabel() const
{
    const bool onRegister = paymentRoute && *paymentRoute == QLatin1String(route::squareRegister);
    if (status == QLatin1String(status::complete))
        return isNativeSquareRegister()
                   ? QCoreApplication::translate("Transaction", "Square payment confirmed")
                   : QCoreApplication::translate("Transaction", "Transaction complete");
    if (status == QLatin1String(status::awaitingRegisterPayment))
        return QCoreApplication::translate("Transaction", "Ready on Square Register");
    if (status == QLatin1String(status::awaitingPayment))
        return QCoreApplication::translate("Transaction", "Waiting for payment");
    if (status == QLatin1String(status::syncingZoho) || status == QLatin1String(status::paidSyncPending))
        return isNativeSquareRegister()
                   ? QCoreApplication::translate("Transaction", "Payment confirmed · quote update pending")
                   : QCoreApplication::translate("Transaction", "Payment received · syncing Zoho");
    if (status == QLatin1String(status::canceled))
        return onRegister ? QCoreApplication::translate("Transaction", "Square invoice canceled")
                          : QCoreApplication::translate("Transaction", "Payment canceled");
    if (status == QLatin1String(status::needsAttention))
        return QCoreApplication::translate("Transaction", "Check payment status");
    return onRegister ? QCoreApplication::translate("Transaction", "Preparing Square invoice")
                      : QCoreApplication::translate("Transaction", "Sending to Square");
}

static bool hostMatches(const QString &host, const QString &domain)
{
    return !domain.isEmpty() && (host == domain || host.endsWith(QLatin1Char('.') + domain));
}

std::optional<QUrl> CheckoutTransaction::receiptLink() const
{
    if (!receiptUrl) return std::nullopt;
    const QUrl url(*receiptUrl, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https")) return std::nullopt;
    // QUrl lower-cases the scheme; the address itself must say https.
    if (!receiptUrl->startsWith(QLatin1String("https:"))) return std::nullopt;
    if (!url.userName().isEmpty() || !url.password().isEmpty() || url.userInfo() != QString())
        return std::nullopt;
    if (url.port() != -1 && url.port() != 443) return std::nullopt;
    const QString host = url.host().toLower();
    if (host.isEmpty()) return std::nullopt;
    if (!hostMatches(host, productionReceiptDomain()) && !hostMatches(host, sandboxReceiptDomain()))
        return std::nullopt;
    return url;
}

} // namespace vantrel
