import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
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

    contentItem: ColumnLayout {
        spacing: 8
        ProductPhoto {
            Layout.fillWidth: true
            Layout.preferredHeight: width * 0.72
            store: card.catalog ? card.catalog.images : null
            api: card.catalog ? card.catalog.api : null
            productId: card.product.productId
            productName: card.product.name
            imagePath: card.product.imagePath
            imageVersion: card.product.imageVersion
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 6
            PlainTextItem {
                Layout.fillWidth: true
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
                objectName: "assembledBadge"
                visible: card.product.assembled
                Layout.alignment: Qt.AlignTop
                implicitWidth: badge.implicitWidth + 12
                implicitHeight: badge.implicitHeight + 6
                radius: 6
                color: Theme.ink
                PlainTextItem {
                    id: badge
                    anchors.centerIn: parent
                    text: qsTr("ASSEMBLED")
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.caption2
                    font.weight: Font.Bold
                    color: Theme.surface
                }
            }
        }
        // A layout keeps an item that does not fill at its natural width: one
        // line wider than the card (a long "Assembled from …" stock line)
        // would lay the whole card out that wide, photo included. The lines
        // from here down fill the card and elide.
        PlainTextItem {
            Layout.fillWidth: true
            text: card.product.sku
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.caption
            color: Theme.secondaryText
        }
        RowLayout {
            Layout.fillWidth: true
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                PlainTextItem {
                    Layout.fillWidth: true
                    text: card.product.priceText
                    elide: Text.ElideRight
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.headline
                    font.weight: Font.Bold
                    color: Theme.primaryText
                }
                PlainTextItem {
                    Layout.fillWidth: true
                    text: card.product.stockLine
                    elide: Text.ElideRight
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.caption
                    color: Theme.secondaryText
                }
                PlainTextItem {
                    visible: card.product.compositeStockLine !== ""
                    Layout.fillWidth: true
                    text: card.product.compositeStockLine
                    elide: Text.ElideRight
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.caption
                    color: Theme.secondaryText
                }
            }
            Item { Layout.fillWidth: true }
            Rectangle {
                Layout.alignment: Qt.AlignBottom
                implicitWidth: 32
                implicitHeight: 32
                radius: 16
                color: Theme.ink
                SymbolIcon {
                    anchors.centerIn: parent
                    symbol: "plus"
                    size: 16
                    color: Theme.surface
                }
            }
        }
    }
}
