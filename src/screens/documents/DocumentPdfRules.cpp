#include "DocumentPdfRules.h"

namespace vantrel::screens {
namespace et = editorText;

namespace {

bool present(const std::optional<QString> &text) { return text && !text->isEmpty(); }

} // namespace

DocumentPdfTarget quotePdfTarget(const Quote &quote)
{
    return {QStringLiteral("/api/quotes/") + pathIdentifier(quote.id) + QStringLiteral("/pdf"), quote.number,
            QStringLiteral("quote")};
}

DocumentPdfTarget invoicePdfTarget(const CheckoutTransaction &transaction)
{
    return {QStringLiteral("/api/checkouts/") + pathIdentifier(transaction.id) + QStringLiteral("/pdf"),
            present(transaction.invoiceNumber) ? *transaction.invoiceNumber : et::paidInvoice.toString(),
            QStringLiteral("invoice")};
}

QString pdfUnreadableMessage(const QString &kind)
{
    return QStringLiteral("Unreadable ") + kind + QStringLiteral(" PDF from Zoho. Retry or check the ") +
           kind + QStringLiteral(" in Zoho.");
}

QString pdfConnectionChangedMessage(const QString &kind)
{
    return QStringLiteral("Workspace or connection changed. Retry to load the ") + kind + QLatin1Char('.');
}

QString pdfLoadingText(const QString &kind)
{
    return QStringLiteral("Loading ") + kind + QStringLiteral(" PDF\u2026");
}

QString pdfCouldNotLoadText(const QString &kind)
{
    return QStringLiteral("Could not load ") + kind + QStringLiteral(" PDF.");
}

QString pdfPageCaption(int pages)
{
    return QString::number(pages) + (pages == 1 ? QStringLiteral(" page") : QStringLiteral(" pages")) +
           et::pinchToZoom.toString();
}

} // namespace vantrel::screens
