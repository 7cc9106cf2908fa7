import QtQuick
import QtQuick.Window
import Vantrel.Checkout

// The second window the customer watches. It never takes the focus or the
// input of the associate's window, stands where the placement says, and
// hides while its screen is unplugged.
Window {
    id: display
    property CheckoutModel workspace
    // The associate's window, which keeps the focus.
    property Window associate

    objectName: "customerDisplayWindow"
    title: qsTr("Customer display")
    width: 1024
    height: 600
    color: Theme.canvas
    flags: Qt.Window | Qt.WindowDoesNotAcceptFocus | Qt.WindowTransparentForInput
           | (DisplayPlacement.fullScreen ? Qt.FramelessWindowHint : 0)

    visibility: !DisplayPlacement.shown ? Window.Hidden
                : DisplayPlacement.fullScreen ? Window.FullScreen : Window.Windowed

    Component.onCompleted: DisplayPlacement.moveToScreen(display)
    // Some platforms activate every window they show, whatever its flags say;
    // the associate must not lose the field they were typing in.
    onActiveChanged: {
        if (display.active && display.associate)
            display.associate.requestActivate()
    }
    Connections {
        target: DisplayPlacement
        function onChanged() { DisplayPlacement.moveToScreen(display) }
    }

    CustomerDisplayView {
        anchors.fill: parent
        workspace: display.workspace
    }
}
