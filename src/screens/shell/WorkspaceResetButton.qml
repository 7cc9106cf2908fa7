import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// "Reset workspace" in the header, asked through a confirmation sheet.
HeaderToolButton {
    id: resetButton
    property CheckoutModel workspace
    // Emitted only when the workspace reports that it did reset.
    signal workspaceReset()
    property bool confirming: false

    objectName: "resetWorkspaceButton"
    text: qsTr("Reset workspace")
    symbol: "arrow.counterclockwise"
    onClicked: confirming = true
    onConfirmingChanged: confirming ? confirmation.open() : confirmation.close()

    ConfirmationSheet {
        id: confirmation
        objectName: "resetConfirmation"
        title: qsTr("Reset workspace?")
        message: qsTr("Unsaved edits are cleared. Requests stay in Transactions. Payments and server work continue. You stay signed in.")
        confirmTitle: qsTr("Reset workspace")
        role: "destructive"
        cancelTitle: SharedTexts.cancel
        onConfirm: {
            resetButton.confirming = false
            if (resetButton.workspace.resetWorkspace()) resetButton.workspaceReset()
        }
        onCancel: resetButton.confirming = false
    }
}
