import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A group that opens and closes under its label; the content is made only
// while it is open.
ColumnLayout {
    id: group
    property string title
    property string symbol
    property string caption
    property bool expanded: false
    default property alias content: holder.data
    spacing: 10

    TapButton {
        id: header
        Layout.fillWidth: true
        implicitHeight: 44
        padding: 0
        Accessible.name: group.title
        Accessible.role: Accessible.Button
        background: Item {}
        contentItem: RowLayout {
            spacing: 8
            SymbolIcon {
                visible: group.symbol !== ""
                symbol: group.symbol
                size: 17
            }
            SubheadLabel {
                text: group.title
                Layout.fillWidth: true
                elide: Text.ElideRight
                font.weight: Font.DemiBold
                color: Theme.primaryText
            }
            CaptionLabel {
                visible: group.caption !== ""
                text: group.caption
                color: Theme.orange
            }
            SymbolIcon {
                symbol: group.expanded ? "chevron.up" : "chevron.down"
                size: 15
                color: Theme.secondaryText
            }
        }
        onClicked: group.expanded = !group.expanded
    }
    ColumnLayout {
        id: holder
        visible: group.expanded
        Layout.fillWidth: true
        spacing: 10
    }
}
