import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The brand: the Vantrel word mark with "CHECKOUT" beside it.
Row {
    spacing: 10
    Image {
        width: 150
        height: 28
        anchors.verticalCenter: parent.verticalCenter
        fillMode: Image.PreserveAspectFit
        horizontalAlignment: Image.AlignLeft
        sourceSize.height: 56
        source: "image://symbol/VantrelFull/" + ViewLogic.rgbHex(Theme.ink)
        Accessible.role: Accessible.Graphic
        Accessible.name: "Vantrel"
    }
    Label {
        anchors.verticalCenter: parent.verticalCenter
        text: "CHECKOUT"
        font.family: Theme.fontFamily
        font.pixelSize: 9
        font.weight: Font.DemiBold
        font.letterSpacing: 2
        color: Theme.secondaryText
    }
}
