#include "DocumentPdfRules.h"

#include <QCoreApplication>

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

// The document's kind ("quote", "invoice") as the sentences below name it.
QString pdfKindWord(const QString &kind)
{
    if (kind == QLatin1String("quote")) return QCoreApplication::translate("DocumentPdf", "quote");
    if (kind == QLatin1String("invoice")) return QCoreApplication::translate("DocumentPdf", "invoice");
    return kind;
}

QString pdfUnreadableMessage(const QString &kind)
{
    return QCoreApplication::translate("DocumentPdf",
                                       "Unreadable %1 PDF from Zoho. Retry or check the %1 in Zoho.")
        .arg(pdfKindWord(kind));
}

QString pdfConnectionChangedMessage(const QString &kind)
{
    return QCoreApplication::translate("DocumentPdf",
                                       "Workspace or connection changed. Retry to load the %1.")
        .arg(pdfKindWord(kind));
}

QString pdfLoadingText(const QString &kind)
{
    return QCoreApplication::translate("DocumentPdf", "Loading %1 PDF…").arg(pdfKindWord(kind));
}

QString pdfCouldNotLoadText(const QString &kind)
{
    return QCoreApplication::translate("DocumentPdf", "Could not load %1 PDF.").arg(pdfKindWord(kind));
}

QString pdfPageCaption(int pages)
{
    return QCoreApplication::translate("DocumentPdf", "%n page(s)", nullptr, pages) +
           et::pinchToZoom.toString();
}

} // namespace vantrel::screens
