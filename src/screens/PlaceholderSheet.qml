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
        SheetTitleBar {
            Layout.fillWidth: true
            title: sheet.title
            onDone: sheet.close()
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
