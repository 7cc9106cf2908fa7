import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// One label–value row of a FormSection, with a divider above all but the first.
Item {
    id: formRow
    property string label
    property string value
    property bool first: false
    Layout.fillWidth: true
    implicitHeight: 46
    Accessible.role: Accessible.StaticText
    Accessible.name: label + ", " + value

    Rectangle {
        visible: !formRow.first
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.right: parent.right
        height: 1
        color: Theme.separator
    }
    BodyLabel {
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        text: formRow.label
    }
    BodyLabel {
        objectName: "value"
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        text: formRow.value
        color: Theme.secondaryText
    }
}
