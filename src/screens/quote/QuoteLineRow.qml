import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// One line of the quote: name and SKU, the quantity stepper, the unit price,
// and behind the expand button its description, discount and tax. Every
// change goes to the workspace by line id; the fields show what it keeps.
Rectangle {
    id: row
    required property string lineId
    required property string sku
    required property string name
    required property string description
    required property string quantity
    required property string rate
    required property string discount
    required property string taxId
    required property string amountText
    required property string problem
    required property int index
    property QuotePart quote
    property QuoteEditorState editor
    property bool expanded: false
    readonly property bool locked: quote.editingLocked

    objectName: "quoteLine-" + index
    implicitHeight: column.implicitHeight + 24
    radius: Theme.cornerRadius
    color: Theme.surface
    border.color: Theme.separator
    border.width: 1

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 12
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                PlainLabel {
                    visible: row.sku !== ""
                    text: row.sku
                    font.family: "DejaVu Sans Mono"
                    font.pixelSize: 12
                    font.weight: Font.DemiBold
                    color: Theme.secondaryText
                    Layout.fillWidth: true
                    elide: Text.ElideRight
                }
                SubheadLabel {
                    text: row.name
                    color: Theme.primaryText
                    wrapMode: Text.Wrap
                    maximumLineCount: 2
                    elide: Text.ElideRight
                    Layout.fillWidth: true
                }
            }
            SubheadLabel {
                text: row.amountText
                font.weight: Font.DemiBold
                color: Theme.primaryText
            }
            IconButton {
                objectName: "removeLine"
                symbol: "xmark"
                symbolSize: 14
                tint: Theme.secondaryText
                enabled: !row.locked
                Accessible.name: SharedTexts.removePrefix + row.name
                onClicked: row.quote.removeLine(row.lineId)
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 6
            Rectangle {
                implicitWidth: stepper.implicitWidth
                implicitHeight: 44
                radius: 10
                color: Theme.canvas
                RowLayout {
                    id: stepper
                    anchors.fill: parent
                    spacing: 0
                    IconButton {
                        objectName: "decreaseQuantity"
                        symbol: "minus"
                        enabled: !row.locked && row.editor.canStepDown(row.quantity)
                        Accessible.name: qsTr("Decrease quantity")
                        onClicked: row.quote.stepQuantity(row.lineId, -1)
                    }
                    NumberField {
                        id: quantityField
                        objectName: "quantityField"
                        held: row.quantity
                        placeholderText: qsTr("Qty")
                        enabled: !row.locked
                        implicitWidth: 45
                        horizontalAlignment: Text.AlignHCenter
                        padding: 2
                        leftPadding: 2
                        rightPadding: 2
                        Accessible.name: qsTr("Quantity")
                        background: Rectangle {
                            color: Theme.surface
                            radius: 6
                            border.width: quantityField.activeFocus ? 2 : 0
                            border.color: Theme.ink
                        }
                        onTyped: text => row.quote.setLineQuantity(row.lineId, text)
                    }
                    IconButton {
                        objectName: "increaseQuantity"
                        symbol: "plus"
                        enabled: !row.locked
                        Accessible.name: qsTr("Increase quantity")
                        onClicked: row.quote.stepQuantity(row.lineId, 1)
                    }
                }
            }
            Item { implicitWidth: 6 }
            SubheadLabel {
                text: "$"
            }
            NumberField {
                objectName: "rateField"
                Layout.fillWidth: true
                Layout.maximumWidth: 140
                held: row.rate
                placeholderText: qsTr("Rate")
                enabled: !row.locked
                Accessible.name: qsTr("Unit price")
                onTyped: text => row.quote.setLineRate(row.lineId, text)
            }
            Item { Layout.fillWidth: true }
            IconButton {
                objectName: "expandLine"
                symbol: row.expanded ? "chevron.up" : "slider.horizontal.3"
                framed: true
                Accessible.name: qsTr("Line description, discount, and tax")
                onClicked: row.expanded = !row.expanded
            }
        }
        // What the server would refuse in this line, before anything is sent.
        CaptionLabel {
            objectName: "lineProblem"
            visible: row.problem !== ""
            Layout.fillWidth: true
            text: row.problem
            wrapMode: Text.Wrap
            color: Theme.orange
        }

        ColumnLayout {
            visible: row.expanded
            Layout.fillWidth: true
            spacing: 8
            CaptionLabel {
                text: qsTr("Description")
            }
            PlainTextArea {
                id: descriptionField
                objectName: "descriptionField"
                Layout.fillWidth: true
                text: row.description
                enabled: !row.locked
                wrapMode: TextEdit.Wrap
                font.family: Theme.fontFamily
                font.pixelSize: Theme.caption
                selectByMouse: true
                Accessible.name: qsTr("Description")
                background: Rectangle {
                    implicitHeight: 54
                    radius: 9
                    color: Theme.surface
                    border.width: descriptionField.activeFocus ? 2 : 1
                    border.color: descriptionField.activeFocus ? Theme.ink : Theme.border
                }
                onTextChanged: if (text !== row.description) row.quote.setLineDescription(row.lineId, text)
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 10
                ColumnLayout {
                    spacing: 4
                    Layout.fillWidth: false
                    Layout.preferredWidth: 130
                    CaptionLabel {
                        text: qsTr("Discount")
                    }
                    NumberField {
                        objectName: "discountField"
                        Layout.fillWidth: true
                        held: row.discount
                        placeholderText: qsTr("0 or 10%")
                        enabled: !row.locked
                        // "%" is part of what is typed here.
                        inputMethodHints: Qt.ImhNone
                        Accessible.name: qsTr("Discount")
                        onTyped: text => row.quote.setLineDiscount(row.lineId, text)
                    }
                }
                ColumnLayout {
                    spacing: 4
                    Layout.fillWidth: true
                    CaptionLabel {
                        text: qsTr("Tax")
                    }
                    PlainComboBox {
                        id: taxPicker
                        objectName: "taxPicker"
                        Layout.fillWidth: true
                        model: row.editor.taxLabels
                        currentIndex: row.editor.taxIndex(row.taxId)
                        enabled: !row.locked
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.footnote
                        leftPadding: 10
                        rightPadding: 30
                        Accessible.name: qsTr("Tax")
                        onActivated: index => row.quote.setLineTax(row.lineId, row.editor.taxIds[index])
                        indicator: SymbolIcon {
                            x: taxPicker.width - width - 10
                            y: (taxPicker.height - height) / 2
                            symbol: "chevron.down"
                            size: 14
                            color: Theme.secondaryText
                        }
                        background: Rectangle {
                            implicitHeight: 36
                            radius: 9
                            color: taxPicker.enabled ? Theme.surface : Theme.canvas
                            border.width: taxPicker.activeFocus ? 2 : 1
                            border.color: taxPicker.activeFocus ? Theme.ink : Theme.border
                        }
                    }
                }
            }
        }
    }
}
