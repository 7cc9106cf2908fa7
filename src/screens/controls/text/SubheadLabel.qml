import QtQuick
import Vantrel.Checkout

// A line that explains or qualifies the text above it.
PlainLabel {
    font.family: Theme.fontFamily
    font.pixelSize: Theme.subheadline
    color: Theme.secondaryText
}
