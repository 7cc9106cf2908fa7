import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// Links one of the chosen customer's deals to the quote, or none.
Sheet {
    id: sheet
    property CheckoutModel workspace
    readonly property QuotePart quote: workspace.quote
    preferredWidth: 520
    implicitHeight: 480
    objectName: "dealSheet"
    onAboutToShow: workspace.customers.loadDealsIfNeeded()

    contentItem: ColumnLayout {
        spacing: 12
        SheetTitleBar {
            Layout.fillWidth: true
            title: qsTr("Associate deal")
            onDone: sheet.close()
        }
        RowLayout {
            visible: sheet.workspace.busy && list.count === 0
            Layout.alignment: Qt.AlignHCenter
            BusyIndicator { running: parent.visible; implicitWidth: 24; implicitHeight: 24 }
            SubheadLabel {
                text: qsTr("Loading deals…")
            }
        }
        Eyebrow { text: qsTr("Customer deals") }
        ListView {
            id: list
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            spacing: 0
            // qmllint disable unqualified
            header: DealChoice {
                width: list.width
                objectName: "noDealRow"
                title: qsTr("No associated deal")
                chosen: sheet.quote.dealId === ""
                onClicked: sheet.quote.selectDeal("")
            }
            // qmllint enable unqualified
            model: sheet.workspace.customers.deals
            // qmllint disable unqualified
            delegate: DealChoice {
                required property string dealId
                required property string name
                required property string number
                width: list.width
                title: name
                caption: number !== "" ? number : SharedTexts.dealNumberPending
                chosen: sheet.quote.dealId === dealId
                onClicked: sheet.quote.selectDeal(dealId)
            }
            // qmllint enable unqualified
        }
    }

    // qmllint disable unqualified
    component DealChoice: ItemDelegate {
        id: choice
        property string title
        property string caption
        property bool chosen
        enabled: !sheet.quote.editingLocked
        implicitHeight: 54
        Accessible.name: title
        Accessible.onPressAction: Tap.press(choice)
        background: Rectangle {
            color: choice.down ? Qt.rgba(0, 0, 0, 0.05) : "transparent"
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: Theme.separator
            }
        }
        contentItem: RowLayout {
            spacing: 10
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 1
                BodyLabel {
                    text: choice.title
                    elide: Text.ElideRight
                    Layout.fillWidth: true
                }
                CaptionLabel {
                    visible: choice.caption !== ""
                    text: choice.caption
                }
            }
            SymbolIcon {
                visible: choice.chosen
                symbol: "checkmark"
                size: 18
            }
        }
    }
    // qmllint enable unqualified
}
