import QtQuick
import Vantrel.Checkout

// The heading of a section, a card or an empty state.
PlainLabel {
    font.family: Theme.fontFamily
    font.pixelSize: Theme.headline
    font.weight: Font.DemiBold
    color: Theme.primaryText
}
