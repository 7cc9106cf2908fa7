import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The checkout the workspace follows: its status, the accounting checklist,
// what to do next, the details, and the actions once payment is complete.
// Every text and choice comes from the status rules; the view only lays out.
Rectangle {
    id: view
    property CheckoutModel workspace
    readonly property CheckoutPart checkout: workspace.checkout
    property bool cancelAsked: false

    objectName: "paymentStatusView"
    color: Theme.surface

    PaymentStatusState {
        id: status
        workspace: view.workspace
    }

    // Empty when the action is not offered. Reading `complete` ties the
    // caller's binding to the state's change signal, which the actions share.
    function actionText(kind) {
        return status.complete ? status.completedActionText(kind) : ""
    }

    Flickable {
        id: scroller
        anchors.fill: parent
        contentWidth: width
        contentHeight: column.implicitHeight + 48
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: ScrollBar {}

        ColumnLayout {
            id: column
            x: 20
            y: 24
            width: scroller.width - 40
            spacing: 16

            // The status, the amount and how it is paid.
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 4
                Rectangle {
                    objectName: "statusIconFrame"
                    Layout.alignment: Qt.AlignHCenter
                    Layout.bottomMargin: 6
                    implicitWidth: 80
                    implicitHeight: 80
                    radius: 40
                    color: status.iconTone === "green" ? Qt.rgba(0.12, 0.54, 0.30, 0.10)
                         : status.iconTone === "orange" ? Qt.rgba(0.76, 0.34, 0.04, 0.10)
                         : Theme.canvas
                    SymbolIcon {
                        objectName: "statusIcon"
                        visible: status.iconSymbol !== ""
                        anchors.centerIn: parent
                        symbol: status.iconSymbol
                        size: status.iconSymbol === "checkmark" ? 33 : 31
                        color: status.iconTone === "green" ? Theme.green
                             : status.iconTone === "orange" ? Theme.orange : Theme.ink
                    }
                    BusyIndicator {
                        objectName: "statusProgress"
                        visible: status.iconSymbol === ""
                        running: visible
                        anchors.centerIn: parent
                        implicitWidth: 34
                        implicitHeight: 34
                        palette.dark: Theme.ink
                    }
                }
                PlainLabel {
                    objectName: "statusLabel"
                    Layout.fillWidth: true
                    horizontalAlignment: Text.AlignHCenter
                    text: status.statusLabel
                    // One line: a wrapped label keeps the height of an earlier, narrower
                    // layout pass and pushes the tender line under what follows.
                    elide: Text.ElideRight
                    font.family: Theme.fontFamily
                    font.pixelSize: 27
                    font.weight: Font.DemiBold
                    font.letterSpacing: -0.4
                    color: Theme.primaryText
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                }
                PlainLabel {
                    objectName: "statusAmount"
                    Layout.fillWidth: true
                    horizontalAlignment: Text.AlignHCenter
                    text: status.amountText
                    font.family: Theme.fontFamily
                    font.pixelSize: 38
                    font.weight: Font.DemiBold
                    font.letterSpacing: -0.8
                    color: Theme.primaryText
                }
                SubheadLabel {
                    objectName: "tenderLine"
                    Layout.fillWidth: true
                    horizontalAlignment: Text.AlignHCenter
                    text: status.tenderLine
                }
            }

            RegisterInstructions {
                visible: status.instructionsShown
                invoiceNumber: status.squareInvoiceNumber
                color: Theme.canvas
            }

            // Followed from the history: the draft is kept and one tap away,
            // with its own stored checkout request when it has one.
            ColumnLayout {
                objectName: "followedActions"
                visible: status.backToDraftShown
                Layout.fillWidth: true
                spacing: 10
                CaptionLabel {
                    objectName: "followedCaption"
                    Layout.fillWidth: true
                    text: status.followedCaption
                    wrapMode: Text.WordWrap
                }
                SymbolButton {
                    objectName: "checkSavedRequestButton"
                    visible: status.checkSavedRequestShown
                    text: SharedTexts.checkSavedRequest
                    symbol: "arrow.clockwise"
                    enabled: !view.workspace.busy
                    onClicked: view.checkout.resumePending()
                }
                SymbolButton {
                    objectName: "backToDraftButton"
                    text: qsTr("Back to draft")
                    symbol: "arrow.counterclockwise"
                    enabled: !view.workspace.busy
                    onClicked: view.checkout.backToDraft()
                }
            }

            // What the payment and the accounting have done so far.
            StatusCard {
                objectName: "checklist"
                color: Theme.canvas
                spacing: 10
                Repeater {
                    model: status.checklist
                    delegate: ChecklistStep {
                        required property string text
                        required property string symbol
                        required property bool done
                        required property int index
                        objectName: "checklistRow-" + index
                        title: text
                        mark: symbol
                        tint: done ? Theme.green : Theme.secondaryText
                        titleColor: done ? Theme.primaryText : Theme.secondaryText
                    }
                }
                CaptionLabel {
                    objectName: "checklistCaption"
                    visible: text !== ""
                    Layout.fillWidth: true
                    text: status.checklistCaption
                    wrapMode: Text.WordWrap
                }
                ChecklistStep {
                    objectName: "dealSyncRow"
                    visible: status.dealSyncShown
                    Layout.topMargin: 2
                    title: qsTr("Deal update pending")
                    caption: qsTr("The deal update will retry automatically.")
                    mark: "arrow.triangle.2.circlepath"
                    tint: Theme.orange
                }
            }

            // Not complete yet: what to do next, resume and cancel.
            ColumnLayout {
                visible: !status.complete
                Layout.fillWidth: true
                spacing: 10
                SubheadLabel {
                    objectName: "nextStepText"
                    Layout.fillWidth: true
                    text: status.nextStepText
                    wrapMode: Text.WordWrap
                    color: Theme.primaryText
                }
                CaptionLabel {
                    objectName: "transactionError"
                    visible: text !== ""
                    Layout.fillWidth: true
                    text: status.errorText
                    wrapMode: Text.WordWrap
                    color: Theme.orange
                }
                SymbolButton {
                    objectName: "resumeButton"
                    visible: status.resumeTitle !== ""
                    Layout.topMargin: 4
                    text: status.resumeTitle
                    symbol: "arrow.clockwise"
                    enabled: !view.workspace.busy
                    onClicked: view.checkout.resumeShown()
                }
                SymbolButton {
                    objectName: "cancelCheckoutButton"
                    visible: status.cancelShown
                    text: status.cancelTitle
                    symbol: "xmark.circle"
                    tint: Theme.destructive
                    enabled: !view.workspace.busy
                    onClicked: view.cancelAsked = true
                }
            }

            // Invoice, pickup and change.
            StatusCard {
                objectName: "detailsCard"
                visible: status.details.count > 0 || status.pickupShown || status.changeGivenText !== ""
                color: Theme.canvas
                spacing: 10
                Repeater {
                    model: status.details
                    delegate: DetailRow {
                        required label
                        required value
                    }
                }
                DetailRow {
                    objectName: "pickupRow"
                    visible: status.pickupShown
                    label: qsTr("Pickup")
                    value: status.pickupText
                }
                SecondaryButton {
                    objectName: "holdButton"
                    visible: status.holdButtonShown
                    text: status.holdButtonTitle
                    topPadding: 11
                    bottomPadding: 11
                    font.pixelSize: Theme.subheadline
                    enabled: !view.workspace.busy
                    onClicked: status.toggleHold()
                }
                CaptionLabel {
                    objectName: "fulfillmentError"
                    visible: text !== ""
                    Layout.fillWidth: true
                    text: status.fulfillmentError
                    wrapMode: Text.WordWrap
                    color: Theme.orange
                }
                DetailRow {
                    objectName: "changeGivenRow"
                    visible: status.changeGivenText !== ""
                    label: qsTr("Change given")
                    value: status.changeGivenText
                }
            }

            // Complete: receipts, the paid invoice and the next sale.
            ColumnLayout {
                objectName: "completedActions"
                visible: status.complete
                Layout.fillWidth: true
                spacing: 10
                RowLayout {
                    objectName: "registerNote"
                    visible: view.actionText("registerNote") !== ""
                    Layout.fillWidth: true
                    spacing: 8
                    SymbolIcon {
                        symbol: "printer"
                        size: 16
                        color: Theme.secondaryText
                    }
                    SubheadLabel {
                        Layout.fillWidth: true
                        text: view.actionText("registerNote")
                        wrapMode: Text.WordWrap
                    }
                }
                SymbolButton {
                    objectName: "receiptLinkButton"
                    visible: view.actionText("receiptLink") !== ""
                    text: view.actionText("receiptLink")
                    symbol: "receipt"
                    onClicked: status.openReceipt()
                }
                SymbolButton {
                    objectName: "terminalReceiptButton"
                    visible: view.actionText("terminalReceipt") !== ""
                    text: view.actionText("terminalReceipt")
                    symbol: "printer.fill"
                    enabled: !view.workspace.busy
                    onClicked: view.checkout.askForReceipt()
                }
                ColumnLayout {
                    objectName: "paidInvoiceActions"
                    visible: view.actionText("printNote") !== ""
                    Layout.fillWidth: true
                    Layout.topMargin: 4
                    spacing: 8
                    SubheadLabel {
                        Layout.fillWidth: true
                        text: view.actionText("printNote")
                        wrapMode: Text.WordWrap
                    }
                    RowLayout {
                        Layout.fillWidth: true
                        spacing: 10
                        InvoicePdfButton {
                            Layout.preferredWidth: 1
                            workspace: view.workspace
                            transactionId: view.workspace.checkout.transactionId
                            invoiceNumber: view.workspace.checkout.invoiceNumber
                        }
                        SymbolButton {
                            objectName: "printInvoiceButton"
                            Layout.preferredWidth: 1
                            text: view.actionText("printInvoice")
                            symbol: "printer"
                            enabled: !view.workspace.busy
                            onClicked: view.checkout.printInvoice()
                        }
                    }
                }
                PrimaryButton {
                    objectName: "nextSaleButton"
                    Layout.topMargin: 6
                    text: view.actionText("nextSale")
                    trailingSymbol: "plus"
                    enabled: !view.workspace.busy
                    onClicked: view.checkout.nextSale()
                }
            }

            PlainLabel {
                objectName: "transactionIdText"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: status.transactionIdText
                elide: Text.ElideMiddle
                font.family: Theme.fontFamily
                font.pixelSize: 9
                color: Theme.secondaryText
            }
        }
    }

    ConfirmationSheet {
        id: cancelConfirmation
        objectName: "cancelCheckoutConfirmation"
        title: status.cancelConfirmation.title || ""
        message: status.cancelConfirmation.message || ""
        confirmTitle: status.cancelConfirmation.confirm || ""
        cancelTitle: status.cancelConfirmation.cancel || ""
        role: "destructive"
        onConfirm: {
            view.cancelAsked = false
            view.checkout.cancel()
        }
        onCancel: view.cancelAsked = false
    }
    onCancelAskedChanged: cancelAsked ? cancelConfirmation.open() : cancelConfirmation.close()

    // One step of the checklist: its mark on the first line of its text.
    // Placed by hand rather than by a row layout: a layout sizes wrapped
    // text from a width it had before its last pass, and left the marks
    // where earlier, narrower passes had put them.
    component ChecklistStep: Item {
        id: step
        property string title
        property string caption
        property string mark
        property color tint
        property color titleColor: Theme.primaryText
        readonly property real firstLine: titleLabel.lineCount > 0
                                          ? titleLabel.contentHeight / titleLabel.lineCount
                                          : titleLabel.implicitHeight
        Layout.fillWidth: true
        implicitHeight: Math.max(markIcon.y + markIcon.height, texts.y + texts.implicitHeight)
        SymbolIcon {
            id: markIcon
            y: Math.max(0, (step.firstLine - height) / 2)
            symbol: step.mark
            size: 20
            color: step.tint
        }
        Column {
            id: texts
            x: markIcon.width + 10
            y: Math.max(0, (markIcon.height - step.firstLine) / 2)
            width: step.width - x
            spacing: 1
            BodyLabel {
                id: titleLabel
                width: parent.width
                text: step.title
                wrapMode: Text.WordWrap
                color: step.titleColor
            }
            CaptionLabel {
                visible: step.caption !== ""
                width: parent.width
                text: step.caption
                wrapMode: Text.WordWrap
            }
        }
    }

    // A label on the left, its value on the right.
    component DetailRow: RowLayout {
        property string label
        property string value
        Layout.fillWidth: true
        spacing: 12
        SubheadLabel {
            Layout.fillWidth: true
            text: parent.label
        }
        SubheadLabel {
            objectName: "detailValue"
            text: parent.value
            font.weight: Font.DemiBold
            color: Theme.primaryText
        }
    }

    // An outlined button with a symbol before its title.
    component SymbolButton: SecondaryButton {
        id: button
        property string symbol
        property color tint: Theme.ink
        contentItem: Item {
            implicitHeight: Math.max(label.implicitHeight, 18)
            implicitWidth: row.implicitWidth
            opacity: button.drawnOpacity
            Row {
                id: row
                anchors.centerIn: parent
                spacing: 8
                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: button.symbol
                    size: 17
                    color: button.tint
                }
                PlainLabel {
                    id: label
                    anchors.verticalCenter: parent.verticalCenter
                    text: button.text
                    font: button.font
                    color: button.tint
                }
            }
        }
        background: Rectangle {
            radius: Theme.cornerRadius
            color: "transparent"
            border.color: button.tint
            border.width: 1.5
            opacity: button.drawnOpacity
        }
    }
}
