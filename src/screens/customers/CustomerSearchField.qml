import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The rounded search field of the customer sheets: a magnifying glass, the
// prompt as placeholder, the label as its accessibility name, and a clear
// button while there is text. `edited` fires for the person's typing only.
TextField {
    id: field
    property string label
    property string prompt
    signal edited(string text)

    placeholderText: prompt
    leftPadding: 38
    rightPadding: text === "" ? 12 : 40
    font.family: Theme.fontFamily
    font.pixelSize: Theme.body
    selectByMouse: true
    inputMethodHints: Qt.ImhNoPredictiveText
    Accessible.name: label
    onTextEdited: field.edited(text)
    background: Rectangle {
        implicitHeight: 44
        radius: 12
        color: Theme.surface
        border.width: field.activeFocus ? 2 : 1
        border.color: field.activeFocus ? Theme.ink : Theme.border
    }
    SymbolIcon {
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        symbol: "magnifyingglass"
        size: 17
        color: Theme.secondaryText
    }
    IconButton {
        objectName: "clearSearchButton"
        visible: field.text !== ""
        anchors.right: parent.right
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        symbol: "xmark.circle.fill"
        tint: Theme.secondaryText
        Accessible.name: qsTr("Clear search")
        onClicked: {
            field.clear()
            field.edited("")
            field.forceActiveFocus()
        }
    }
}
