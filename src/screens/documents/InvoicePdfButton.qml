import QtQuick
import Vantrel.Checkout

// "View invoice" of a paid checkout; titled by its invoice number when it has one.
DocumentPdfButton {
    objectName: "invoicePdfButton"
    property string transactionId
    property string invoiceNumber
    text: DocumentPdfTexts.viewInvoice
    target: DocumentPdfTexts.invoiceTarget(transactionId, invoiceNumber)
}
