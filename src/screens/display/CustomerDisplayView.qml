import QtQuick
import QtQuick.Layouts
import Vantrel.Checkout

// What the customer reads from a metre away: the brand while nothing is rung
// up, the lines and totals as the sale is built, the amount and what to do
// to pay, then thanks. Never who the customer is.
Rectangle {
    id: view
    property CheckoutModel workspace
    // Type and spacing grow with the screen; 1 on a 1080p display, and no
    // smaller than a small counter screen can still be read from a metre.
    readonly property real unit: Math.max(0.62, Math.min(width / 1920, height / 1080))
    readonly property string stage: face.stage

    color: Theme.canvas

    CustomerDisplayState {
        id: face
        workspace: view.workspace
        sheet: CheckoutSheetRelay.sheet
    }

    // The brand, always at the top.
    SymbolImage {
        id: brand
        x: 64 * view.unit
        y: 48 * view.unit
        width: 260 * view.unit
        height: 50 * view.unit
        symbol: "VantrelFull"
        color: Theme.ink
        alignLeft: true
        visible: view.stage !== "idle"
        Accessible.role: Accessible.Graphic
        Accessible.name: "Vantrel"
    }

    // Idle: the brand large and a welcome.
    ColumnLayout {
        objectName: "displayIdle"
        visible: view.stage === "idle"
        anchors.centerIn: parent
        width: parent.width * 0.8
        spacing: 44 * view.unit
        SymbolImage {
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 620 * view.unit
            Layout.preferredHeight: 120 * view.unit
            symbol: "VantrelFull"
            color: Theme.ink
            Accessible.role: Accessible.Graphic
            Accessible.name: "Vantrel"
        }
        DisplayText {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("Welcome")
            font.pixelSize: 96 * view.unit
            font.weight: Font.DemiBold
        }
        DisplayText {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("Your items will appear here as they are rung up.")
            font.pixelSize: 40 * view.unit
            color: Theme.secondaryText
            wrapMode: Text.WordWrap
        }
    }

    // Building: the lines on the left, the totals on the right.
    RowLayout {
        objectName: "displayBuilding"
        visible: view.stage === "building"
        anchors.fill: parent
        anchors.leftMargin: 64 * view.unit
        anchors.rightMargin: 64 * view.unit
        anchors.topMargin: brand.y + brand.height + 40 * view.unit
        anchors.bottomMargin: 56 * view.unit
        spacing: 48 * view.unit

        ListView {
            id: lines
            objectName: "displayLines"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            interactive: false
            spacing: 14 * view.unit
            model: view.workspace.quote.lines
            // The newest line is the one the customer looks for; the height
            // is known only once its delegate is made.
            onContentHeightChanged: lines.positionViewAtEnd()
            // qmllint disable unqualified
            delegate: Rectangle {
                id: line
                required property string name
                required property string quantity
                required property string rate
                required property string amountText
                width: ListView.view.width
                implicitHeight: lineRow.implicitHeight + 40 * view.unit
                radius: Theme.cardRadius
                color: Theme.surface
                border.color: Theme.separator
                RowLayout {
                    id: lineRow
                    anchors.fill: parent
                    anchors.margins: 20 * view.unit
                    anchors.leftMargin: 28 * view.unit
                    anchors.rightMargin: 28 * view.unit
                    spacing: 24 * view.unit
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 6 * view.unit
                        DisplayText {
                            Layout.fillWidth: true
                            text: line.name
                            font.pixelSize: 40 * view.unit
                            font.weight: Font.Medium
                            wrapMode: Text.Wrap
                            maximumLineCount: 2
                            elide: Text.ElideRight
                        }
                        DisplayText {
                            Layout.fillWidth: true
                            text: Format.number(line.quantity, Format.language) + " \u00D7 " + Format.money(line.rate, Format.language)
                            font.pixelSize: 30 * view.unit
                            color: Theme.secondaryText
                        }
                    }
                    DisplayText {
                        text: line.amountText
                        font.pixelSize: 40 * view.unit
                        font.weight: Font.DemiBold
                    }
                }
            }
            // qmllint enable unqualified
        }

        Rectangle {
            objectName: "displayTotals"
            Layout.preferredWidth: Math.max(parent.width * 0.36, 300 * view.unit)
            Layout.alignment: Qt.AlignTop
            implicitHeight: totalsColumn.implicitHeight + 64 * view.unit
            radius: Theme.cardRadius
            color: Theme.ink
            ColumnLayout {
                id: totalsColumn
                anchors.fill: parent
                anchors.margins: 32 * view.unit
                spacing: 18 * view.unit
                Repeater {
                    model: face.totals
                    // qmllint disable unqualified
                    RowLayout {
                        id: total
                        required property string label
                        required property string amount
                        required property int index
                        readonly property bool last: index === face.totals.count - 1
                        Layout.fillWidth: true
                        DisplayText {
                            Layout.fillWidth: true
                            text: total.label
                            color: "white"
                            opacity: total.last ? 1 : 0.75
                            font.pixelSize: (total.last ? 40 : 32) * view.unit
                            wrapMode: Text.WordWrap
                        }
                        DisplayText {
                            text: total.amount
                            color: "white"
                            font.pixelSize: (total.last ? 56 : 32) * view.unit
                            font.weight: total.last ? Font.Bold : Font.Medium
                        }
                    }
                    // qmllint enable unqualified
                }
            }
        }
    }

    // Checkout and complete: one big amount and what happens now.
    ColumnLayout {
        objectName: "displayPayment"
        visible: view.stage === "checkout" || view.stage === "complete"
        anchors.centerIn: parent
        width: parent.width * 0.8
        spacing: 28 * view.unit

        DisplayText {
            objectName: "displayThankYou"
            visible: view.stage === "complete"
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("Thank you")
            font.pixelSize: 120 * view.unit
            font.weight: Font.Bold
        }
        DisplayText {
            visible: view.stage === "checkout"
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("Amount due")
            font.pixelSize: 40 * view.unit
            color: Theme.secondaryText
        }
        DisplayText {
            objectName: "displayAmountDue"
            visible: view.stage === "checkout"
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: face.amountDueText
            font.pixelSize: 150 * view.unit
            font.weight: Font.Bold
        }
        Rectangle {
            visible: view.stage === "checkout"
            Layout.alignment: Qt.AlignHCenter
            implicitWidth: tender.implicitWidth + 56 * view.unit
            implicitHeight: tender.implicitHeight + 20 * view.unit
            radius: height / 2
            color: Theme.ink
            DisplayText {
                id: tender
                objectName: "displayTender"
                anchors.centerIn: parent
                text: face.tenderText
                color: "white"
                font.pixelSize: 32 * view.unit
                font.weight: Font.DemiBold
            }
        }
        DisplayText {
            objectName: "displayInstruction"
            visible: view.stage === "checkout" && text !== ""
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: face.instruction
            font.pixelSize: 48 * view.unit
            font.weight: Font.Medium
            wrapMode: Text.WordWrap
        }
        GridLayout {
            objectName: "displayCash"
            visible: view.stage === "checkout" && face.cashText !== ""
            Layout.alignment: Qt.AlignHCenter
            columns: 2
            columnSpacing: 56 * view.unit
            rowSpacing: 8 * view.unit
            DisplayText {
                text: qsTr("Cash received")
                font.pixelSize: 40 * view.unit
                color: Theme.secondaryText
            }
            DisplayText {
                Layout.alignment: Qt.AlignRight
                text: face.cashText
                font.pixelSize: 48 * view.unit
                font.weight: Font.Medium
            }
            DisplayText {
                text: qsTr("Change due")
                font.pixelSize: 40 * view.unit
                color: Theme.secondaryText
            }
            DisplayText {
                Layout.alignment: Qt.AlignRight
                text: face.changeText
                font.pixelSize: 64 * view.unit
                font.weight: Font.Bold
            }
        }
        DisplayText {
            objectName: "displayChangeGiven"
            visible: view.stage === "complete" && face.changeGiven
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("Your change: %1").arg(face.changeText)
            font.pixelSize: 56 * view.unit
            font.weight: Font.Medium
        }
    }

    // Every text on this screen reads the same to a screen reader.
    component DisplayText: PlainLabel {
        font.family: Theme.fontFamily
        color: Theme.primaryText
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
}
