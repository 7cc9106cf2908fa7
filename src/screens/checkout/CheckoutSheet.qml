import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// Takes payment for the draft's saved quote: the amount due, the tender (card
// on the terminal or cash received) or the register invoice, the pickup hold,
// and the button that starts the checkout.
Sheet {
    id: sheet
    property CheckoutModel workspace
    objectName: "paymentSheet"
    preferredWidth: 560
    implicitHeight: bar.implicitHeight + 14 + column.implicitHeight + topPadding + bottomPadding

    // Every opening starts from card with nothing typed, and asks the server
    // for the account's payment settings again without waiting for them.
    // While open, the customer display shows the choices as they are made.
    onClosed: {
        CheckoutSheetRelay.sheet = null
        choices.reset()
    }
    onOpened: {
        choices.refreshSettings()
        CheckoutSheetRelay.sheet = choices
    }

    CheckoutSheetState {
        id: choices
        workspace: sheet.workspace
    }

    function startCheckout() {
        choices.start().then(started => {
            // A start that failed (or ended canceled) leaves the sheet open
            // with its error; only a followed checkout closes it.
            if (started) sheet.close()
        })
    }

    contentItem: ColumnLayout {
        spacing: 14
        Item {
            id: bar
            Layout.fillWidth: true
            implicitHeight: 36
            TapButton {
                id: cancelButton
                objectName: "checkoutCancelButton"
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                implicitHeight: 44
                text: SharedTexts.cancel
                Accessible.name: text
                background: Item {}
                contentItem: PlainLabel {
                    text: cancelButton.text
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.body
                    color: Theme.ink
                    verticalAlignment: Text.AlignVCenter
                    opacity: cancelButton.down ? 0.5 : 1
                }
                onClicked: sheet.close()
            }
            PlainLabel {
                objectName: "checkoutSheetTitle"
                anchors.centerIn: parent
                width: Math.min(implicitWidth, parent.width - 2 * (cancelButton.width + 8))
                elide: Text.ElideRight
                text: choices.title
                font.family: Theme.fontFamily
                font.pixelSize: Theme.headline + 1
                font.weight: Font.DemiBold
                color: Theme.primaryText
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
        }

        Flickable {
            id: scroller
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: width
            contentHeight: column.implicitHeight
            boundsBehavior: Flickable.StopAtBounds
            clip: true
            ScrollBar.vertical: ScrollBar {}

            ColumnLayout {
                id: column
                width: scroller.width
                spacing: 16

                // What is being paid, and by whom.
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2
                    Eyebrow {
                        objectName: "checkoutHeading"
                        text: choices.heading
                    }
                    PlainLabel {
                        objectName: "amountDue"
                        text: choices.amountDueText
                        font.family: Theme.fontFamily
                        font.pixelSize: 48
                        font.weight: Font.DemiBold
                        font.letterSpacing: -1
                        color: Theme.primaryText
                        Accessible.name: qsTr("Amount due %1").arg(text)
                    }
                    PlainLabel {
                        objectName: "checkoutCustomer"
                        visible: text !== ""
                        Layout.fillWidth: true
                        text: choices.customerName
                        elide: Text.ElideRight
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.title3
                        color: Theme.primaryText
                    }
                }

                // Register: the invoice is collected there, no tender here.
                SubheadLabel {
                    objectName: "registerTenderText"
                    visible: choices.registerRoute
                    Layout.fillWidth: true
                    text: qsTr("Create a quote invoice, then collect card or cash on Square Register.")
                    wrapMode: Text.WordWrap
                }

                ColumnLayout {
                    objectName: "tenderArea"
                    visible: !choices.registerRoute
                    Layout.fillWidth: true
                    spacing: 10
                    FootnoteLabel {
                        text: qsTr("Payment method")
                        font.weight: Font.DemiBold
                    }
                    Rectangle {
                        objectName: "tenderPicker"
                        Layout.fillWidth: true
                        implicitHeight: 50
                        radius: 11
                        color: Qt.rgba(0, 0, 0, 0.06)
                        Accessible.role: Accessible.PageTabList
                        Accessible.name: qsTr("Payment method")
                        RowLayout {
                            anchors.fill: parent
                            anchors.margins: 3
                            spacing: 3
                            TenderChoice {
                                objectName: "tenderCard"
                                enabled: !choices.frozen
                                title: qsTr("Card \u00B7 Terminal")
                                symbol: "creditcard"
                                value: "card"
                            }
                            TenderChoice {
                                objectName: "tenderCash"
                                enabled: !choices.frozen
                                title: qsTr("Cash")
                                symbol: "banknote"
                                value: "cash"
                            }
                        }
                    }

                    RowLayout {
                        objectName: "cardInstruction"
                        visible: choices.tender !== "cash"
                        Layout.fillWidth: true
                        Layout.topMargin: 2
                        spacing: 10
                        SymbolIcon {
                            symbol: "wave.3.right"
                            size: 18
                            color: Theme.secondaryText
                        }
                        SubheadLabel {
                            Layout.fillWidth: true
                            text: qsTr("Customer taps, inserts, or swipes on Square Terminal.")
                            wrapMode: Text.WordWrap
                        }
                    }

                    StatusCard {
                        objectName: "cashCard"
                        visible: choices.tender === "cash"
                        spacing: 12
                        HeadingLabel {
                            text: SharedTexts.cashReceived
                        }
                        EditorField {
                            id: cashField
                            objectName: "cashField"
                            Layout.fillWidth: true
                            placeholderText: qsTr("Amount")
                            text: choices.cash
                            font.pixelSize: Theme.title2
                            inputMethodHints: Qt.ImhFormattedNumbersOnly
                            readOnly: choices.frozen
                            topPadding: 8
                            bottomPadding: 8
                            Accessible.name: SharedTexts.cashReceived
                            onTextEdited: choices.cash = text
                        }
                        CaptionLabel {
                            objectName: "cashProblem"
                            visible: text !== ""
                            Layout.fillWidth: true
                            text: choices.cashProblem
                            wrapMode: Text.WordWrap
                            color: Theme.orange
                        }
                        RowLayout {
                            Layout.fillWidth: true
                            BodyLabel {
                                Layout.fillWidth: true
                                text: qsTr("Change due")
                                color: Theme.secondaryText
                            }
                            HeadingLabel {
                                objectName: "changeDue"
                                text: choices.changeDueText
                            }
                        }
                        ToggleSwitch {
                            objectName: "cashConfirmedToggle"
                            enabled: !choices.frozen
                            text: qsTr("I have received the cash")
                            checked: choices.cashConfirmed
                            onToggled: choices.cashConfirmed = checked
                        }
                    }
                }

                // Pickup: held for later or fulfilled at the end of the day.
                CaptionLabel {
                    objectName: "dailyImportCaption"
                    visible: !choices.holdToggleShown
                    Layout.fillWidth: true
                    text: choices.holdCaption
                    wrapMode: Text.WordWrap
                }
                StatusCard {
                    objectName: "holdCard"
                    visible: choices.holdToggleShown
                    spacing: 8
                    RowLayout {
                        Layout.fillWidth: true
                        spacing: 10
                        SymbolIcon {
                            symbol: "shippingbox"
                            size: 20
                        }
                        HeadingLabel {
                            Layout.fillWidth: true
                            text: qsTr("Pickup today")
                        }
                    }
                    ToggleSwitch {
                        objectName: "holdToggle"
                        enabled: !choices.frozen
                        text: qsTr("Hold for later pickup")
                        checked: choices.holding
                        onToggled: choices.setHold(checked)
                    }
                    CaptionLabel {
                        objectName: "holdCaption"
                        Layout.fillWidth: true
                        text: choices.holdCaption
                        wrapMode: Text.WordWrap
                    }
                }

                CaptionLabel {
                    objectName: "demoCaption"
                    visible: choices.demo
                    Layout.fillWidth: true
                    text: qsTr("DEMO \u00B7 No card charges. Cash payments stay in this demo.")
                    wrapMode: Text.WordWrap
                    font.weight: Font.DemiBold
                    color: Theme.orange
                }

                // A stored request decides tender, cash and hold until it is checked.
                CaptionLabel {
                    objectName: "frozenReason"
                    visible: text !== ""
                    Layout.fillWidth: true
                    text: choices.frozenReason
                    wrapMode: Text.WordWrap
                    color: Theme.orange
                }

                PrimaryButton {
                    objectName: "startCheckoutButton"
                    Layout.topMargin: 2
                    text: choices.buttonTitle
                    trailingSymbol: "arrow.right"
                    working: choices.buttonProgress
                    enabled: choices.buttonEnabled
                    onClicked: sheet.startCheckout()
                }
            }
        }
    }

    // One segment of the payment method picker.
    // qmllint disable unqualified
    component TenderChoice: TapButton {
        id: choice
        property string title
        property string symbol
        property string value
        readonly property bool chosen: choices.tender === value
        opacity: enabled || chosen ? 1 : 0.45
        Layout.fillWidth: true
        Layout.fillHeight: true
        checkable: true
        checked: chosen
        Accessible.role: Accessible.PageTab
        Accessible.name: title
        onClicked: choices.tender = value
        background: Rectangle {
            radius: 9
            color: choice.chosen ? Theme.surface : "transparent"
            border.width: choice.chosen ? 1 : 0
            border.color: Theme.separator
        }
        contentItem: Item {
            implicitHeight: 20
            Row {
                anchors.centerIn: parent
                spacing: 7
                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: choice.symbol
                    size: 16
                    color: choice.chosen ? Theme.ink : Theme.secondaryText
                }
                SubheadLabel {
                    anchors.verticalCenter: parent.verticalCenter
                    text: choice.title
                    font.weight: choice.chosen ? Font.DemiBold : Font.Normal
                    color: choice.chosen ? Theme.primaryText : Theme.secondaryText
                }
            }
        }
    }
    // qmllint enable unqualified

    // An on/off switch drawn in the application's ink.
    component ToggleSwitch: Switch {
        id: toggle
        Layout.fillWidth: true
        implicitHeight: Math.max(44, implicitContentHeight, implicitIndicatorHeight)
        padding: 0
        opacity: enabled ? 1 : 0.55
        Accessible.name: text
        Accessible.onPressAction: Tap.press(toggle)
        indicator: Rectangle {
            x: toggle.width - width
            y: (toggle.height - height) / 2
            implicitWidth: 46
            implicitHeight: 28
            radius: 14
            color: toggle.checked ? Theme.ink : Qt.rgba(0, 0, 0, 0.14)
            Rectangle {
                x: toggle.checked ? parent.width - width - 2 : 2
                y: 2
                width: 24
                height: 24
                radius: 12
                color: "white"
                Behavior on x { NumberAnimation { duration: 120 } }
            }
        }
        contentItem: PlainLabel {
            rightPadding: toggle.indicator.width + 10
            text: toggle.text
            wrapMode: Text.WordWrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.body
            color: Theme.primaryText
            verticalAlignment: Text.AlignVCenter
        }
    }
}
