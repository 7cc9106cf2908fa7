import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The brand: the Vantrel word mark with "CHECKOUT" beside it.
Row {
    spacing: 10
    SymbolImage {
        width: 150
        height: 28
        anchors.verticalCenter: parent.verticalCenter
        symbol: "VantrelFull"
        color: Theme.ink
        alignLeft: true
        Accessible.role: Accessible.Graphic
        Accessible.name: "Vantrel"
    }
    PlainLabel {
        anchors.verticalCenter: parent.verticalCenter
        text: "CHECKOUT"
        font.family: Theme.fontFamily
        font.pixelSize: 9
        font.weight: Font.DemiBold
        font.letterSpacing: 2
        color: Theme.secondaryText
    }
}
