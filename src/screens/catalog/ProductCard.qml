import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// One catalog product; the whole card adds it to the quote.
AbstractButton {
    id: card
    // What the card shows, in one value: a reused card is rebound with one
    // assignment.
    property catalogCard product
    property CatalogPart catalog

    signal add(string productId)

    objectName: "productCard-" + card.product.sku
    Accessible.role: Accessible.Button
    Accessible.name: card.product.addLabel
    Accessible.description: card.product.sku + ", " + card.product.stockLine
    Accessible.onPressAction: if (card.enabled) card.clicked()
    onClicked: card.add(card.product.productId)
    // A tap leaves focus where it was (the search field, say); the keyboard still reaches the card.
    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    padding: 12

    // What the card shows is drawn as one picture, with the photo over it.
    background: ProductCardFace {
        id: face
        product: card.product
        theme: Theme
        padding: card.padding
        hovered: card.hovered
        photoShown: photo.hasImage
        photoLoading: photo.loading
        texts: [qsTr("ASSEMBLED"), qsTr("Loading photo…"), qsTr("Photo unavailable")]
        scale: card.down ? 0.985 : 1

        ProductPhoto {
            id: photo
            x: face.photoRect.x
            y: face.photoRect.y
            width: face.photoRect.width
            height: face.photoRect.height
            store: card.catalog ? card.catalog.images : null
            api: card.catalog ? card.catalog.api : null
            productId: card.product.productId
            productName: card.product.name
            imagePath: card.product.imagePath
            imageVersion: card.product.imageVersion
        }
    }
}
