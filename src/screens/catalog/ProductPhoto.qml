import QtQuick
import Vantrel.Checkout

// One product's photo through the image store: fetched off the main thread,
// restarted when the photo's key changes, cancelled when the card goes away.
ProductPhotoFrame {
    id: view
    property ProductImageStore store
    property APIClient api
    property string productId
    property string productName
    property string imagePath
    property string imageVersion

    source: loader.source
    loading: loader.loading
    Accessible.role: Accessible.Graphic
    Accessible.name: loader.accessibleName

    ProductPhotoLoader {
        id: loader
        store: view.store
        api: view.api
        productId: view.productId
        productName: view.productName
        imagePath: view.imagePath
        imageVersion: view.imageVersion
        // The photo's box inside the frame's padding, in device pixels.
        pixelSize: Qt.size(Math.max(0, (view.width - 2 * view.padding) * Screen.devicePixelRatio),
                           Math.max(0, (view.height - 2 * view.padding) * Screen.devicePixelRatio))
    }
}
