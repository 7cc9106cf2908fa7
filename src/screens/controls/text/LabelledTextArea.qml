import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A multi-line field with its label in caption size above it. `edited` fires
// only for the person's own typing, not when the bound text comes back.
ColumnLayout {
    id: box
    property string label
    property string text
    property real minimumHeight: 64
    signal edited(string text)
    spacing: 4

    PlainLabel {
        text: box.label
        font.family: Theme.fontFamily
        font.pixelSize: Theme.caption
        color: Theme.secondaryText
    }
    PlainTextArea {
        id: area
        objectName: box.objectName + "Area"
        Layout.fillWidth: true
        text: box.text
        wrapMode: TextEdit.Wrap
        font.family: Theme.fontFamily
        font.pixelSize: Theme.subheadline
        selectByMouse: true
        Accessible.name: box.label
        background: Rectangle {
            implicitHeight: box.minimumHeight
            radius: 9
            color: area.enabled ? Theme.surface : Theme.canvas
            border.width: area.activeFocus ? 2 : 1
            border.color: area.activeFocus ? Theme.ink : Theme.border
        }
        onTextChanged: if (text !== box.text) box.edited(text)
    }
}
