import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// Chooses the quote's customer from a search, or creates a customer with a
// deal. The new-customer form lives with the draft, so unfinished details
// survive closing the sheet; a pending creation is settled before anything is
// sent again or edited.
Sheet {
    id: sheet
    property CheckoutModel workspace
    readonly property CustomersPart customers: workspace.customers
    property bool newCustomer: false
    property string query: ""
    property string selectedCustomerId: ""
    property bool campaignsLoaded: false

    objectName: "customerSheet"
    preferredWidth: 600
    expanded: true
    onAboutToShow: newCustomer = form.pending
    onNewCustomerChanged: if (newCustomer && !campaignsLoaded) { campaignsLoaded = true; form.loadCampaigns() }
    onClosed: campaignsLoaded = false

    CustomerSheetState {
        id: form
        workspace: sheet.workspace
    }

    function choose(customerId) {
        if (form.choiceNeedsConfirmation(customerId)) {
            selectedCustomerId = customerId
            changeConfirmation.open()
        } else {
            select(customerId)
        }
    }
    function select(customerId) {
        customers.select(customerId).then(chosen => { if (chosen) sheet.close() })
    }

    contentItem: ColumnLayout {
        spacing: 14
        SheetTitleBar {
            Layout.fillWidth: true
            title: sheet.newCustomer ? qsTr("New customer") : qsTr("Choose customer")
            leadingText: sheet.newCustomer ? qsTr("Back") : SharedTexts.cancel
            doneText: ""
            onLeading: sheet.newCustomer ? (sheet.newCustomer = false) : sheet.close()
        }

        // ---- search ------------------------------------------------------
        ColumnLayout {
            visible: !sheet.newCustomer
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 12
            CustomerSearchField {
                objectName: "customerSearchField"
                Layout.fillWidth: true
                label: SharedTexts.searchCustomers
                prompt: SharedTexts.customerSearchPrompt
                text: sheet.query
                onEdited: text => {
                    sheet.query = text
                    sheet.customers.searchCustomers(text)
                }
            }
            // Why a tapped row cannot become the quote's customer now.
            CaptionLabel {
                objectName: "customerLockCaption"
                // The sheet covers the notice banner, so the reason stays here.
                visible: sheet.workspace.quote.lockCaption !== ""
                Layout.fillWidth: true
                text: sheet.workspace.quote.lockCaption
                wrapMode: Text.Wrap
                color: Theme.orange
            }
            RowLayout {
                visible: sheet.customers.searchBusy
                Layout.alignment: Qt.AlignHCenter
                BusyIndicator { running: parent.visible; implicitWidth: 24; implicitHeight: 24 }
                SubheadLabel {
                    text: qsTr("Finding customers…")
                }
            }
            ColumnLayout {
                visible: !sheet.customers.searchBusy && sheet.customers.searchError !== ""
                Layout.fillWidth: true
                spacing: 8
                SubheadLabel {
                    objectName: "customerSearchError"
                    Layout.fillWidth: true
                    text: sheet.customers.searchError
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignHCenter
                }
                SecondaryButton {
                    Layout.alignment: Qt.AlignHCenter
                    Layout.fillWidth: false
                    Layout.preferredWidth: 200
                    text: SharedTexts.tryAgain
                    onClicked: sheet.customers.searchCustomers(sheet.query)
                }
            }
            SubheadLabel {
                objectName: "noCustomersFound"
                visible: !sheet.customers.searchBusy && sheet.customers.searchError === "" && sheet.query !== ""
                         && results.count === 0
                Layout.fillWidth: true
                text: SharedTexts.noCustomersFound
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }
            ListView {
                id: results
                objectName: "customerResults"
                visible: !sheet.customers.searchBusy && sheet.customers.searchError === ""
                Layout.fillWidth: true
                Layout.fillHeight: true
                clip: true
                model: sheet.customers.results
                // qmllint disable unqualified
                delegate: ItemDelegate {
                    id: customerRow
                    required property string customerId
                    required property string name
                    required property string email
                    required property string phone
                    required property int index
                    objectName: "customerRow-" + index
                    width: results.width
                    implicitHeight: 58
                    Accessible.name: name
                    Accessible.onPressAction: Tap.press(customerRow)
                    background: Rectangle {
                        color: customerRow.down ? Qt.rgba(0, 0, 0, 0.05) : "transparent"
                        Rectangle {
                            anchors.bottom: parent.bottom
                            width: parent.width
                            height: 1
                            color: Theme.separator
                        }
                    }
                    contentItem: ColumnLayout {
                        spacing: 2
                        BodyLabel {
                            text: customerRow.name
                            font.weight: Font.Medium
                        }
                        CaptionLabel {
                            text: customerRow.email !== "" && customerRow.phone !== ""
                                  ? customerRow.email + "  ·  " + customerRow.phone : customerRow.email + customerRow.phone
                        }
                    }
                    onClicked: sheet.choose(customerId)
                }
                // qmllint enable unqualified
            }
            Item {
                visible: !results.visible || results.count === 0
                Layout.fillHeight: true
            }
            HeaderToolButton {
                objectName: "createNewCustomerButton"
                text: qsTr("Create new customer")
                symbol: "person.badge.plus"
                onClicked: sheet.newCustomer = true
            }
        }

        // ---- new customer ---------------------------------------------------
        Flickable {
            visible: sheet.newCustomer
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: width
            contentHeight: formColumn.implicitHeight
            boundsBehavior: Flickable.StopAtBounds
            clip: true
            ColumnLayout {
                id: formColumn
                width: parent.width
                spacing: 18

                ColumnLayout {
                    visible: form.pending
                    Layout.fillWidth: true
                    spacing: 12
                    SubheadLabel {
                        objectName: "detailsSaved"
                        Layout.fillWidth: true
                        text: qsTr("Your details are saved. Check whether creation finished, or edit them before trying again.")
                        wrapMode: Text.Wrap
                        color: Theme.primaryText
                    }
                    SecondaryButton {
                        objectName: "editDetailsButton"
                        text: qsTr("Edit details")
                        enabled: !sheet.workspace.busy
                        onClicked: form.editDetails().then(completed => { if (completed) sheet.close() })
                    }
                }

                FormSection {
                    visible: !form.pending
                    header: qsTr("Customer")
                    footer: qsTr("All four fields are required.")
                    FormFieldRow {
                        objectName: "firstName"
                        first: true
                        label: qsTr("First name")
                        accessibleName: qsTr("First name, required")
                        text: form.firstName
                        onEdited: text => form.setField("firstName", text)
                    }
                    FormFieldRow {
                        objectName: "lastName"
                        label: qsTr("Last name")
                        accessibleName: qsTr("Last name, required")
                        text: form.lastName
                        onEdited: text => form.setField("lastName", text)
                    }
                    FormFieldRow {
                        objectName: "phone"
                        label: qsTr("Phone")
                        accessibleName: qsTr("Phone, required")
                        inputHints: Qt.ImhDialableCharactersOnly
                        text: form.phone
                        onEdited: text => form.setField("phone", text)
                    }
                    FormFieldRow {
                        objectName: "email"
                        label: qsTr("Email")
                        accessibleName: qsTr("Email, required")
                        inputHints: Qt.ImhEmailCharactersOnly | Qt.ImhNoAutoUppercase
                        text: form.email
                        onEdited: text => form.setField("email", text)
                    }
                }

                FormSection {
                    visible: !form.pending
                    header: qsTr("Deal")
                    footer: qsTr("Payment sets the deal to Closed Won and updates its amount to the total before tax.")
                    Item {
                        Layout.fillWidth: true
                        implicitHeight: 52
                        BodyLabel {
                            anchors.left: parent.left
                            anchors.leftMargin: 16
                            anchors.verticalCenter: parent.verticalCenter
                            text: qsTr("Campaign source")
                        }
                        PlainComboBox {
                            id: campaignPicker
                            objectName: "campaignPicker"
                            anchors.right: parent.right
                            anchors.rightMargin: 8
                            anchors.verticalCenter: parent.verticalCenter
                            width: Math.min(280, parent.width * 0.55)
                            model: form.campaignNames
                            currentIndex: form.campaignIndex
                            displayText: form.savedSelection ? qsTr("Saved selection")
                                         : currentIndex < 0 ? qsTr("Select campaign") : currentText
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.subheadline
                            leftPadding: 10
                            rightPadding: 30
                            Accessible.name: qsTr("Campaign source")
                            onActivated: index => form.chooseCampaign(index)
                            indicator: SymbolIcon {
                                x: campaignPicker.width - width - 10
                                y: (campaignPicker.height - height) / 2
                                symbol: "chevron.down"
                                size: 14
                                color: Theme.secondaryText
                            }
                            background: Rectangle {
                                implicitHeight: 36
                                radius: 9
                                color: Theme.surface
                                border.width: campaignPicker.activeFocus ? 2 : 1
                                border.color: campaignPicker.activeFocus ? Theme.ink : Theme.border
                            }
                        }
                    }
                    RowLayout {
                        visible: form.optionsBusy
                        Layout.leftMargin: 16
                        Layout.bottomMargin: 8
                        BusyIndicator { running: parent.visible; implicitWidth: 20; implicitHeight: 20 }
                        FootnoteLabel {
                            text: qsTr("Loading campaigns…")
                        }
                    }
                    RowLayout {
                        visible: !form.optionsBusy && form.optionsError !== ""
                        Layout.leftMargin: 16
                        Layout.rightMargin: 8
                        Layout.bottomMargin: 8
                        spacing: 8
                        SymbolIcon {
                            symbol: "exclamationmark.circle"
                            size: 16
                            color: Theme.orange
                        }
                        FootnoteLabel {
                            objectName: "campaignsUnavailable"
                            Layout.fillWidth: true
                            text: qsTr("Campaigns unavailable")
                            color: Theme.orange
                        }
                        HeaderToolButton {
                            objectName: "reloadCampaignsButton"
                            text: qsTr("Reload campaigns")
                            symbol: "arrow.clockwise"
                            onClicked: form.loadCampaigns()
                        }
                    }
                    FormFieldRow {
                        objectName: "dealAmount"
                        label: qsTr("Deal amount")
                        accessibleName: qsTr("Deal amount, required")
                        inputHints: Qt.ImhFormattedNumbersOnly
                        number: true
                        text: form.dealAmount
                        onEdited: text => form.setField("dealAmount", text)
                    }
                    FormRow {
                        label: qsTr("Closing date")
                        value: qsTr("Today")
                    }
                }

                PrimaryButton {
                    objectName: "createCustomerButton"
                    text: form.submitTitle
                    working: sheet.workspace.busy
                    enabled: form.canSubmit
                    onClicked: form.submit().then(created => { if (created) sheet.close() })
                }
            }
        }
    }

    ConfirmationSheet {
        id: changeConfirmation
        objectName: "customerChangeConfirmation"
        title: SharedTexts.changeCustomerTitle
        message: SharedTexts.changeCustomerMessage
        confirmTitle: SharedTexts.useSelectedCustomer
        cancelTitle: SharedTexts.keepCurrentCustomer
        onConfirm: sheet.select(sheet.selectedCustomerId)
        onCancel: sheet.selectedCustomerId = ""
    }
}
