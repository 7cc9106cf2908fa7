import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// Every sheet of the app: a modal card on the canvas colour with rounded
// corners and a drag indicator, sized to its content up to the window.
Popup {
    id: sheet
    // The widest the sheet grows on a large window.
    property real preferredWidth: 560
    // Set to fill the window height (the large detent) instead of the content's.
    property bool expanded: false

    parent: Overlay.overlay
    modal: true
    dim: true
    focus: true
    x: parent ? Math.round((parent.width - width) / 2) : 0
    y: parent ? Math.round((parent.height - height) / 2) : 0
    width: parent ? Math.min(preferredWidth, parent.width - 32) : preferredWidth
    height: parent ? (expanded ? parent.height - 48 : Math.min(implicitHeight, parent.height - 48)) : implicitHeight
    topPadding: 30
    bottomPadding: 24
    leftPadding: 24
    rightPadding: 24
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    palette.highlight: Theme.ink
    font.family: Theme.fontFamily

    background: Rectangle {
        color: Theme.canvas
        radius: 26
        Rectangle {
            // The drag indicator.
            width: 40
            height: 5
            radius: 2.5
            color: Qt.rgba(0, 0, 0, 0.22)
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.top: parent.top
            anchors.topMargin: 10
        }
    }
    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.32)
    }
    enter: Transition {
        NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 120 }
    }
    exit: Transition {
        NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 100 }
    }
}
