#include "DocumentPdfTexts.h"

namespace vantrel::screens {

namespace {

QVariantMap asMap(const DocumentPdfTarget &target)
{
    return {{QStringLiteral("path"), target.path},
            {QStringLiteral("number"), target.number},
            {QStringLiteral("kind"), target.kind}};
}

} // namespace

QString pdfTooLargeMessage(const QString &kind, qint64 limitBytes)
{
    return QStringLiteral("This ") + kind + QStringLiteral(" PDF is too large to show (over ") +
           QString::number(limitBytes / (1024 * 1024)) + QStringLiteral(" MB).");
}

QVariantMap DocumentPdfTexts::quoteTarget(const QString &quoteId, const QString &quoteNumber)
{
    Quote quote;
    quote.id = quoteId;
    quote.number = quoteNumber;
    return asMap(quotePdfTarget(quote));
}

QVariantMap DocumentPdfTexts::invoiceTarget(const QString &transactionId, const QString &invoiceNumber)
{
    CheckoutTransaction transaction;
    transaction.id = transactionId;
    if (!invoiceNumber.isEmpty()) transaction.invoiceNumber = invoiceNumber;
    return asMap(invoicePdfTarget(transaction));
}

QString DocumentPdfTexts::unavailableMessage(const QString &kind, const QString &message)
{
    return message.isEmpty() ? pdfCouldNotLoadText(kind) : message;
}

} // namespace vantrel::screens
