import QtQuick
import Vantrel.Checkout

// A field for a number of the quote (quantity, price, discount, amount). The
// workspace keeps the plain form ("1234.5"); the field shows it as the locale
// writes it ("1234,5") and sends every keystroke as typed. While the person
// types, the text stays exactly as typed for as long as it still reads as
// the kept value ("1.234,5" stays until the field is left); a change made
// elsewhere (the stepper, a reopened quote) replaces it.
EditorField {
    id: field
    // What the workspace keeps for this field.
    property string held
    signal typed(string text)

    function showHeld() {
        if (!field.activeFocus || Format.heldNumber(field.text) !== field.held)
            field.text = Format.fieldNumber(field.held)
    }
    inputMethodHints: Qt.ImhFormattedNumbersOnly
    onHeldChanged: showHeld()
    onActiveFocusChanged: showHeld()
    Component.onCompleted: showHeld()
    // The kept value is written again the new language's way.
    Connections {
        target: Format
        function onLanguageChanged() { field.showHeld() }
    }
    onTextEdited: typed(text)
}
