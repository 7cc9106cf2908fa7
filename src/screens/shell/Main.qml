import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The app's single window.
ApplicationWindow {
    id: window
    required property CheckoutModel workspace
    required property ShellActions actions

    width: 1180
    height: 820
    minimumWidth: 480
    minimumHeight: 560
    visible: true
    title: Qt.application.name
    color: Theme.canvas
    font.family: Theme.fontFamily
    palette.highlight: Theme.ink
    palette.window: Theme.canvas
    palette.base: Theme.surface
    palette.text: Theme.primaryText
    palette.windowText: Theme.primaryText
    palette.buttonText: Theme.ink

    RootView {
        objectName: "rootView"
        anchors.fill: parent
        workspace: window.workspace
        actions: window.actions
    }

    // Made only while it is on: a hidden second window would still hold a
    // scene graph of its own for the life of the app.
    Loader {
        active: DisplayPlacement.shown
        // qmllint disable unqualified
        sourceComponent: CustomerDisplayWindow {
            workspace: window.workspace
            associate: window
        }
        // qmllint enable unqualified
    }
}
