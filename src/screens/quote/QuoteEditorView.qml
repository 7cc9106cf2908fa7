import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The quote being built: customer, deal, lines, notes and adjustments, the
// totals, and saving or checking out. Every control reads the workspace and
// sends each change to it; nothing here keeps a copy of the draft.
Rectangle {
    id: view
    property CheckoutModel workspace
    readonly property QuotePart quote: workspace.quote
    readonly property bool locked: quote.editingLocked
    property bool showDealDetails: false

    objectName: "quoteEditor"
    color: Theme.surface

    QuoteEditorState {
        id: editorState
        workspace: view.workspace
    }

    Flickable {
        id: scroller
        anchors.fill: parent
        contentWidth: width
        contentHeight: column.implicitHeight + 44
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: ScrollBar {}

        ColumnLayout {
            id: column
            x: 20
            y: 22
            width: scroller.width - 40
            spacing: 14

            // Title block and badge.
            RowLayout {
                Layout.fillWidth: true
                spacing: 10
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2
                    PlainLabel {
                        text: qsTr("Quote details")
                        font.family: Theme.fontFamily
                        font.pixelSize: 26
                        font.weight: Font.DemiBold
                        color: Theme.primaryText
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }
                    SubheadLabel {
                        objectName: "editorSubtitle"
                        text: editorState.subtitle
                    }
                }
                Rectangle {
                    objectName: "quoteBadge"
                    visible: editorState.badge !== ""
                    Layout.alignment: Qt.AlignTop
                    implicitWidth: badgeText.implicitWidth + 16
                    implicitHeight: badgeText.implicitHeight + 8
                    radius: height / 2
                    color: Theme.ink
                    PlainLabel {
                        id: badgeText
                        anchors.centerIn: parent
                        text: editorState.badge
                        font.family: Theme.fontFamily
                        font.pixelSize: 10
                        font.bold: true
                        font.letterSpacing: 0.8
                        color: "white"
                    }
                    Accessible.role: Accessible.StaticText
                    Accessible.name: editorState.badge
                }
            }

            EditorCard {
                objectName: "customerCard"
                Layout.fillWidth: true
                symbol: editorState.customerSymbol
                title: editorState.customerTitle
                caption: editorState.customerCaption
                trailingSymbol: "chevron.down"
                onClicked: customerSheet.open()
            }

            EditorCard {
                objectName: "quotesCard"
                Layout.fillWidth: true
                symbol: "doc.text.magnifyingglass"
                title: SharedTexts.browseCustomerQuotes
                titleSize: Theme.subheadline
                caption: editorState.quotesCaption
                enabled: editorState.hasCustomer && !view.workspace.busy
                onClicked: editorState.browseCustomerQuotes().then(loaded => { if (loaded) quotesSheet.open() })
            }

            // The deal of the quote, once a customer is chosen.
            ColumnLayout {
                visible: editorState.dealShown
                Layout.fillWidth: true
                spacing: 6
                HeaderToolButton {
                    objectName: "dealButton"
                    text: editorState.dealButtonTitle
                    symbol: "link"
                    enabled: !view.locked
                    onClicked: dealSheet.open()
                }
                Rectangle {
                    visible: editorState.dealLinked
                    Layout.fillWidth: true
                    implicitHeight: dealGroup.implicitHeight + 8
                    radius: Theme.cornerRadius
                    color: Theme.canvas
                    Disclosure {
                        id: dealGroup
                        objectName: "dealDisclosure"
                        anchors.left: parent.left
                        anchors.right: parent.right
                        anchors.top: parent.top
                        anchors.margins: 4
                        anchors.leftMargin: 12
                        anchors.rightMargin: 12
                        symbol: "briefcase"
                        title: editorState.dealTitle
                        caption: editorState.dealNumberCaption
                        expanded: view.showDealDetails
                        onExpandedChanged: view.showDealDetails = expanded
                        DealDetailView {
                            Layout.fillWidth: true
                            Layout.bottomMargin: 8
                            editor: editorState
                            quote: view.quote
                        }
                    }
                }
            }

            // Items header.
            RowLayout {
                Layout.fillWidth: true
                Layout.topMargin: 6
                HeadingLabel {
                    text: qsTr("Quote items")
                    Layout.fillWidth: true
                }
                CaptionLabel {
                    objectName: "lineCount"
                    text: editorState.lineCountText
                }
            }

            // One reason for every disabled control below, in place of silence.
            CaptionLabel {
                objectName: "lockCaption"
                visible: view.quote.lockCaption !== ""
                Layout.fillWidth: true
                text: view.quote.lockCaption
                wrapMode: Text.Wrap
                color: Theme.orange
            }
            ColumnLayout {
                objectName: "emptyLines"
                visible: lines.count === 0
                Layout.fillWidth: true
                Layout.topMargin: 10
                Layout.bottomMargin: 10
                spacing: 6
                SymbolIcon {
                    Layout.alignment: Qt.AlignHCenter
                    symbol: "cart"
                    size: 34
                    color: Theme.secondaryText
                }
                HeadingLabel {
                    Layout.alignment: Qt.AlignHCenter
                    text: qsTr("No items")
                }
                SubheadLabel {
                    Layout.alignment: Qt.AlignHCenter
                    text: qsTr("Add products or open a saved quote.")
                }
            }
            Repeater {
                id: lines
                model: view.quote.lines
                // qmllint disable unqualified
                delegate: QuoteLineRow {
                    Layout.fillWidth: true
                    quote: view.quote
                    editor: editorState
                }
                // qmllint enable unqualified
            }

            Disclosure {
                objectName: "notesGroup"
                Layout.fillWidth: true
                title: qsTr("Notes, terms & adjustments")
                // Opens while locked, to read; the fields themselves take no edits then.
                LabelledTextArea {
                    objectName: "notes"
                    Layout.fillWidth: true
                    enabled: !view.locked
                    label: qsTr("Customer notes")
                    text: view.quote.notes
                    onEdited: text => view.quote.setNotes(text)
                }
                LabelledTextArea {
                    objectName: "terms"
                    Layout.fillWidth: true
                    enabled: !view.locked
                    label: qsTr("Terms")
                    text: view.quote.terms
                    onEdited: text => view.quote.setTerms(text)
                }
                LabelledNumberField {
                    objectName: "shipping"
                    Layout.fillWidth: true
                    enabled: !view.locked
                    label: qsTr("Shipping")
                    held: view.quote.shipping
                    onTyped: text => view.quote.setShipping(text)
                }
                LabelledNumberField {
                    objectName: "adjustment"
                    Layout.fillWidth: true
                    enabled: !view.locked
                    label: qsTr("Adjustment")
                    held: view.quote.adjustment
                    onTyped: text => view.quote.setAdjustment(text)
                }
                LabelledNumberField {
                    objectName: "orderDiscount"
                    Layout.fillWidth: true
                    enabled: !view.locked
                    visible: editorState.showsOrderDiscount
                    label: qsTr("Order discount")
                    // "%" is part of what is typed here.
                    inputMethodHints: Qt.ImhNone
                    held: view.quote.discount
                    onTyped: text => view.quote.setDiscount(text)
                }
                CaptionLabel {
                    objectName: "orderProblem"
                    visible: view.quote.orderProblem !== ""
                    Layout.fillWidth: true
                    text: view.quote.orderProblem
                    wrapMode: Text.Wrap
                    color: Theme.orange
                }
            }

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 1
                color: Theme.separator
            }
            Repeater {
                model: editorState.totals
                // qmllint disable unqualified
                delegate: RowLayout {
                    required property string label
                    required property string amount
                    required property int index
                    readonly property bool last: index === editorState.totals.count - 1
                    Layout.fillWidth: true
                    PlainLabel {
                        Layout.fillWidth: true
                        text: parent.label
                        font.family: Theme.fontFamily
                        font.pixelSize: parent.last ? Theme.headline : Theme.subheadline
                        font.weight: parent.last ? Font.DemiBold : Font.Normal
                        color: parent.last ? Theme.primaryText : Theme.secondaryText
                    }
                    PlainLabel {
                        objectName: "total-" + parent.index
                        text: parent.amount
                        font.family: Theme.fontFamily
                        font.pixelSize: parent.last ? Theme.headline : Theme.subheadline
                        font.weight: parent.last ? Font.DemiBold : Font.Normal
                        color: Theme.primaryText
                    }
                }
                // qmllint enable unqualified
            }
            CaptionLabel {
                visible: editorState.totalsCaption !== ""
                text: editorState.totalsCaption
            }

            // Status captions and actions, in the order the rules give.
            Repeater {
                model: editorState.actions
                // The loaded item reads its action from this Loader, its parent.
                delegate: Loader {
                    required property string kind
                    required property string text
                    required property string symbol
                    required property bool actionEnabled
                    required property bool working
                    required property bool warning
                    Layout.fillWidth: true
                    Layout.topMargin: kind === "save" || kind === "checkout" ? 4 : 0
                    // qmllint disable unqualified
                    sourceComponent: {
                        switch (kind) {
                        case "checkout":
                        case "save": return primaryAction
                        case "checkSavedRequest":
                        case "print": return secondaryAction
                        case "pdf": return pdfAction
                        default: return captionItem
                        }
                    }
                    // qmllint enable unqualified
                }
            }
        }
    }

    Component {
        id: captionItem
        PlainLabel {
            readonly property var entry: parent ? parent : ({kind: "", text: "", warning: false})
            objectName: entry.kind
            text: entry.text
            wrapMode: Text.Wrap
            font.family: Theme.fontFamily
            font.pixelSize: entry.warning ? Theme.footnote : Theme.caption2
            color: entry.warning ? Theme.orange : Theme.secondaryText
        }
    }
    // qmllint disable unqualified
    Component {
        id: primaryAction
        PrimaryButton {
            readonly property var entry: parent ? parent : ({})
            objectName: entry.kind + "Button"
            text: entry.text
            trailingSymbol: entry.symbol
            enabled: entry.actionEnabled
            working: entry.working
            onClicked: view.runAction(entry.kind)
        }
    }
    Component {
        id: secondaryAction
        SecondaryButton {
            readonly property var entry: parent ? parent : ({})
            objectName: entry.kind + "Button"
            text: entry.text
            enabled: entry.actionEnabled
            working: entry.working
            onClicked: view.runAction(entry.kind)
        }
    }
    Component {
        id: pdfAction
        QuotePdfButton {
            workspace: view.workspace
            quoteId: editorState.savedQuoteId
            quoteNumber: editorState.savedQuoteNumber
        }
    }
    // qmllint enable unqualified

    function runAction(kind) {
        if (kind === "checkout") paymentSheet.open()
        else editorState.runAction(kind)
    }

    CustomerSheet {
        id: customerSheet
        workspace: view.workspace
    }
    CustomerQuoteBrowser {
        id: quotesSheet
        objectName: "quotesSheet"
        workspace: view.workspace
        startsWithDraftCustomer: true
    }
    CheckoutSheet {
        id: paymentSheet
        workspace: view.workspace
    }
    DealSheet {
        id: dealSheet
        workspace: view.workspace
    }
}
