import QtQuick
import QtQuick.Controls

// A choice list whose entries (tax and campaign names from the server) show
// as written: the style's own entries would read them as markup.
ComboBox {
    id: control
    // qmllint disable unqualified
    delegate: ItemDelegate {
        id: entry
        required property var modelData
        required property int index
        width: ListView.view ? ListView.view.width : implicitWidth
        highlighted: control.highlightedIndex === index
        hoverEnabled: control.hoverEnabled
        contentItem: PlainLabel {
            text: control.textRole && entry.modelData ? entry.modelData[control.textRole] : entry.modelData
            font: control.font
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
            color: entry.highlighted ? entry.palette.highlightedText : entry.palette.text
        }
    }
    // qmllint enable unqualified
}
