import QtQuick
import QtQuick.Controls

// An editable multi-line field that, like PlainLabel, never reads its text as markup.
TextArea {
    textFormat: TextEdit.PlainText
}
