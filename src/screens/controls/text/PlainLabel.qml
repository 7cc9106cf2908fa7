import QtQuick
import QtQuick.Controls

// The screens' label. Names, notes and messages come from the server or from
// a person's typing: automatic rich text would render their markup and fetch
// the addresses of their <img> tags, so every label shows its text as written.
Label {
    textFormat: Text.PlainText
}
