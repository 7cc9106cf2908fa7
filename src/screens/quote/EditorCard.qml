import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A tappable card of the editor: a symbol, a title with a caption under it,
// and a trailing chevron.
TapButton {
    id: card
    property string symbol
    property string title
    property string caption
    property string trailingSymbol: "chevron.right"
    property int titleSize: Theme.headline

    implicitHeight: Math.max(60, content.implicitHeight + 24)
    padding: 12
    leftPadding: 14
    rightPadding: 14
    Accessible.name: title + ", " + caption
    background: Rectangle {
        radius: Theme.cornerRadius
        color: card.down ? Qt.rgba(0, 0, 0, 0.05) : Theme.surface
        border.color: Theme.separator
        border.width: 1
    }
    contentItem: RowLayout {
        id: content
        spacing: 12
        opacity: card.enabled ? 1 : 0.45
        SymbolIcon {
            symbol: card.symbol
            size: 26
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 2
            PlainLabel {
                Layout.fillWidth: true
                text: card.title
                elide: Text.ElideRight
                font.family: Theme.fontFamily
                font.pixelSize: card.titleSize
                font.weight: Font.DemiBold
                color: Theme.primaryText
            }
            CaptionLabel {
                Layout.fillWidth: true
                text: card.caption
                elide: Text.ElideRight
            }
        }
        SymbolIcon {
            symbol: card.trailingSymbol
            size: 15
            color: Theme.secondaryText
        }
    }
}
