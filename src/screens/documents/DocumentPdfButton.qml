import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The outlined document button of the quote and invoice PDFs: it opens the
// preview of its target in a sheet of its own.
SecondaryButton {
    id: button
    property CheckoutModel workspace
    // From DocumentPdfTexts.
    property documentPdfTarget target
    readonly property alias sheet: sheet

    contentItem: Item {
        implicitWidth: row.implicitWidth
        implicitHeight: label.implicitHeight
        opacity: button.drawnOpacity
        Row {
            id: row
            anchors.centerIn: parent
            spacing: 8
            SymbolIcon {
                symbol: "doc.richtext"
                size: 18
                anchors.verticalCenter: parent.verticalCenter
            }
            PlainLabel {
                id: label
                text: button.text
                font: button.font
                color: Theme.ink
                anchors.verticalCenter: parent.verticalCenter
            }
        }
    }
    onClicked: sheet.show(button.target)

    DocumentPdfSheet {
        id: sheet
        workspace: button.workspace
    }
}
