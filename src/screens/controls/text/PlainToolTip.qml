import QtQuick
import QtQuick.Controls

// A tool tip that shows its text as written; the style's own reads markup,
// and a tip can repeat a name from the server.
ToolTip {
    id: tip
    contentItem: PlainLabel {
        text: tip.text
        font: tip.font
        wrapMode: Text.Wrap
        color: tip.palette.toolTipText
    }
}
