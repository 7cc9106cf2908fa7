import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A passive message with its symbol: a title over a short explanation.
RowLayout {
    id: notice
    property string title
    property string message
    property string systemImage
    spacing: 12

    SymbolIcon {
        Layout.alignment: Qt.AlignTop
        symbol: notice.systemImage
        color: Theme.secondaryText
        size: Theme.title3 + 2
    }
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 2
        PlainLabel {
            Layout.fillWidth: true
            text: notice.title
            wrapMode: Text.WordWrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.subheadline
            font.weight: Font.DemiBold
            color: Theme.primaryText
        }
        PlainLabel {
            Layout.fillWidth: true
            visible: text.length > 0
            text: notice.message
            wrapMode: Text.WordWrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.caption
            color: Theme.secondaryText
        }
    }
}
