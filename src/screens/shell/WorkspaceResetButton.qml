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
    text: "Reset workspace"
    symbol: "arrow.counterclockwise"
    onClicked: confirming = true
    onConfirmingChanged: confirming ? confirmation.open() : confirmation.close()

    ConfirmationSheet {
        id: confirmation
        objectName: "resetConfirmation"
        title: "Reset workspace?"
        message: "Unsaved edits are cleared. Requests stay in Transactions. Payments and server work continue. You stay signed in."
        confirmTitle: "Reset workspace"
        role: "destructive"
        cancelTitle: "Cancel"
        onConfirm: {
            resetButton.confirming = false
            if (resetButton.workspace.resetWorkspace()) resetButton.workspaceReset()
        }
        onCancel: resetButton.confirming = false
    }
}
