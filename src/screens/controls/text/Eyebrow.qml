import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The small upper-case heading above a title.
PlainLabel {
    font.family: Theme.fontFamily
    font.pixelSize: 10
    font.bold: true
    font.letterSpacing: 1.7
    font.capitalization: Font.AllUppercase
    color: Theme.secondaryText
}
