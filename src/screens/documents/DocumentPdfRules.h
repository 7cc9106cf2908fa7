#pragma once
// Which document a PDF button opens and the words its preview shows while it
// loads, fails or reads. Pure functions over records.

#include "screens/quote/QuoteEditorRules.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

// The document a PDF button opens in the preview; the views read it as a typed value.
struct DocumentPdfTarget {
    Q_GADGET
    QML_VALUE_TYPE(documentPdfTarget)
    Q_PROPERTY(QString path MEMBER path)
    Q_PROPERTY(QString number MEMBER number)
    Q_PROPERTY(QString kind MEMBER kind)

public:
    QString path;
    QString number;
    QString kind; // "quote" or "invoice"
    bool operator==(const DocumentPdfTarget &) const = default;
};
DocumentPdfTarget quotePdfTarget(const Quote &quote);
DocumentPdfTarget invoicePdfTarget(const CheckoutTransaction &transaction);
QString pdfUnreadableMessage(const QString &kind);
QString pdfConnectionChangedMessage(const QString &kind);
QString pdfLoadingText(const QString &kind);
QString pdfCouldNotLoadText(const QString &kind);
// The kind ("quote", "invoice") as a word of the sentences about it.
QString pdfKindWord(const QString &kind);
QString pdfPageCaption(int pages);

} // namespace vantrel::screens
