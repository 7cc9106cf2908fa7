import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The one way the app asks before it replaces or destroys work.
Sheet {
    id: confirmation
    property string title
    property string message
    property string confirmTitle
    // "destructive" or "" (none).
    property string role
    property string cancelTitle: SharedTexts.cancel
    readonly property bool destructive: role === "destructive"
    signal confirm()
    signal cancel()

    // Escape, a tap outside or the accessibility escape all act as cancel.
    property bool answered: false
    onAboutToShow: answered = false
    // Screen readers start on the question when it appears.
    onOpened: titleLabel.forceActiveFocus()
    onClosed: if (!answered) { answered = true; cancel() }

    preferredWidth: 520
    implicitHeight: column.implicitHeight + topPadding + bottomPadding

    function answer(confirmed) {
        answered = true
        close()
        if (confirmed) confirm(); else cancel()
    }

    contentItem: Flickable {
        clip: true
        contentWidth: width
        contentHeight: column.implicitHeight
        boundsBehavior: Flickable.StopAtBounds
        ColumnLayout {
            id: column
            width: confirmation.availableWidth
            spacing: 14
            SymbolIcon {
                objectName: "confirmationIcon"
                symbol: ViewLogic.confirmationSymbol(confirmation.destructive)
                color: confirmation.destructive ? Theme.destructive : Theme.ink
                size: 28
            }
            PlainLabel {
                id: titleLabel
                objectName: "confirmationTitle"
                Layout.fillWidth: true
                text: confirmation.title
                wrapMode: Text.WordWrap
                font.family: Theme.fontFamily
                font.pixelSize: Theme.title
                font.weight: Font.DemiBold
                font.letterSpacing: -0.5
                color: Theme.primaryText
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            BodyLabel {
                objectName: "confirmationMessage"
                Layout.fillWidth: true
                Layout.bottomMargin: 8
                text: confirmation.message
                wrapMode: Text.WordWrap
                lineHeight: 1.15
            }
            PrimaryButton {
                objectName: "confirmButton"
                text: confirmation.confirmTitle
                destructive: confirmation.destructive
                Accessible.description: qsTr("Confirms this change")
                onClicked: confirmation.answer(true)
            }
            SecondaryButton {
                objectName: "cancelButton"
                text: confirmation.cancelTitle
                onClicked: confirmation.answer(false)
            }
        }
    }
}
