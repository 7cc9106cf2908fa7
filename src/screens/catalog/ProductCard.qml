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

    // Where the four blocks (photo, name row, SKU, price row) start, given
    // their heights, stacked 8 apart in `available`: the height they leave
    // over is shared out in proportion to their whole-pixel heights, and each
    // block sits centred in its share, on a whole pixel. This is where a
    // column layout of the four puts them, worked out directly: a reused card
    // changes its lines when it moves to a new row, and layouts would lay the
    // card out again (and each line with it) for every line that changes.
    function blockTops(heights, available) {
        const gap = 8
        const n = heights.length
        const round = (x) => Math.floor(x + 0.5)
        let shares = [], tops = [], sizes = []
        let offset = 0, total = 0, sum = 0
        for (let i = 0; i < n; ++i) {
            shares.push(Math.ceil(heights[i]))
            offset += i > 0 ? gap : 0
            tops.push(offset)
            sizes.push(shares[i])
            offset += shares[i]
            total += shares[i] + (i > 0 ? gap : 0)
            sum += shares[i]
        }
        const leftOver = available - total
        if (leftOver > 0) {
            let moved = 0
            for (let i = 0; i < n; ++i) {
                const grown = shares[i] + leftOver * shares[i] / sum
                const delta = grown - shares[i]
                tops[i] += moved
                sizes[i] += delta
                moved += delta
            }
        }
        for (let i = 0; i < n; ++i) {
            const top = round(tops[i])
            sizes[i] -= top - tops[i]
            if (i > 0)
                sizes[i - 1] += top - tops[i]
            tops[i] = top
        }
        sizes[n - 1] = available - tops[n - 1]
        for (let i = 0; i < n; ++i) {
            const size = Math.max(shares[i], round(sizes[i]))
            tops[i] = round(tops[i] + (size - Math.min(heights[i], size)) / 2)
        }
        return tops
    }

    // The blocks are placed, not laid out: see blockTops(). Every line fills
    // the card's width (the price lines, what the "+" leaves) and elides, so
    // no line is ever wider than the card.
    contentItem: Item {
        id: body
        readonly property real nameRowHeight: Math.max(name.height, badge.visible ? badge.height : 0)
        readonly property real priceRowHeight: Math.max(price.height + 2 + stock.height
                                                        + (composite.visible ? 2 + composite.height : 0), add.height)
        readonly property var tops: card.blockTops([photo.height, nameRowHeight, sku.height, priceRowHeight],
                                                   height)

        ProductPhoto {
            id: photo
            y: body.tops[0]
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
            y: body.tops[1] + Math.floor((body.nameRowHeight - height) / 2 + 0.5)
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
            y: body.tops[1]
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
            y: body.tops[2]
            width: body.width
            text: card.product.sku
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.caption
            color: Theme.secondaryText
        }
        PlainTextItem {
            id: price
            y: body.tops[3]
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
            y: body.tops[3] + body.priceRowHeight - height
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
