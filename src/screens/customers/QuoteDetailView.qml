import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// One saved quote of the browsed customer with its latest payment state,
// pushed inside the quote browser; it can put the quote into the workspace.
Item {
    id: view
    property QuoteBrowserState browser
    property string quoteId
    signal back()
    signal done()
    // The quote is now the workspace's draft.
    signal opened()

    objectName: "quoteDetail"

    QuoteDetailState {
        id: detail
        browser: view.browser
    }
    Component.onCompleted: detail.show(quoteId)
    Component.onDestruction: detail.end()

    function use() {
        detail.use().then(used => { if (used) view.opened() })
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 12
        SheetTitleBar {
            objectName: "detailTitleBar"
            Layout.fillWidth: true
            title: detail.title
            onDone: view.done()
            IconButton {
                objectName: "detailBackButton"
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                // The list's chevron, pointing back.
                symbol: "chevron.right"
                rotation: 180
                symbolSize: 20
                Accessible.name: qsTr("Back to saved quotes")
                onClicked: view.back()
            }
        }

        Flickable {
            id: scroller
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: width
            contentHeight: column.implicitHeight + 12
            clip: true
            boundsBehavior: Flickable.DragOverBounds
            ScrollBar.vertical: ScrollBar {}
            // Pull to refresh.
            onDragEnded: if (contentY < -70) detail.refresh()

            ColumnLayout {
                id: column
                width: scroller.width
                spacing: 14

                RowLayout {
                    objectName: "detailMessage"
                    visible: detail.message !== ""
                    Layout.fillWidth: true
                    spacing: 8
                    SymbolIcon {
                        Layout.alignment: Qt.AlignTop
                        symbol: "exclamationmark.circle"
                        color: Theme.orange
                    }
                    FootnoteLabel {
                        objectName: "detailMessageText"
                        Layout.fillWidth: true
                        text: detail.message
                        wrapMode: Text.Wrap
                        color: Theme.orange
                    }
                }

                // Summary.
                Card {
                    ValueRow { label: qsTr("Quote status"); value: detail.status; valueName: "detailStatus" }
                    ValueRow { label: qsTr("Quote total"); value: detail.totalText; valueName: "detailTotal"; strong: true }
                    RowLayout {
                        objectName: "viewOnlyNote"
                        visible: detail.locked
                        Layout.fillWidth: true
                        spacing: 8
                        SymbolIcon { symbol: "lock"; size: 15; color: Theme.secondaryText }
                        FootnoteLabel {
                            Layout.fillWidth: true
                            text: qsTr("View-only. Another user manages this checkout.")
                            wrapMode: Text.Wrap
                        }
                    }
                }

                // Loading into the workspace.
                ColumnLayout {
                    visible: !detail.locked
                    Layout.fillWidth: true
                    spacing: 8
                    FootnoteLabel {
                        text: qsTr("Load for editing or checkout.")
                    }
                    PrimaryButton {
                        objectName: "useQuoteButton"
                        visible: !detail.locked
                        text: detail.useTitle
                        trailingSymbol: detail.opening ? "" : "arrow.right"
                        enabled: detail.useEnabled
                        Accessible.name: qsTr("Use quote in workspace")
                        onClicked: detail.useNeedsConfirmation ? replaceEdits.open() : view.use()
                    }
                }

                // Payment status.
                RowLayout {
                    Layout.fillWidth: true
                    Layout.topMargin: 4
                    SectionTitle { text: qsTr("Payment status"); Layout.fillWidth: true }
                    HeaderToolButton {
                        objectName: "refreshPaymentButton"
                        text: qsTr("Refresh payment status")
                        symbol: "arrow.clockwise"
                        compact: column.width < 420
                        enabled: !detail.loading
                        onClicked: detail.refresh()
                    }
                }
                Card {
                    objectName: "paymentSection"
                    RowLayout {
                        visible: detail.paymentPlaceholder !== ""
                        Layout.fillWidth: true
                        spacing: 8
                        BusyIndicator {
                            visible: detail.loading
                            running: visible
                            implicitWidth: 20
                            implicitHeight: 20
                        }
                        SubheadLabel {
                            objectName: "paymentPlaceholder"
                            Layout.fillWidth: true
                            text: detail.paymentPlaceholder
                            wrapMode: Text.Wrap
                        }
                    }
                    RowLayout {
                        visible: detail.paymentPlaceholder === ""
                        Layout.fillWidth: true
                        spacing: 8
                        SymbolIcon {
                            symbol: detail.paymentSymbol
                            color: detail.paymentSymbol === "checkmark.circle.fill" ? Theme.green : Theme.ink
                        }
                        BodyLabel {
                            objectName: "paymentLabel"
                            Layout.fillWidth: true
                            text: detail.paymentLabel
                            wrapMode: Text.Wrap
                            font.weight: Font.DemiBold
                        }
                    }
                    ValueRow {
                        visible: detail.paymentPlaceholder === "" && detail.balanceText !== ""
                        label: qsTr("Outstanding balance")
                        value: detail.balanceText
                        valueName: "outstandingBalance"
                    }
                    RowLayout {
                        objectName: "squareConfirmed"
                        visible: detail.paymentPlaceholder === "" && detail.squareConfirmed
                        Layout.fillWidth: true
                        spacing: 8
                        SymbolIcon { symbol: "checkmark.seal.fill"; color: Theme.green }
                        SubheadLabel {
                            text: SharedTexts.squarePaymentConfirmed
                            color: Theme.primaryText
                        }
                    }
                    Caption {
                        visible: detail.paymentPlaceholder === "" && detail.squareNote !== ""
                        text: detail.squareNote
                    }
                    Caption {
                        visible: detail.paymentPlaceholder === "" && detail.paymentWarning !== ""
                        text: detail.paymentWarning
                        color: Theme.orange
                    }
                    Caption {
                        objectName: "checkedAt"
                        visible: detail.paymentPlaceholder === ""
                        text: detail.checkedText
                    }
                }

                // Linked invoices.
                SectionTitle {
                    visible: invoices.count > 0
                    text: qsTr("Linked invoices")
                }
                Card {
                    visible: invoices.count > 0
                    Repeater {
                        id: invoices
                        model: detail.invoices
                        delegate: ColumnLayout {
                            id: invoice
                            required property string number
                            required property string status
                            required property string totalText
                            required property string balanceText
                            required property string dueText
                            Layout.fillWidth: true
                            spacing: 4
                            RowLayout {
                                Layout.fillWidth: true
                                SymbolIcon { symbol: "receipt"; size: 16 }
                                BodyLabel {
                                    Layout.fillWidth: true
                                    text: invoice.number
                                    font.weight: Font.DemiBold
                                }
                                CaptionLabel {
                                    text: invoice.status
                                }
                            }
                            ValueRow { label: qsTr("Total"); value: invoice.totalText }
                            ValueRow { label: qsTr("Balance"); value: invoice.balanceText }
                            Caption { visible: text !== ""; text: invoice.dueText }
                        }
                    }
                }

                // Items and totals.
                SectionTitle { text: qsTr("Quote items") }
                Card {
                    Repeater {
                        model: detail.lines
                        delegate: RowLayout {
                            id: line
                            required property string name
                            required property string quantityText
                            required property string amountText
                            Layout.fillWidth: true
                            spacing: 10
                            ColumnLayout {
                                Layout.fillWidth: true
                                spacing: 1
                                SubheadLabel {
                                    Layout.fillWidth: true
                                    text: line.name
                                    wrapMode: Text.Wrap
                                    color: Theme.primaryText
                                }
                                Caption { text: line.quantityText }
                            }
                            SubheadLabel {
                                Layout.alignment: Qt.AlignTop
                                text: line.amountText
                                color: Theme.primaryText
                            }
                        }
                    }
                    Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Theme.separator }
                    ValueRow { label: qsTr("Subtotal"); value: detail.subtotalText }
                    ValueRow { label: qsTr("Tax"); value: detail.taxText }
                    ValueRow { label: qsTr("Total"); value: detail.totalText; strong: true }
                }

                SectionTitle { visible: detail.notes !== ""; text: qsTr("Notes") }
                Card {
                    visible: detail.notes !== ""
                    SubheadLabel {
                        Layout.fillWidth: true
                        text: detail.notes
                        wrapMode: Text.Wrap
                        color: Theme.primaryText
                    }
                }
                SectionTitle { visible: detail.terms !== ""; text: qsTr("Terms") }
                Card {
                    visible: detail.terms !== ""
                    SubheadLabel {
                        Layout.fillWidth: true
                        text: detail.terms
                        wrapMode: Text.Wrap
                        color: Theme.primaryText
                    }
                }

                QuotePdfButton {
                    Layout.topMargin: 4
                    workspace: view.browser.workspace
                    quoteId: view.quoteId
                    quoteNumber: detail.title
                }
            }
        }
    }

    ConfirmationSheet {
        id: replaceEdits
        objectName: "replaceEditsConfirmation"
        title: qsTr("Replace unsaved edits?")
        message: qsTr("Replaces unsaved edits. Saved quotes stay in Zoho.")
        confirmTitle: SharedTexts.useSavedQuote
        cancelTitle: qsTr("Keep current workspace")
        onConfirm: view.use()
    }

    component Card: Rectangle {
        default property alias content: cardColumn.data
        Layout.fillWidth: true
        implicitHeight: cardColumn.implicitHeight + 28
        radius: Theme.cardRadius
        color: Theme.surface
        border.color: Theme.separator
        ColumnLayout {
            id: cardColumn
            anchors.fill: parent
            anchors.margins: 14
            anchors.leftMargin: 16
            anchors.rightMargin: 16
            spacing: 8
        }
    }
    component SectionTitle: PlainLabel {
        Layout.topMargin: 4
        font.family: Theme.fontFamily
        font.pixelSize: Theme.headline
        font.weight: Font.DemiBold
        color: Theme.primaryText
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }
    component Caption: PlainLabel {
        Layout.fillWidth: true
        wrapMode: Text.Wrap
        font.family: Theme.fontFamily
        font.pixelSize: Theme.caption
        color: Theme.secondaryText
    }
    component ValueRow: RowLayout {
        property string label
        property string value
        property string valueName
        property bool strong: false
        Layout.fillWidth: true
        spacing: 8
        SubheadLabel {
            Layout.fillWidth: true
            text: parent.label
            font.weight: parent.strong ? Font.DemiBold : Font.Normal
            color: parent.strong ? Theme.primaryText : Theme.secondaryText
        }
        SubheadLabel {
            objectName: parent.valueName
            text: parent.value
            font.weight: parent.strong ? Font.DemiBold : Font.Normal
            color: Theme.primaryText
        }
    }
}
