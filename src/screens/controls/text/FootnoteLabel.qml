import QtQuick
import Vantrel.Checkout

// A note at the foot of a section.
PlainLabel {
    font.family: Theme.fontFamily
    font.pixelSize: Theme.footnote
    color: Theme.secondaryText
}
