import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The card that reports a failed action; long messages scroll inside it so
// the Dismiss button always stays on the card.
Rectangle {
    id: card
    property string message
    signal dismiss()
    // Screen readers start on the title when the card appears.
    function focusTitle() { titleLabel.forceActiveFocus() }
    // Natural height of the message text, at least 1.
    readonly property real messageHeight: Math.max(messageText.implicitHeight, 1)

    implicitWidth: 520
    implicitHeight: column.implicitHeight + 56
    radius: 24
    color: Theme.surface
    border.color: Theme.separator

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 28
        spacing: 16
        RowLayout {
            spacing: 10
            SymbolIcon {
                symbol: "exclamationmark.circle"
                color: Theme.destructive
                size: 26
            }
            PlainLabel {
                id: titleLabel
                objectName: "errorTitle"
                Layout.fillWidth: true
                text: qsTr("Action failed")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.title2
                font.weight: Font.DemiBold
                color: Theme.primaryText
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
        }
        Flickable {
            id: messageArea
            objectName: "errorMessageArea"
            Layout.fillWidth: true
            Layout.preferredHeight: ViewLogic.errorMessageAreaHeight(card.messageHeight)
            contentHeight: messageText.implicitHeight
            interactive: ViewLogic.errorMessageScrolls(card.messageHeight)
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {
                policy: messageArea.interactive ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
            }
            PlainTextEdit {
                id: messageText
                objectName: "errorMessage"
                width: messageArea.width - (messageArea.interactive ? 18 : 0)
                text: card.message
                readOnly: true
                selectByMouse: true
                wrapMode: TextEdit.Wrap
                font.family: Theme.fontFamily
                font.pixelSize: Theme.body
                color: Theme.primaryText
                selectionColor: Qt.rgba(0, 0, 0, 0.2)
                selectedTextColor: Theme.primaryText
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
        PrimaryButton {
            objectName: "dismissErrorButton"
            Layout.topMargin: 4
            text: qsTr("Dismiss")
            onClicked: card.dismiss()
        }
    }
}
