import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// How staff collect a quote invoice on Square Register.
StatusCard {
    id: card
    property string invoiceNumber
    objectName: "registerInstructions"
    spacing: 8

    RowLayout {
        spacing: 10
        SymbolIcon {
            symbol: "creditcard"
            size: 20
        }
        HeadingLabel {
            Layout.fillWidth: true
            text: qsTr("Continue on Square Register")
            wrapMode: Text.WordWrap
        }
    }
    SubheadLabel {
        objectName: "registerInvoiceNumber"
        visible: card.invoiceNumber !== ""
        Layout.fillWidth: true
        text: SharedTexts.squareInvoicePrefix + card.invoiceNumber
        wrapMode: Text.WordWrap
        color: Theme.primaryText
    }
    SubheadLabel {
        objectName: "registerSteps"
        Layout.fillWidth: true
        text: qsTr("1. Open More \u2192 Invoices.\n2. Find this invoice and check the total.\n")
              + qsTr("3. Tap Add payment \u2192 Remaining amount and collect card or cash.")
        wrapMode: Text.WordWrap
        lineHeight: 1.25
    }
}
