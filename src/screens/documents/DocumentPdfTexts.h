#pragma once
// The words and targets of the quote and invoice PDF buttons and their
// preview, handed to QML so no screen retypes them.

#include "screens/documents/DocumentPdfRules.h"
#include "server/ReplyLimits.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

// Replies above this are refused before they are held whole in memory.
inline constexpr qint64 pdfMaximumBytes = replyLimit::document;

QString pdfTooLargeMessage(const QString &kind, qint64 limitBytes = pdfMaximumBytes);

class DocumentPdfTexts : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString viewPdf READ viewPdf CONSTANT)
    Q_PROPERTY(QString viewInvoice READ viewInvoice CONSTANT)
    Q_PROPERTY(QString done READ done CONSTANT)
    Q_PROPERTY(QString tryAgain READ tryAgain CONSTANT)
    Q_PROPERTY(QString unavailable READ unavailable CONSTANT)

public:
    using QObject::QObject;

    static QString viewPdf() { return editorText::viewPdf.toString(); }
    static QString viewInvoice() { return editorText::viewInvoice.toString(); }
    static QString done() { return editorText::done.toString(); }
    static QString tryAgain() { return editorText::tryAgain.toString(); }
    static QString unavailable() { return editorText::pdfUnavailable.toString(); }

    // The document a button opens.
    Q_INVOKABLE static vantrel::screens::DocumentPdfTarget quoteTarget(const QString &quoteId,
                                                                       const QString &quoteNumber);
    Q_INVOKABLE static vantrel::screens::DocumentPdfTarget invoiceTarget(const QString &transactionId,
                                                                         const QString &invoiceNumber);

    Q_INVOKABLE static QString loading(const QString &kind) { return pdfLoadingText(kind); }
    // The failure's own text, or the generic one when there is none.
    Q_INVOKABLE static QString unavailableMessage(const QString &kind, const QString &message);
    Q_INVOKABLE static QString pageCaption(int pages) { return pdfPageCaption(pages); }
};

} // namespace vantrel::screens
