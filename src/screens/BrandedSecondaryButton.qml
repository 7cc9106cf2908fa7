import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The outlined, full-width secondary action beside a PrimaryButton.
TapButton {
    id: button
    Layout.fillWidth: true
    padding: 0
    topPadding: 16
    bottomPadding: 16
    leftPadding: 20
    rightPadding: 20
    font.family: Theme.fontFamily
    font.pixelSize: Theme.headline
    font.weight: Font.DemiBold
    Accessible.name: text
    readonly property real drawnOpacity: !enabled ? 0.35 : (down ? 0.6 : 1)

    background: Rectangle {
        radius: Theme.cornerRadius
        color: "transparent"
        border.color: Theme.ink
        border.width: 1.5
        opacity: button.drawnOpacity
    }
    contentItem: PlainLabel {
        text: button.text
        font: button.font
        color: Theme.ink
        opacity: button.drawnOpacity
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
