import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The sign-in screen without a session, the workspace with one, and the
// sheets the workspace header opens.
Item {
    id: root
    property CheckoutModel workspace
    // The shell's tasks (sign-in sequence, transactions refresh).
    property ShellActions actions
    property bool showSettings: false
    property bool showHistory: false
    property bool showQuotes: false
    readonly property bool signedIn: workspace.signedIn

    onSignedInChanged: {
        // Sheets belong to the signed-in workspace.
        if (!signedIn) { showSettings = false; showHistory = false; showQuotes = false }
    }
    onShowSettingsChanged: showSettings ? accountSheet.open() : accountSheet.close()
    onShowHistoryChanged: showHistory ? historySheet.open() : historySheet.close()
    onShowQuotesChanged: showQuotes ? quotesSheet.open() : quotesSheet.close()

    Loader {
        id: screen
        anchors.fill: parent
        sourceComponent: root.signedIn ? workspaceScreen : loginScreen
    }
    // qmllint disable unqualified
    Component {
        id: loginScreen
        LoginView {
            objectName: "loginView"
            workspace: root.workspace
            onSignInRequested: root.actions.signIn()
        }
    }
    Component {
        id: workspaceScreen
        WorkspaceView {
            objectName: "workspaceView"
            workspace: root.workspace
            onCustomersRequested: root.showQuotes = true
            onTransactionsRequested: {
                root.showHistory = true
                root.actions.refreshTransactions()
            }
            onAccountRequested: root.showSettings = true
        }
    }
    // qmllint enable unqualified

    AccountSheet {
        id: accountSheet
        objectName: "accountSheet"
        workspace: root.workspace
        onClosed: root.showSettings = false
    }
    HistorySheet {
        id: historySheet
        objectName: "historySheet"
        workspace: root.workspace
        onClosed: root.showHistory = false
    }
    CustomerQuoteBrowser {
        id: quotesSheet
        objectName: "quotesSheet"
        workspace: root.workspace
        onClosed: root.showQuotes = false
    }

    ErrorOverlay {
        id: errors
        objectName: "errorOverlay"
        workspace: root.workspace
    }
    // While the error card is up, the screen and its sheets behind it are out
    // of the accessibility tree; only the card can be read and pressed.
    AccessibilityCurtain {
        active: errors.showing
        scope: root.Window.contentItem
        except: errors.contentItem
    }
}
