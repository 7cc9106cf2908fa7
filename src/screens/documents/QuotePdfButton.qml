import QtQuick
import Vantrel.Checkout

// "View PDF" of a saved quote.
DocumentPdfButton {
    objectName: "quotePdfButton"
    property string quoteId
    property string quoteNumber
    text: DocumentPdfTexts.viewPdf
    target: DocumentPdfTexts.quoteTarget(quoteId, quoteNumber)
}
