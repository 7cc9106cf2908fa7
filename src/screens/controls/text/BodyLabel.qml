import QtQuick
import Vantrel.Checkout

// The running text of rows and forms.
PlainLabel {
    font.family: Theme.fontFamily
    font.pixelSize: Theme.body
    color: Theme.primaryText
}
