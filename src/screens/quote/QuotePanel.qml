import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The workspace's right-hand panel: the payment status of a live checkout,
// otherwise the quote editor.
Item {
    id: panel
    property CheckoutModel model
    readonly property bool showsPaymentStatus: ViewLogic.showsPaymentStatus(model.checkout.hasTransaction,
                                                                               model.checkout.status,
                                                                               model.checkout.ownCheckout)

    Loader {
        anchors.fill: parent
        sourceComponent: panel.showsPaymentStatus ? paymentStatus : quoteEditor
    }
    Component {
        id: quoteEditor
        QuoteEditorView {
            model: panel.model
        }
    }
    Component {
        id: paymentStatus
        PaymentStatusView {
            model: panel.model
        }
    }
}
