import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The workspace's notice under the header, until the close button clears it.
Rectangle {
    id: banner
    property CheckoutModel workspace
    readonly property bool showing: workspace.notice !== ""

    visible: showing
    implicitHeight: showing ? row.implicitHeight + 20 : 0
    color: Qt.rgba(0, 0, 0, 0.09)

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 26
        anchors.rightMargin: 18
        anchors.topMargin: 10
        anchors.bottomMargin: 10
        spacing: 12
        CaptionLabel {
            objectName: "noticeText"
            Layout.fillWidth: true
            text: banner.workspace.notice
            wrapMode: Text.WordWrap
            color: Theme.primaryText
        }
        ToolButton {
            id: closeButton
            objectName: "noticeCloseButton"
            Accessible.name: qsTr("Close notice")
            Accessible.onPressAction: Tap.press(closeButton)
            implicitWidth: 44
            implicitHeight: 44
            padding: 0
            background: Rectangle {
                radius: 14
                color: closeButton.down ? Qt.rgba(0, 0, 0, 0.12) : "transparent"
            }
            contentItem: Item {
                SymbolIcon {
                    anchors.centerIn: parent
                    symbol: "xmark"
                    size: 14
                }
            }
            onClicked: banner.workspace.clearNotice()
        }
    }
}
