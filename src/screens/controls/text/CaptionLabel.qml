import QtQuick
import Vantrel.Checkout

// The small secondary line under a row or a control: stock, hints, states.
PlainLabel {
    font.family: Theme.fontFamily
    font.pixelSize: Theme.caption
    color: Theme.secondaryText
}
