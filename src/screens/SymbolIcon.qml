import QtQuick
import Vantrel.Checkout

// One icon of the bundled set by its symbol name, drawn in a colour like text.
Image {
    id: icon
    property string symbol
    property color color: Theme.ink
    property real size: 18

    width: size
    height: size
    sourceSize.width: Math.ceil(size * 2)
    sourceSize.height: Math.ceil(size * 2)
    fillMode: Image.PreserveAspectFit
    smooth: true
    source: symbol.length > 0 ? "image://symbol/" + symbol + "/" + ViewLogic.rgbHex(color) : ""
    Accessible.ignored: true
}
