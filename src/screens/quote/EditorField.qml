import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// A single-line field of the editor: rounded, outlined, darker when focused.
TextField {
    id: field
    font.family: Theme.fontFamily
    font.pixelSize: Theme.subheadline
    color: Theme.primaryText
    leftPadding: 10
    rightPadding: 10
    selectByMouse: true
    Accessible.name: placeholderText
    background: Rectangle {
        implicitHeight: 36
        implicitWidth: 80
        radius: 9
        color: field.enabled ? Theme.surface : Theme.canvas
        border.width: field.activeFocus ? 2 : 1
        border.color: field.activeFocus ? Theme.ink : Theme.border
    }
}
