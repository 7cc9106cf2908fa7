import QtQuick

// A selectable read-only text that, like PlainLabel, never reads its text as markup.
TextEdit {
    textFormat: TextEdit.PlainText
}
