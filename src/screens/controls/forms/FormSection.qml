import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A grouped form section: a small header, a white card of rows, captions below.
ColumnLayout {
    id: section
    property string header
    property string footer
    default property alias rows: card.data
    spacing: 6
    Layout.fillWidth: true

    CaptionLabel {
        visible: section.header.length > 0
        Layout.leftMargin: 16
        text: section.header
        font.weight: Font.Medium
        font.capitalization: Font.AllUppercase
        font.letterSpacing: 0.6
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }
    Rectangle {
        Layout.fillWidth: true
        implicitHeight: card.implicitHeight
        radius: 12
        color: Theme.surface
        ColumnLayout {
            id: card
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: 0
        }
    }
    CaptionLabel {
        visible: section.footer.length > 0
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
        text: section.footer
        wrapMode: Text.Wrap
    }
}
