import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A bordered header tool: symbol and title, or the symbol alone when the
// header is short of room (the title then stays its accessibility name).
TapButton {
    id: button
    property string symbol
    property bool compact: false

    padding: 0
    leftPadding: compact ? 10 : 14
    rightPadding: compact ? 10 : 14
    topPadding: 8
    bottomPadding: 8
    font.family: Theme.fontFamily
    font.pixelSize: Theme.subheadline
    font.weight: Font.Medium
    Accessible.name: text
    PlainToolTip {
        visible: button.compact && button.hovered
        text: button.text
        delay: 600
    }

    background: Rectangle {
        radius: 10
        color: button.down ? Qt.rgba(0, 0, 0, 0.08) : (button.hovered ? Qt.rgba(0, 0, 0, 0.04) : Theme.surface)
        border.color: Theme.border
        border.width: 1
        opacity: button.enabled ? 1 : 0.4
    }
    contentItem: Row {
        spacing: 7
        opacity: button.enabled ? 1 : 0.4
        SymbolIcon {
            symbol: button.symbol
            size: 17
            anchors.verticalCenter: parent.verticalCenter
        }
        PlainLabel {
            visible: !button.compact
            text: button.text
            font: button.font
            color: Theme.ink
            anchors.verticalCenter: parent.verticalCenter
        }
    }
}
