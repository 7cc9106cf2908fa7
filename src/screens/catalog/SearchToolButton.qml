import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// A square icon button beside the search field, named for accessibility.
TapButton {
    id: button
    property string symbol
    property string label
    property bool active: false

    implicitWidth: 44
    implicitHeight: 44
    Accessible.role: Accessible.Button
    Accessible.name: label
    PlainToolTip {
        visible: button.hovered
        text: button.label
        delay: 600
    }
    hoverEnabled: true

    background: Rectangle {
        radius: 12
        color: button.active ? Theme.ink : (button.down ? Qt.rgba(0, 0, 0, 0.08) : Theme.surface)
        border.color: button.active ? Theme.ink : Theme.border
    }
    contentItem: Item {
        SymbolIcon {
            anchors.centerIn: parent
            symbol: button.symbol
            size: 19
            color: button.active ? Theme.surface : Theme.ink
        }
    }
}
