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
    Accessible.onPressAction: if (card.enabled) card.clicked()
    onClicked: card.add(card.product.productId)
    // A tap leaves focus where it was (the search field, say); the keyboard still reaches the card.
    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    padding: 12

    background: Rectangle {
        radius: Theme.cardRadius
        color: Theme.surface
        border.color: card.hovered ? Theme.cardEdgeHovered : Theme.cardEdge
        scale: card.down ? 0.985 : 1
    }

    // Where block `block` of the four (photo, name row, SKU, price row)
    // starts, given their heights, stacked 8 apart in `available`: the height
    // they leave over is shared out in proportion to their whole-pixel
    // heights, and each block sits centred in its share, on a whole pixel.
    // This is where a column layout of the four puts them, worked out
    // directly (and with plain numbers, so a rebind allocates nothing): a
    // reused card changes its lines when it moves to a new row, and layouts
    // would lay the card out again (and each line with it) for every line
    // that changes.
    function blockTop(block: int, photo: real, nameRow: real, sku: real, priceRow: real,
                      available: real): real {
        var gap = 8
        var s0 = Math.ceil(photo), s1 = Math.ceil(nameRow), s2 = Math.ceil(sku), s3 = Math.ceil(priceRow)
        var sum = s0 + s1 + s2 + s3
        var leftOver = available - (s0 + (s1 + gap) + (s2 + gap) + (s3 + gap))
        // What each block grows by, and where it starts before rounding: the
        // same sums in the same order as the layout's.
        var grows = leftOver > 0
        var d0 = grows ? s0 + leftOver * s0 / sum - s0 : 0
        var d1 = grows ? s1 + leftOver * s1 / sum - s1 : 0
        var d2 = grows ? s2 + leftOver * s2 / sum - s2 : 0
        var t1 = s0 + gap, t2 = t1 + s1 + gap, t3 = t2 + s2 + gap
        var p1 = t1 + d0, p2 = t2 + (d0 + d1), p3 = t3 + (d0 + d1 + d2)
        var r1 = Math.floor(p1 + 0.5), r2 = Math.floor(p2 + 0.5), r3 = Math.floor(p3 + 0.5)
        // The share on whole pixels: what rounding the starts took from or
        // gave to each block; the last takes what is left.
        var top = 0
        var size = 0
        var height = 0
        if (block === 0) {
            height = photo
            size = s0 + d0 + (r1 - p1)
        } else if (block === 1) {
            top = r1
            height = nameRow
            size = s1 + d1 - (r1 - p1) + (r2 - p2)
        } else if (block === 2) {
            top = r2
            height = sku
            size = s2 + d2 - (r2 - p2) + (r3 - p3)
        } else {
            top = r3
            height = priceRow
            size = available - r3
        }
        var share = Math.max(Math.ceil(height), Math.floor(size + 0.5))
        return Math.floor(top + (share - Math.min(height, share)) / 2 + 0.5)
    }

    contentItem: Item {
        id: body
        readonly property real nameRowHeight: Math.max(name.height, badge.visible ? badge.height : 0)
        readonly property real priceRowHeight: Math.max(price.height + 2 + stock.height
                                                        + (composite.visible ? 2 + composite.height : 0), add.height)
        readonly property real photoTop: card.blockTop(0, photo.height, nameRowHeight, sku.height, priceRowHeight, height)
        readonly property real nameTop: card.blockTop(1, photo.height, nameRowHeight, sku.height, priceRowHeight, height)
        readonly property real skuTop: card.blockTop(2, photo.height, nameRowHeight, sku.height, priceRowHeight, height)
        readonly property real priceTop: card.blockTop(3, photo.height, nameRowHeight, sku.height, priceRowHeight, height)

        ProductPhoto {
            id: photo
            y: body.photoTop
            width: body.width
            height: width * 0.72
            store: card.catalog ? card.catalog.images : null
            api: card.catalog ? card.catalog.api : null
            productId: card.product.productId
            productName: card.product.name
            imagePath: card.product.imagePath
            imageVersion: card.product.imageVersion
        }
        PlainTextItem {
            id: name
            y: body.nameTop + Math.floor((body.nameRowHeight - height) / 2 + 0.5)
            width: body.width - (badge.visible ? badge.width + 6 : 0)
            text: card.product.name
            font.family: Theme.fontFamily
            font.pixelSize: Theme.subheadline
            elide: Text.ElideRight
            maximumLineCount: 2
            wrapMode: Text.WordWrap
            font.weight: Font.DemiBold
            color: Theme.primaryText
        }
        Rectangle {
            id: badge
            objectName: "assembledBadge"
            visible: card.product.assembled
            x: body.width - width
            y: body.nameTop
            width: Math.ceil(badgeText.implicitWidth + 12)
            height: Math.ceil(badgeText.implicitHeight + 6)
            radius: 6
            color: Theme.ink
            PlainTextItem {
                id: badgeText
                anchors.centerIn: parent
                text: qsTr("ASSEMBLED")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.caption2
                font.weight: Font.Bold
                color: Theme.surface
            }
        }
        PlainTextItem {
            id: sku
            y: body.skuTop
            width: body.width
            text: card.product.sku
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.caption
            color: Theme.secondaryText
        }
        PlainTextItem {
            id: price
            y: body.priceTop
            width: add.x - 10
            text: card.product.priceText
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.headline
            font.weight: Font.Bold
            color: Theme.primaryText
        }
        PlainTextItem {
            id: stock
            y: price.y + price.height + 2
            width: price.width
            text: card.product.stockLine
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.caption
            color: Theme.secondaryText
        }
        PlainTextItem {
            id: composite
            visible: card.product.compositeStockLine !== ""
            y: stock.y + stock.height + 2
            width: price.width
            text: card.product.compositeStockLine
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.caption
            color: Theme.secondaryText
        }
        // The "+" on its black disc, drawn as one item.
        SymbolImage {
            id: add
            x: body.width - width
            y: body.priceTop + body.priceRowHeight - height
            width: 32
            height: 32
            disc: Theme.ink
            padding: 8
            symbol: "plus"
            color: Theme.surface
            Accessible.ignored: true
        }
    }
}
