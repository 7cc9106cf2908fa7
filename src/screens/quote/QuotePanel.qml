import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The workspace's right-hand panel: the payment status of a live checkout,
// otherwise the quote editor.
Item {
    id: panel
    property CheckoutModel workspace
    readonly property bool showsPaymentStatus: ViewLogic.showsPaymentStatus(workspace.checkout.hasTransaction,
                                                                               workspace.checkout.status,
                                                                               workspace.checkout.ownCheckout)

    Loader {
        anchors.fill: parent
        sourceComponent: panel.showsPaymentStatus ? paymentStatus : quoteEditor
    }
    // qmllint disable unqualified
    Component {
        id: quoteEditor
        QuoteEditorView {
            workspace: panel.workspace
        }
    }
    Component {
        id: paymentStatus
        PaymentStatusView {
            workspace: panel.workspace
        }
    }
    // qmllint enable unqualified
}
