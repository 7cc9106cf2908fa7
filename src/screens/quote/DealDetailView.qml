import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The linked deal's reference data: name, CRM number with a refresh, and the
// CRM and Drive links when their addresses are safe to open.
ColumnLayout {
    id: details
    property QuoteEditorState editor
    property QuotePart quote
    spacing: 8
    objectName: "dealDetails"

    SubheadLabel {
        Layout.fillWidth: true
        text: details.editor.dealName
        wrapMode: Text.Wrap
        color: Theme.primaryText
    }
    RowLayout {
        Layout.fillWidth: true
        CaptionLabel {
            Layout.fillWidth: true
            objectName: "dealIdCaption"
            text: details.editor.dealIdCaption
        }
        IconButton {
            objectName: "refreshDeal"
            symbol: "arrow.clockwise"
            symbolSize: 15
            enabled: !details.quote.editingLocked
            Accessible.name: qsTr("Refresh deal details")
            onClicked: details.quote.refreshDeal()
        }
    }
    Flow {
        Layout.fillWidth: true
        spacing: 8
        HeaderToolButton {
            objectName: "crmLink"
            visible: details.editor.crmLinkOffered
            text: "Zoho CRM"
            symbol: "arrow.up.right.square"
            onClicked: details.editor.openCrmLink()
        }
        HeaderToolButton {
            objectName: "driveLink"
            visible: details.editor.driveLinkOffered
            text: qsTr("Drive folder")
            symbol: "folder"
            onClicked: details.editor.openDriveLink()
        }
    }
    PlainLabel {
        Layout.fillWidth: true
        objectName: "drivePending"
        visible: details.editor.drivePending
        text: qsTr("Drive folder pending. Refresh after CRM creates it.")
        wrapMode: Text.Wrap
        font.family: Theme.fontFamily
        font.pixelSize: Theme.caption2
        color: Theme.secondaryText
    }
}
