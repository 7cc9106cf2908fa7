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
    readonly property real drawnOpacity: !enabled && !working ? 0.35 : (down ? 0.6 : 1)
    // Its operation runs: a progress indicator stands in for the title.
    property bool working: false

    background: Rectangle {
        radius: Theme.cornerRadius
        color: "transparent"
        border.color: Theme.ink
        border.width: 1.5
        opacity: button.drawnOpacity
    }
    contentItem: Item {
        implicitHeight: title.implicitHeight
        implicitWidth: title.implicitWidth
        PlainLabel {
            id: title
            anchors.fill: parent
            visible: !button.working
            text: button.text
            font: button.font
            color: Theme.ink
            opacity: button.drawnOpacity
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        BusyIndicator {
            anchors.centerIn: parent
            visible: button.working
            running: visible
            implicitWidth: 22
            implicitHeight: 22
        }
    }
}
