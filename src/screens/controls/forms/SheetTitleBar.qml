import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// A sheet's title, centred, with its "Done" button on the right.
Item {
    id: bar
    property string title
    property string doneText: SharedTexts.done
    // A button on the left ("Cancel", "Back"); none when empty.
    property string leadingText
    signal done()
    signal leading()
    implicitHeight: 36

    PlainLabel {
        anchors.centerIn: parent
        width: Math.min(implicitWidth, parent.width - 2 * (Math.max(doneButton.width, leadingButton.width) + 8))
        elide: Text.ElideRight
        text: bar.title
        font.family: Theme.fontFamily
        font.pixelSize: Theme.headline + 1
        font.weight: Font.DemiBold
        color: Theme.primaryText
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }
    TapButton {
        id: leadingButton
        objectName: "sheetLeadingButton"
        visible: bar.leadingText !== ""
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        implicitHeight: 44
        text: bar.leadingText
        Accessible.name: text
        background: Item {}
        contentItem: PlainLabel {
            text: leadingButton.text
            font.family: Theme.fontFamily
            font.pixelSize: Theme.body
            color: Theme.ink
            verticalAlignment: Text.AlignVCenter
            opacity: leadingButton.down ? 0.5 : 1
        }
        onClicked: bar.leading()
    }
    TapButton {
        id: doneButton
        visible: bar.doneText !== ""
        objectName: "sheetDoneButton"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        implicitHeight: 44
        text: bar.doneText
        Accessible.name: text
        background: Item {}
        contentItem: PlainLabel {
            text: doneButton.text
            font.family: Theme.fontFamily
            font.pixelSize: Theme.body
            font.weight: Font.DemiBold
            color: Theme.ink
            verticalAlignment: Text.AlignVCenter
            opacity: doneButton.down ? 0.5 : 1
        }
        onClicked: bar.done()
    }
}
