import QtQuick
import Vantrel.Checkout

// A product photo fitted inside a rounded frame, or a quiet placeholder that
// says whether the photo is still loading or could not be had.
Rectangle {
    id: frame
    property url source
    property bool loading: false
    property real padding: 10
    readonly property bool hasImage: photo.status === Image.Ready

    radius: 12
    color: Theme.photoWell

    Image {
        id: photo
        anchors.fill: parent
        anchors.margins: frame.padding
        source: frame.source
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        cache: true
        smooth: true
        visible: frame.hasImage
    }
    // The placeholder, an icon over a note, centred: placed once. The two
    // notes are laid out once each and take turns showing: a reused card goes
    // from loading to unavailable on every new product, and changing one
    // note's text would lay it out again each time.
    Item {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        height: placeholderIcon.height + 6 + note.height
        visible: !frame.hasImage
        SymbolIcon {
            id: placeholderIcon
            anchors.horizontalCenter: parent.horizontalCenter
            symbol: "photo"
            size: 26
            color: Qt.rgba(0, 0, 0, 0.22)
        }
        PlainTextItem {
            id: note
            anchors.horizontalCenter: parent.horizontalCenter
            y: placeholderIcon.height + 6
            visible: frame.loading
            text: qsTr("Loading photo…")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.caption
            color: Theme.secondaryText
        }
        PlainTextItem {
            anchors.horizontalCenter: parent.horizontalCenter
            y: placeholderIcon.height + 6
            visible: !frame.loading
            text: qsTr("Photo unavailable")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.caption
            color: Theme.secondaryText
        }
    }
}
