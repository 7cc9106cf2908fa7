#include "DocumentPdfTexts.h"

#include "DocumentPdfRules.h"

#include <QCoreApplication>

namespace vantrel::screens {

QString pdfTooLargeMessage(const QString &kind, qint64 limitBytes)
{
    return QCoreApplication::translate("DocumentPdf", "This %1 PDF is too large to show (over %2 MB).")
        .arg(pdfKindWord(kind))
        .arg(limitBytes / (1024 * 1024));
}

DocumentPdfTarget DocumentPdfTexts::quoteTarget(const QString &quoteId, const QString &quoteNumber)
{
    Quote quote;
    quote.id = quoteId;
    quote.number = quoteNumber;
    return quotePdfTarget(quote);
}

DocumentPdfTarget DocumentPdfTexts::invoiceTarget(const QString &transactionId, const QString &invoiceNumber)
{
    CheckoutTransaction transaction;
    transaction.id = transactionId;
    if (!invoiceNumber.isEmpty()) transaction.invoiceNumber = invoiceNumber;
    return invoicePdfTarget(transaction);
}

QString DocumentPdfTexts::unavailableMessage(const QString &kind, const QString &message)
{
    return message.isEmpty() ? pdfCouldNotLoadText(kind) : message;
}

} // namespace vantrel::screens
