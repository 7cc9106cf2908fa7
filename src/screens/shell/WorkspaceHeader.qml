import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The workspace's header bar: brand, demo marker, the three workspace tools
// and the account button.
Rectangle {
    id: header
    property CheckoutModel workspace
    signal customersRequested()
    signal transactionsRequested()
    signal accountRequested()
    readonly property bool demo: workspace.demo
    // Titles show only while the whole row fits; TextMetrics keep the test
    // independent of the buttons' current (maybe compact) size.
    readonly property real fullToolsWidth: customersMetrics.advanceWidth + transactionsMetrics.advanceWidth
                                           + resetMetrics.advanceWidth + 3 * (17 + 7 + 28) + 2 * 8
    readonly property real fixedWidth: brand.implicitWidth + (demoLabel.visible ? demoLabel.implicitWidth + row.spacing : 0)
                                       + accountButton.implicitWidth + 3 * row.spacing + 52 + 24
    readonly property bool compactTools: width < fixedWidth + fullToolsWidth

    implicitHeight: 64
    color: Theme.surface

    TextMetrics { id: customersMetrics; font: customersButton.font; text: customersButton.text }
    TextMetrics { id: transactionsMetrics; font: transactionsButton.font; text: transactionsButton.text }
    TextMetrics { id: resetMetrics; font: resetButton.font; text: resetButton.text }

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 26
        anchors.rightMargin: 26
        spacing: 14

        Row {
            id: brand
            objectName: "brand"
            spacing: 10
            Layout.alignment: Qt.AlignVCenter
            SymbolImage {
                width: 104
                height: 20
                anchors.verticalCenter: parent.verticalCenter
                symbol: "VantrelFull"
                color: Theme.ink
                alignLeft: true
                Accessible.role: Accessible.Graphic
                Accessible.name: "Vantrel"
            }
            PlainLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: "CHECKOUT"
                font.family: Theme.fontFamily
                font.pixelSize: 11
                font.weight: Font.Medium
                font.letterSpacing: 2.5
                color: Theme.secondaryText
            }
        }

        Rectangle {
            id: demoLabel
            objectName: "demoLabel"
            visible: header.demo
            implicitWidth: demoRow.implicitWidth + 16
            implicitHeight: demoRow.implicitHeight + 8
            radius: 7
            color: Qt.rgba(0.76, 0.34, 0.04, 0.12)
            Accessible.role: Accessible.StaticText
            Accessible.name: qsTr("DEMO")
            Row {
                id: demoRow
                anchors.centerIn: parent
                spacing: 5
                SymbolIcon {
                    symbol: "testtube.2"
                    color: Theme.orange
                    size: 13
                    anchors.verticalCenter: parent.verticalCenter
                }
                CaptionLabel {
                    text: qsTr("DEMO")
                    font.bold: true
                    color: Theme.orange
                    anchors.verticalCenter: parent.verticalCenter
                }
            }
        }

        Item { Layout.fillWidth: true }

        RowLayout {
            spacing: 8
            HeaderToolButton {
                id: customersButton
                objectName: "customersButton"
                text: SharedTexts.customers
                symbol: "person.2"
                compact: header.compactTools
                onClicked: header.customersRequested()
            }
            HeaderToolButton {
                id: transactionsButton
                objectName: "transactionsButton"
                text: qsTr("Transactions")
                symbol: "clock.arrow.circlepath"
                compact: header.compactTools
                onClicked: header.transactionsRequested()
            }
            WorkspaceResetButton {
                id: resetButton
                workspace: header.workspace
                compact: header.compactTools
            }
        }

        ToolButton {
            id: accountButton
            objectName: "accountButton"
            Accessible.name: qsTr("Account and settings")
            Accessible.onPressAction: Tap.press(accountButton)
            implicitWidth: 44
            implicitHeight: 44
            padding: 0
            background: Rectangle {
                radius: 20
                color: accountButton.down ? Qt.rgba(0, 0, 0, 0.08) : (accountButton.hovered ? Qt.rgba(0, 0, 0, 0.04) : "transparent")
            }
            contentItem: Item {
                SymbolIcon {
                    anchors.centerIn: parent
                    symbol: "person.crop.circle"
                    size: Theme.title2 + 4
                }
            }
            onClicked: header.accountRequested()
        }
    }
    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 1
        color: Theme.separator
    }
}
