import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// Finds a customer, lists that customer's saved quotes with how each
// checkout stands, and opens one in the quote detail. Its lists are its own:
// the workspace's customers and quotes stay as they are.
Sheet {
    id: sheet
    property CheckoutModel workspace
    // Opens on the draft's customer instead of a customer search.
    property bool startsWithDraftCustomer: false
    preferredWidth: 680
    expanded: true

    QuoteBrowserState {
        id: quoteBrowser
        workspace: sheet.workspace
    }

    onAboutToShow: {
        stack.pop(null)
        quoteBrowser.begin(startsWithDraftCustomer)
    }
    onClosed: {
        stack.pop(null)
        quoteBrowser.end()
    }

    function useCustomer() {
        quoteBrowser.useCustomer().then(used => { if (used) sheet.close() })
    }
    function viewQuote(quoteId) {
        stack.push(detailPage, { quoteId: quoteId })
    }

    // Pages change at once: a slide only ends on a rendered frame, and until
    // it ends the stack refuses every tap (a window that is not drawing, as
    // offscreen, would leave the detail stuck).
    contentItem: StackView {
        id: stack
        clip: true
        initialItem: listPage
        pushEnter: Transition {}
        pushExit: Transition {}
        popEnter: Transition {}
        popExit: Transition {}
        replaceEnter: Transition {}
        replaceExit: Transition {}
    }

    // qmllint disable unqualified
    Component {
        id: listPage
        ColumnLayout {
            spacing: 12
            SheetTitleBar {
                objectName: "browserTitleBar"
                Layout.fillWidth: true
                title: quoteBrowser.title
                onDone: sheet.close()
            }
            CustomerSearchField {
                objectName: "browserSearchField"
                Layout.fillWidth: true
                label: quoteBrowser.searchLabel
                prompt: quoteBrowser.searchPrompt
                text: quoteBrowser.search
                onEdited: text => quoteBrowser.search = text
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
                onDragEnded: if (contentY < -70) quoteBrowser.refresh()

                ColumnLayout {
                    id: column
                    width: scroller.width
                    spacing: 12

                    // The chosen customer and what can be done with them.
                    Rectangle {
                        objectName: "customerHeaderCard"
                        visible: quoteBrowser.hasCustomer
                        Layout.fillWidth: true
                        implicitHeight: header.implicitHeight + 32
                        radius: Theme.cardRadius
                        color: Theme.surface
                        border.color: Theme.separator
                        ColumnLayout {
                            id: header
                            anchors.fill: parent
                            anchors.margins: 16
                            spacing: 10
                            RowLayout {
                                spacing: 12
                                SymbolIcon {
                                    symbol: "person.crop.circle"
                                    size: 30
                                }
                                ColumnLayout {
                                    Layout.fillWidth: true
                                    spacing: 1
                                    Eyebrow { text: qsTr("Customer") }
                                    PlainLabel {
                                        objectName: "browsedCustomerName"
                                        Layout.fillWidth: true
                                        text: quoteBrowser.customerName
                                        elide: Text.ElideRight
                                        font.family: Theme.fontFamily
                                        font.pixelSize: Theme.title3
                                        font.weight: Font.DemiBold
                                        color: Theme.primaryText
                                        Accessible.role: Accessible.Heading
                                        Accessible.name: text
                                    }
                                }
                            }
                            GridLayout {
                                Layout.fillWidth: true
                                columns: header.width > 460 ? 2 : 1
                                columnSpacing: 10
                                rowSpacing: 8
                                SecondaryButton {
                                    id: searchAll
                                    objectName: "searchAllCustomersButton"
                                    Layout.preferredWidth: 1
                                    text: qsTr("Search all customers")
                                    topPadding: 14
                                    bottomPadding: 14
                                    onClicked: quoteBrowser.searchAllCustomers()
                                    contentItem: Item {
                                        implicitHeight: searchAllRow.implicitHeight
                                        implicitWidth: searchAllRow.implicitWidth
                                        Row {
                                            id: searchAllRow
                                            anchors.centerIn: parent
                                            spacing: 8
                                            opacity: searchAll.drawnOpacity
                                            SymbolIcon {
                                                symbol: "magnifyingglass"
                                                size: 17
                                                anchors.verticalCenter: parent.verticalCenter
                                            }
                                            PlainLabel {
                                                text: searchAll.text
                                                font: searchAll.font
                                                color: Theme.ink
                                                anchors.verticalCenter: parent.verticalCenter
                                            }
                                        }
                                    }
                                }
                                PrimaryButton {
                                    objectName: "useCustomerButton"
                                    Layout.preferredWidth: 1
                                    text: qsTr("Use customer for quote")
                                    trailingSymbol: "cart.badge.plus"
                                    topPadding: 15
                                    bottomPadding: 15
                                    enabled: quoteBrowser.canUseCustomer
                                    onClicked: quoteBrowser.customerChangeNeedsConfirmation ? customerChange.open()
                                                                                       : sheet.useCustomer()
                                }
                            }
                        }
                    }

                    HeadingLabel {
                        visible: quoteBrowser.hasCustomer
                        Layout.topMargin: 4
                        text: qsTr("Saved quotes")
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }

                    // What stands in place of the rows.
                    ColumnLayout {
                        objectName: "browserListState"
                        visible: quoteBrowser.listKind !== "rows"
                        Layout.fillWidth: true
                        Layout.topMargin: 18
                        Layout.bottomMargin: 18
                        spacing: 10
                        RowLayout {
                            Layout.fillWidth: true
                            Layout.leftMargin: 20
                            Layout.rightMargin: 20
                            spacing: 8
                            BusyIndicator {
                                visible: quoteBrowser.loading
                                running: visible
                                implicitWidth: 22
                                implicitHeight: 22
                            }
                            SymbolIcon {
                                visible: quoteBrowser.listKind === "failure"
                                symbol: "exclamationmark.circle"
                                color: Theme.orange
                            }
                            SubheadLabel {
                                objectName: "browserListText"
                                Layout.fillWidth: true
                                text: quoteBrowser.listText
                                wrapMode: Text.Wrap
                                horizontalAlignment: Text.AlignHCenter
                                color: quoteBrowser.listKind === "failure" ? Theme.orange : Theme.secondaryText
                            }
                        }
                        TapButton {
                            id: tryAgain
                            objectName: "tryAgainButton"
                            visible: quoteBrowser.listKind === "failure"
                            Layout.alignment: Qt.AlignHCenter
                            text: SharedTexts.tryAgain
                            Accessible.name: text
                            onClicked: quoteBrowser.refresh()
                            background: Rectangle {
                                implicitHeight: 38
                                radius: 10
                                color: tryAgain.down ? Qt.rgba(0, 0, 0, 0.08) : Theme.surface
                                border.color: Theme.border
                            }
                            contentItem: PlainLabel {
                                text: tryAgain.text
                                leftPadding: 10
                                rightPadding: 10
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.subheadline
                                font.weight: Font.DemiBold
                                color: Theme.ink
                                horizontalAlignment: Text.AlignHCenter
                                verticalAlignment: Text.AlignVCenter
                            }
                        }
                    }

                    // The rows, on one card.
                    Rectangle {
                        visible: quoteBrowser.listKind === "rows"
                        Layout.fillWidth: true
                        implicitHeight: rows.implicitHeight
                        radius: Theme.cardRadius
                        color: Theme.surface
                        border.color: Theme.separator
                        clip: true
                        ColumnLayout {
                            id: rows
                            width: parent.width
                            spacing: 0
                            Repeater {
                                model: quoteBrowser.hasCustomer ? null : quoteBrowser.customers
                                delegate: CustomerRow {
                                    Layout.fillWidth: true
                                }
                            }
                            Repeater {
                                model: quoteBrowser.hasCustomer ? quoteBrowser.quotes : null
                                delegate: QuoteRow {
                                    Layout.fillWidth: true
                                }
                            }
                        }
                    }

                    Note {
                        objectName: "lockedQuotesNote"
                        visible: quoteBrowser.showsLockedNote
                        symbol: "lock"
                        text: qsTr("Locked quotes are view-only. The checkout owner manages payment and fulfillment.")
                    }
                    Note {
                        objectName: "liveCheckoutNote"
                        visible: quoteBrowser.showsLiveCheckoutNote
                        symbol: "creditcard"
                        text: qsTr("Quote viewing remains available. Reset the workspace to start another sale.")
                    }
                }
            }
        }
    }
    // qmllint enable unqualified

    // qmllint disable unqualified
    Component {
        id: detailPage
        QuoteDetailView {
            browser: quoteBrowser
            onBack: stack.pop()
            onDone: sheet.close()
            onOpened: sheet.close()
        }
    }
    // qmllint enable unqualified

    ConfirmationSheet {
        id: customerChange
        objectName: "customerChangeConfirmation"
        title: SharedTexts.changeCustomerTitle
        message: SharedTexts.changeCustomerMessage
        confirmTitle: SharedTexts.useSelectedCustomer
        cancelTitle: SharedTexts.keepCurrentCustomer
        onConfirm: sheet.useCustomer()
    }

    component BrowserRow: ItemDelegate {
        id: row
        property bool last: false
        implicitHeight: Math.max(58, contentItem.implicitHeight + 22)
        leftPadding: 16
        rightPadding: 16
        Accessible.onPressAction: Tap.press(row)
        background: Rectangle {
            color: row.down ? Qt.rgba(0, 0, 0, 0.05) : "transparent"
            Rectangle {
                visible: !row.last
                anchors.bottom: parent.bottom
                anchors.left: parent.left
                anchors.leftMargin: 16
                anchors.right: parent.right
                height: 1
                color: Theme.separator
            }
        }
    }

    // qmllint disable unqualified
    component CustomerRow: BrowserRow {
        id: customerRow
        required property string customerId
        required property string name
        required property string email
        required property string phone
        required property int index
        objectName: "customerRow-" + index
        last: index === quoteBrowser.customers.count - 1
        Accessible.name: name
        Accessible.description: qsTr("Show this customer's saved quotes")
        onClicked: quoteBrowser.chooseCustomer(customerId)
        contentItem: RowLayout {
            spacing: 12
            SymbolIcon {
                symbol: "person.crop.circle"
                size: 24
                color: Theme.secondaryText
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                BodyLabel {
                    Layout.fillWidth: true
                    text: customerRow.name
                    elide: Text.ElideRight
                    font.weight: Font.Medium
                }
                CaptionLabel {
                    Layout.fillWidth: true
                    visible: text !== ""
                    text: customerRow.email !== "" && customerRow.phone !== ""
                          ? customerRow.email + "  \u00B7  " + customerRow.phone : customerRow.email + customerRow.phone
                    elide: Text.ElideRight
                }
            }
            SymbolIcon {
                symbol: "chevron.right"
                size: 14
                color: Theme.secondaryText
            }
        }
    }
    // qmllint enable unqualified

    // qmllint disable unqualified
    component QuoteRow: BrowserRow {
        id: quoteRow
        required property string quoteId
        required property string number
        required property string status
        required property string totalText
        required property string checkoutLine
        required property bool locked
        required property string trailingSymbol
        required property int index
        objectName: "quoteRow-" + number
        last: index === quoteBrowser.quotes.count - 1
        Accessible.name: number + ", " + status + ", " + totalText + (checkoutLine !== "" ? ", " + checkoutLine : "")
        Accessible.description: qsTr("View quote, invoices, and payment status")
        onClicked: sheet.viewQuote(quoteId)
        contentItem: RowLayout {
            spacing: 12
            SymbolIcon {
                Layout.alignment: Qt.AlignTop
                Layout.topMargin: 2
                symbol: "doc.text"
                size: 22
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 3
                RowLayout {
                    Layout.fillWidth: true
                    spacing: 8
                    BodyLabel {
                        text: quoteRow.number
                        font.weight: Font.DemiBold
                    }
                    Rectangle {
                        implicitWidth: statusText.implicitWidth + 14
                        implicitHeight: statusText.implicitHeight + 4
                        radius: height / 2
                        color: Theme.canvas
                        border.color: Theme.separator
                        CaptionLabel {
                            id: statusText
                            anchors.centerIn: parent
                            text: quoteRow.status
                            font.weight: Font.Medium
                        }
                    }
                    Item { Layout.fillWidth: true }
                    BodyLabel {
                        text: quoteRow.totalText
                        font.weight: Font.Medium
                    }
                }
                CaptionLabel {
                    objectName: "checkoutLine"
                    Layout.fillWidth: true
                    visible: text !== ""
                    text: quoteRow.checkoutLine
                    elide: Text.ElideRight
                    color: quoteRow.locked ? Theme.orange : Theme.green
                }
            }
            SymbolIcon {
                objectName: "trailingSymbol"
                symbol: quoteRow.trailingSymbol
                size: 15
                color: Theme.secondaryText
            }
        }
    }
    // qmllint enable unqualified

    component Note: RowLayout {
        property alias text: noteText.text
        property alias symbol: noteIcon.symbol
        Layout.fillWidth: true
        spacing: 8
        SymbolIcon {
            id: noteIcon
            Layout.alignment: Qt.AlignTop
            size: 15
            color: Theme.secondaryText
        }
        FootnoteLabel {
            id: noteText
            Layout.fillWidth: true
            wrapMode: Text.Wrap
        }
    }
}
