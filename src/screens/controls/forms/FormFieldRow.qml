import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// One editable row of a FormSection: the label on the left, the field on the
// right. `edited` fires for the person's typing only. A number row shows what
// the form keeps (the plain "2500.5") as the locale writes it ("2500,5") and
// leaves the person's typing as typed while it still reads as that value.
Item {
    id: row
    property string label
    property string text
    property string placeholder: qsTr("Required")
    property string accessibleName: label
    property int inputHints: Qt.ImhNone
    property bool first: false
    property bool number: false
    signal edited(string text)
    Layout.fillWidth: true
    implicitHeight: 48

    function showText() {
        if (!row.number)
            field.text = row.text
        else if (!field.activeFocus || Format.heldNumber(field.text) !== row.text)
            field.text = Format.fieldNumber(row.text)
    }
    onTextChanged: showText()
    onNumberChanged: showText()
    Component.onCompleted: showText()
    // A number is written again the new language's way.
    Connections {
        target: Format
        function onLanguageChanged() { row.showText() }
    }

    Rectangle {
        visible: !row.first
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.right: parent.right
        height: 1
        color: Theme.separator
    }
    BodyLabel {
        id: caption
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        width: 130
        text: row.label
        Accessible.ignored: true
    }
    TextField {
        id: field
        objectName: row.objectName + "Field"
        anchors.left: caption.right
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        placeholderText: row.placeholder
        inputMethodHints: row.inputHints
        horizontalAlignment: Text.AlignRight
        font.family: Theme.fontFamily
        font.pixelSize: Theme.body
        selectByMouse: true
        Accessible.name: row.accessibleName
        background: Rectangle {
            color: "transparent"
            radius: 8
            border.width: field.activeFocus ? 2 : 0
            border.color: Theme.ink
        }
        onTextEdited: row.edited(text)
        onActiveFocusChanged: row.showText()
    }
}
