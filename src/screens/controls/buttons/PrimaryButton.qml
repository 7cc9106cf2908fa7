import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The filled, full-width call to action.
TapButton {
    id: button
    // Optional symbol after the title.
    property string trailingSymbol
    // Draws a progress indicator in place of the title.
    property bool working: false
    // Destructive confirmations use the destructive colour instead of ink.
    property bool destructive: false
    readonly property color fill: destructive ? Theme.destructive : Theme.ink

    Layout.fillWidth: true
    implicitHeight: contentItem.implicitHeight + 34
    padding: 0
    topPadding: 17
    bottomPadding: 17
    leftPadding: 20
    rightPadding: 20
    font.family: Theme.fontFamily
    font.pixelSize: Theme.headline
    font.weight: Font.DemiBold
    Accessible.name: text

    background: Rectangle {
        radius: Theme.cornerRadius
        color: button.fill
        opacity: !button.enabled ? 0.35 : (button.down ? 0.8 : 1)
    }
    contentItem: Item {
        implicitHeight: Math.max(label.implicitHeight, 20)
        implicitWidth: row.implicitWidth
        Row {
            id: row
            anchors.centerIn: parent
            spacing: 8
            visible: !button.working
            PlainLabel {
                id: label
                text: button.text
                font: button.font
                color: "white"
                anchors.verticalCenter: parent.verticalCenter
            }
            SymbolIcon {
                visible: button.trailingSymbol.length > 0
                symbol: button.trailingSymbol
                color: "white"
                size: 18
                anchors.verticalCenter: parent.verticalCenter
            }
        }
        BusyIndicator {
            anchors.centerIn: parent
            visible: button.working
            running: visible
            implicitWidth: 22
            implicitHeight: 22
            palette.dark: "white"
        }
    }
}
