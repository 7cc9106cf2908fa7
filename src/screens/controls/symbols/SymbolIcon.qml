import QtQuick
import Vantrel.Checkout

// One icon of the bundled set by its symbol name, drawn in a colour like text.
SymbolImage {
    property real size: 18
    width: size
    height: size
    implicitWidth: size
    implicitHeight: size
    color: Theme.ink
    Accessible.ignored: true
}
