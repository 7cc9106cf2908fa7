import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// A symbol-only button; its accessibility name says what it does.
TapButton {
    id: button
    property string symbol
    property real symbolSize: 16
    property color tint: Theme.ink
    property bool framed: false

    padding: 0
    background: Rectangle {
        radius: 9
        color: button.down ? Qt.rgba(0, 0, 0, 0.10) : (button.hovered ? Qt.rgba(0, 0, 0, 0.05) : "transparent")
        border.width: button.framed ? 1 : 0
        border.color: Theme.border
    }
    contentItem: Item {
        SymbolIcon {
            anchors.centerIn: parent
            symbol: button.symbol
            size: button.symbolSize
            color: button.tint
            opacity: button.enabled ? 1 : 0.35
        }
    }
}
