import QtQuick

// A bare text item for what is drawn many times over, such as the catalog's
// cards: no Control around it, so no style bindings to make for each one, and
// like every label here it shows its text as written.
Text {
    textFormat: Text.PlainText
}
