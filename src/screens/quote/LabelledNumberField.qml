import QtQuick
import QtQuick.Layouts
import Vantrel.Checkout

// A number field of the quote with its label in caption size above it.
ColumnLayout {
    id: box
    property string label
    property alias held: field.held
    property alias placeholderText: field.placeholderText
    property alias inputMethodHints: field.inputMethodHints
    signal typed(string text)
    spacing: 4

    PlainLabel {
        text: box.label
        font.family: Theme.fontFamily
        font.pixelSize: Theme.caption
        color: Theme.secondaryText
    }
    NumberField {
        id: field
        objectName: box.objectName + "Field"
        Layout.fillWidth: true
        Accessible.name: box.label
        onTyped: text => box.typed(text)
    }
}
