import QtQuick
import Vantrel.Checkout

// One product's photo through the image store, fitted inside the well the
// card draws under it: fetched off the main thread, restarted when the photo's
// key changes, cancelled when the card goes away. Until it shows, the card
// draws the placeholder (`hasImage`, `loading`).
Item {
    id: view
    property ProductImageStore store
    property APIClient api
    property string productId
    property string productName
    property string imagePath
    property string imageVersion
    property real padding: 10
    readonly property bool hasImage: photo.status === Image.Ready
    readonly property bool loading: loader.loading

    Accessible.role: Accessible.Graphic
    Accessible.name: loader.accessibleName

    Image {
        id: photo
        anchors.fill: parent
        anchors.margins: view.padding
        source: loader.source
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        cache: true
        smooth: true
        visible: view.hasImage
    }
    ProductPhotoLoader {
        id: loader
        store: view.store
        api: view.api
        productId: view.productId
        productName: view.productName
        imagePath: view.imagePath
        imageVersion: view.imageVersion
        // The photo's box inside the padding, in device pixels.
        pixelSize: Qt.size(Math.max(0, (view.width - 2 * view.padding) * Screen.devicePixelRatio),
                           Math.max(0, (view.height - 2 * view.padding) * Screen.devicePixelRatio))
    }
}
