import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// Holds the place of a screen that is not in this build yet, naming it.
Rectangle {
    id: panel
    property string title
    property string detail
    property string symbol: "square.grid.2x2"
    color: Theme.canvas
    Accessible.role: Accessible.Pane
    Accessible.name: title

    ColumnLayout {
        anchors.centerIn: parent
        width: Math.min(parent.width - 48, 360)
        spacing: 10
        Rectangle {
            Layout.alignment: Qt.AlignHCenter
            implicitWidth: 64
            implicitHeight: 64
            radius: 18
            color: Theme.surface
            border.color: Theme.separator
            SymbolIcon {
                anchors.centerIn: parent
                symbol: panel.symbol
                color: Theme.secondaryText
                size: 28
            }
        }
        PlainLabel {
            Layout.fillWidth: true
            Layout.topMargin: 4
            horizontalAlignment: Text.AlignHCenter
            text: panel.title
            wrapMode: Text.WordWrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.headline
            font.weight: Font.DemiBold
            color: Theme.primaryText
        }
        PlainLabel {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: panel.detail
            wrapMode: Text.WordWrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.subheadline
            color: Theme.secondaryText
        }
    }
}
