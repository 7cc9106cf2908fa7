import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A menu entry that switches one catalog filter, with a line that says what it covers.
MenuItem {
    id: item
    property string title
    property string detail

    checkable: true
    Accessible.name: title
    implicitWidth: 260
    contentItem: RowLayout {
        spacing: 10
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 1
            BodyLabel {
                text: item.title
            }
            CaptionLabel {
                text: item.detail
            }
        }
        SymbolIcon {
            visible: item.checked
            symbol: "checkmark"
            size: 16
        }
    }
    indicator: Item {}
}
