import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// Who is signed in where, how this account takes payments, and sign-out.
Sheet {
    id: sheet
    property CheckoutModel workspace
    readonly property bool signedIn: workspace.signedIn
    readonly property bool demo: workspace.demo
    readonly property accountSummary summary: ViewLogic.accountSummary(workspace.checkout.paymentsEnabled,
                                                                         workspace.checkout.paymentRoute,
                                                                         workspace.checkout.usesDailySquareImport,
                                                                         workspace.checkout.paymentsSetupNotice, Format.language)

    preferredWidth: 540
    topPadding: 22
    leftPadding: 0
    rightPadding: 0
    bottomPadding: 0
    implicitHeight: 22 + navigation.implicitHeight + form.implicitHeight + 40

    contentItem: ColumnLayout {
        spacing: 0
        Item {
            id: navigation
            Layout.fillWidth: true
            implicitHeight: 44
            PlainLabel {
                anchors.centerIn: parent
                text: qsTr("Account")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.headline + 1
                font.weight: Font.DemiBold
                color: Theme.primaryText
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            TapButton {
                id: doneButton
                objectName: "accountDoneButton"
                anchors.right: parent.right
                anchors.rightMargin: 16
                anchors.verticalCenter: parent.verticalCenter
                text: SharedTexts.done
                flat: true
                font.family: Theme.fontFamily
                font.pixelSize: Theme.body
                font.weight: Font.DemiBold
                Accessible.name: text
                background: Item {}
                contentItem: PlainLabel {
                    text: doneButton.text
                    font: doneButton.font
                    color: Theme.ink
                    opacity: doneButton.down ? 0.5 : 1
                }
                onClicked: sheet.close()
            }
        }
        Flickable {
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            contentWidth: width
            contentHeight: form.implicitHeight + 24
            boundsBehavior: Flickable.StopAtBounds
            ColumnLayout {
                id: form
                x: 20
                y: 8
                width: sheet.availableWidth - 40
                spacing: 22

                FormSection {
                    header: qsTr("Signed in")
                    ColumnLayout {
                        Layout.fillWidth: true
                        Layout.margins: 16
                        spacing: 4
                        PlainTextEdit {
                            objectName: "signedInUser"
                            Layout.fillWidth: true
                            text: sheet.workspace.user
                            readOnly: true
                            selectByMouse: true
                            wrapMode: TextEdit.Wrap
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.body
                            color: Theme.primaryText
                            Accessible.role: Accessible.StaticText
                            Accessible.name: text
                        }
                        PlainTextEdit {
                            objectName: "signedInServer"
                            Layout.fillWidth: true
                            text: sheet.workspace.server
                            readOnly: true
                            selectByMouse: true
                            wrapMode: TextEdit.WrapAnywhere
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.caption
                            color: Theme.secondaryText
                            Accessible.role: Accessible.StaticText
                            Accessible.name: text
                        }
                    }
                }

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 8
                    FormSection {
                        header: qsTr("Checkout")
                        FormRow { objectName: "paymentsRow"; first: true; label: qsTr("Payments"); value: sheet.summary.payments }
                        FormRow { objectName: "collectOnRow"; label: qsTr("Collect payment on"); value: sheet.summary.collectOn }
                        FormRow { objectName: "accountingRow"; label: qsTr("Accounting"); value: sheet.summary.accounting }
                        FormRow { objectName: "businessDayRow"; label: qsTr("Business day"); value: sheet.summary.businessDay }
                    }
                    Repeater {
                        model: [{ name: "setupCaption", text: sheet.summary.setupCaption, orange: true },
                                { name: "registerCaption", text: sheet.summary.registerCaption, orange: false },
                                { name: "accountingCaption", text: sheet.summary.accountingCaption, orange: false }]
                        CaptionLabel {
                            required property var modelData
                            objectName: modelData.name
                            visible: modelData.text.length > 0
                            Layout.fillWidth: true
                            Layout.leftMargin: 16
                            Layout.rightMargin: 16
                            text: modelData.text
                            wrapMode: Text.WordWrap
                            color: modelData.orange ? Theme.orange : Theme.secondaryText
                        }
                    }
                }

                FormSection {
                    header: qsTr("Customer display")
                    ColumnLayout {
                        Layout.fillWidth: true
                        Layout.margins: 16
                        spacing: 10
                        Switch {
                            id: displaySwitch
                            objectName: "customerDisplaySwitch"
                            Layout.fillWidth: true
                            padding: 0
                            text: qsTr("Customer display")
                            checked: DisplayPlacement.on
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.body
                            Accessible.name: text
                            Accessible.onPressAction: Tap.press(displaySwitch)
                            onToggled: DisplayPlacement.on = checked
                        }
                        // A choice only when there is one to make.
                        Loader {
                            active: DisplayPlacement.screens.length > 1
                            visible: active
                            Layout.fillWidth: true
                            sourceComponent: PlainComboBox {
                                objectName: "customerDisplayScreen"
                                model: DisplayPlacement.screens
                                currentIndex: DisplayPlacement.screenIndex
                                Accessible.name: qsTr("Customer display screen")
                                onActivated: index => DisplayPlacement.chosenScreen = DisplayPlacement.screens[index]
                            }
                        }
                    }
                }

                FormSection {
                    header: qsTr("Language")
                    PlainComboBox {
                        id: languagePicker
                        objectName: "languageChoice"
                        Layout.fillWidth: true
                        Layout.margins: 16
                        model: LanguageChoice.names
                        currentIndex: LanguageChoice.index
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.body
                        leftPadding: 10
                        rightPadding: 30
                        Accessible.name: qsTr("Language")
                        onActivated: index => LanguageChoice.choice = LanguageChoice.choices[index]
                        // The style's own arrow image is never freed at exit.
                        indicator: SymbolIcon {
                            x: languagePicker.width - width - 10
                            y: (languagePicker.height - height) / 2
                            symbol: "chevron.down"
                            size: 14
                            color: Theme.secondaryText
                        }
                        background: Rectangle {
                            implicitHeight: 40
                            radius: 9
                            color: Theme.surface
                            border.width: languagePicker.activeFocus ? 2 : 1
                            border.color: languagePicker.activeFocus ? Theme.ink : Theme.border
                        }
                    }
                }

                FormSection {
                    visible: sheet.demo
                    BodyLabel {
                        objectName: "demoNotice"
                        Layout.fillWidth: true
                        Layout.margins: 16
                        text: qsTr("Demo data only. No real records or charges.")
                        wrapMode: Text.WordWrap
                        color: Theme.orange
                    }
                }

                FormSection {
                    TapButton {
                        id: signOutButton
                        objectName: "signOutButton"
                        Layout.fillWidth: true
                        implicitHeight: 48
                        padding: 0
                        text: qsTr("Sign out")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.body
                        Accessible.name: text
                        background: Rectangle {
                            radius: 12
                            color: signOutButton.down ? Qt.rgba(0, 0, 0, 0.06) : "transparent"
                        }
                        contentItem: PlainLabel {
                            leftPadding: 16
                            text: signOutButton.text
                            font: signOutButton.font
                            color: Theme.destructive
                            verticalAlignment: Text.AlignVCenter
                        }
                        onClicked: {
                            sheet.workspace.signOutNow()
                            sheet.close()
                        }
                    }
                }
            }
        }
    }
}
