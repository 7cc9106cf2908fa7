import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// Shows the workspace's error slot as a ErrorCard over a dimmed window.
// It lives in the window's overlay above every sheet, so one per window
// covers the root and whatever sheet is in front.
Popup {
    id: errors
    property CheckoutModel workspace
    readonly property bool showing: workspace !== undefined && workspace !== null && workspace.error !== ""
    readonly property string text: showing ? workspace.error : ""

    parent: Overlay.overlay
    z: 1000
    modal: true
    dim: true
    focus: true
    padding: 0
    closePolicy: Popup.CloseOnEscape
    x: 0
    y: 0
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    onShowingChanged: showing ? open() : close()
    Component.onCompleted: if (showing) open()
    // Escape dismisses like the button does.
    onClosed: if (showing) workspace.clearError()
    onOpened: card.focusTitle()
    background: Item {}
    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.45)
    }

    contentItem: Item {
        ErrorCard {
            id: card
            objectName: "errorCard"
            anchors.centerIn: parent
            width: Math.min(520, parent.width - 40)
            message: errors.text
            onDismiss: errors.workspace.clearError()
        }
    }
}
