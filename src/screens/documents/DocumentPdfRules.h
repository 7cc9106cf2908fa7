#pragma once
// Which document a PDF button opens and the words its preview shows while it
// loads, fails or reads. Pure functions over records.

#include "screens/quote/QuoteEditorRules.h"

namespace vantrel::screens {

// The document a PDF button opens in the preview.
struct DocumentPdfTarget {
    QString path;
    QString number;
    QString kind; // "quote" or "invoice"
};
DocumentPdfTarget quotePdfTarget(const Quote &quote);
DocumentPdfTarget invoicePdfTarget(const CheckoutTransaction &transaction);
QString pdfUnreadableMessage(const QString &kind);
QString pdfConnectionChangedMessage(const QString &kind);
QString pdfLoadingText(const QString &kind);
QString pdfCouldNotLoadText(const QString &kind);
QString pdfPageCaption(int pages);

} // namespace vantrel::screens
