import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A sheet whose screen is not in this build yet: its title and a Done button.
BrandedSheetStyle {
    id: sheet
    property string title
    property string detail
    property string symbol
    preferredWidth: 560
    implicitHeight: 340

    contentItem: ColumnLayout {
        spacing: 0
        Item {
            Layout.fillWidth: true
            implicitHeight: 36
            Label {
                anchors.centerIn: parent
                text: sheet.title
                font.family: Theme.fontFamily
                font.pixelSize: Theme.headline + 1
                font.weight: Font.DemiBold
                color: Theme.primaryText
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Button {
                id: doneButton
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: "Done"
                Accessible.name: text
                Accessible.onPressAction: doneButton.clicked()
                background: Item {}
                contentItem: Label {
                    text: doneButton.text
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.body
                    font.weight: Font.DemiBold
                    color: Theme.ink
                    opacity: doneButton.down ? 0.5 : 1
                }
                onClicked: sheet.close()
            }
        }
        PlaceholderPanel {
            Layout.fillWidth: true
            Layout.fillHeight: true
            color: "transparent"
            title: sheet.title
            detail: sheet.detail
            symbol: sheet.symbol
        }
    }
}
