#include "ViewLogic.h"

#include "records/BuildConfiguration.h"
#include "records/CheckoutTransaction.h"

#include <QColor>
#include <QCoreApplication>
#include <QJsonObject>

#include <algorithm>

namespace vantrel::screens {

bool isSideBySide(double width) { return width >= sideBySideMinimumWidth; }

double quotePanelWidth(double width)
{
    return std::min(quotePanelShare * std::max(width, 0.0), quotePanelMaximumWidth);
}

bool showsPaymentStatus(bool hasTransaction, const QString &transactionStatus, bool ownCheckout)
{
    return hasTransaction && (transactionStatus != QLatin1String(status::canceled) || !ownCheckout);
}

QString confirmationSymbol(bool destructive)
{
    return destructive ? QStringLiteral("exclamationmark.circle") : QStringLiteral("arrow.right.circle");
}

double errorMessageAreaHeight(double measuredTextHeight)
{
    // NaN or negative measurements (before the first layout) count as the minimum.
    const double measured = measuredTextHeight > 1 ? measuredTextHeight : 1;
    return std::min(measured, errorMessageMaximumHeight);
}

bool errorMessageScrolls(double measuredTextHeight) { return measuredTextHeight > errorMessageMaximumHeight; }

ServerFieldState serverField(bool previewBuild)
{
    if (previewBuild)
        return {false, QCoreApplication::translate("Account", "This preview is pinned to its PR server.")};
    return {true, QCoreApplication::translate("Account", "Use your Checkout server address.")};
}

AccountSummary accountSummary(bool paymentsEnabled, const QString &paymentRoute, bool usesDailySquareImport,
                              const QString &paymentsSetupNotice)
{
    const bool register_ = paymentRoute == QLatin1String(route::squareRegister);
    AccountSummary summary;
    summary.payments = paymentsEnabled ? QCoreApplication::translate("Account", "Enabled")
                                       : QCoreApplication::translate("Account", "Setup required");
    summary.collectOn = register_ ? QStringLiteral("Square Register") : QStringLiteral("Square Terminal");
    summary.accounting = usesDailySquareImport
                             ? QCoreApplication::translate("Account", "Daily Square import")
                             : QCoreApplication::translate("Account", "Individual Zoho invoices");
    summary.businessDay = QStringLiteral("America/New_York");
    if (!paymentsEnabled) summary.setupCaption = paymentsSetupNotice;
    if (register_)
        summary.registerCaption = QCoreApplication::translate(
            "Account", "Create the invoice here. Collect card or cash under Invoices on Square Register.");
    summary.accountingCaption =
        usesDailySquareImport
            ? QCoreApplication::translate("Account", "Daily Square import handles accounting. No separate "
                                                     "Zoho invoice or pickup shipment is created.")
            : QCoreApplication::translate("Account", "Pickup fulfillment continues when the app is closed.");
    return summary;
}

QString ViewLogic::productionServerAddress() const { return productionServer(); }

QString ViewLogic::rgbHex(const QColor &colour) const { return colour.name(QColor::HexRgb).mid(1); }

} // namespace vantrel::screens
