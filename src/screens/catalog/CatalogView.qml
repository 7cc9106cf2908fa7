import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The products tab: search typed, spoken or scanned, category chips, the two
// assembled toggles, and the grid of product cards that add to the quote.
Rectangle {
    id: view
    property CheckoutModel workspace
    readonly property CatalogPart catalog: workspace.catalog
    readonly property VisibleProducts products: catalog.visible
    // The narrow layout hides this pane behind the quote tab.
    property bool shown: true
    // The quote is on its own tab, out of sight.
    property bool narrow: false
    property string lastScanned: ""

    objectName: "catalogView"
    color: Theme.canvas

    VoiceSearch {
        id: voice
        Component.onCompleted: view.catalog.feedVocabulary(voice)
        // Spoken search replaces whatever was typed.
        onTranscriptChanged: if (transcript !== "") view.products.query = transcript
    }
    onShownChanged: if (!shown) voice.stop()
    Component.onDestruction: voice.stop()

    Timer {
        id: scanConfirmation
        interval: 2500
        onTriggered: view.lastScanned = ""
    }
    Connections {
        target: view.products
        function onScanned(name) { view.lastScanned = name; scanConfirmation.restart() }
    }
    // "Stock updated … ago" stays current while the screen is up.
    Timer {
        id: clock
        property date now: new Date()
        interval: 15000
        repeat: true
        running: view.visible
        onTriggered: now = new Date()
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 22
        anchors.bottomMargin: 12
        spacing: 14

        RowLayout {
            Layout.fillWidth: true
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                PlainLabel {
                    text: qsTr("Products")
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.title2
                    font.weight: Font.Bold
                    color: Theme.primaryText
                }
                SubheadLabel {
                    text: qsTr("Tap a product to add it.")
                }
            }
            Item { Layout.fillWidth: true }
            BusyIndicator {
                objectName: "catalogRefreshing"
                visible: view.catalog.busy
                running: visible
                implicitWidth: 32
                implicitHeight: 32
            }
            HeaderToolButton {
                objectName: "refreshInventoryButton"
                visible: !view.catalog.busy
                text: qsTr("Refresh inventory")
                symbol: "arrow.clockwise"
                compact: view.width < 560
                onClicked: view.catalog.refresh()
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            TextField {
                id: search
                objectName: "catalogSearchField"
                Layout.fillWidth: true
                placeholderText: qsTr("Search SKU, product, or description")
                text: view.products.query
                // Typed, pasted or set by an assistive client alike.
                onTextChanged: if (text !== view.products.query) view.products.query = text
                // A barcode scanner types the code and Enter.
                onAccepted: view.products.submitScan(text)
                leftPadding: 38
                rightPadding: text === "" ? 12 : 38
                font.family: Theme.fontFamily
                font.pixelSize: Theme.body
                Accessible.name: qsTr("Search SKU, product, or description")
                background: Rectangle {
                    implicitHeight: 44
                    radius: 12
                    color: Theme.surface
                    border.width: search.activeFocus ? 2 : 1
                    border.color: search.activeFocus ? Theme.ink : Theme.border
                }
                SymbolIcon {
                    anchors.left: parent.left
                    anchors.leftMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "magnifyingglass"
                    size: 17
                    color: Theme.secondaryText
                }
                ToolButton {
                    objectName: "clearSearchButton"
                    visible: search.text !== ""
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    Accessible.name: qsTr("Clear search")
                    Accessible.onPressAction: if (enabled) clicked()
                    onClicked: view.products.query = ""
                    contentItem: SymbolIcon { symbol: "xmark.circle.fill"; size: 17; color: Theme.secondaryText }
                    background: Item {}
                }
            }
            SearchToolButton {
                objectName: "voiceSearchButton"
                symbol: "waveform"
                label: voice.listening ? qsTr("Stop voice search") : qsTr("Voice search")
                active: voice.listening
                onClicked: voice.toggle()
            }
            SearchToolButton {
                id: filterButton
                objectName: "catalogFilterButton"
                symbol: "line.3.horizontal.decrease.circle"
                label: qsTr("Filter products")
                active: !view.products.showAssembled || !view.products.showUnassembled
                onClicked: filterMenu.open()
                Menu {
                    id: filterMenu
                    objectName: "catalogFilterMenu"
                    y: filterButton.height + 4
                    x: filterButton.width - width
                    FilterToggle {
                        objectName: "showAssembledToggle"
                        title: qsTr("Show assembled")
                        detail: qsTr("SKUs ending in WSx")
                        checked: view.products.showAssembled
                        onToggled: view.products.showAssembled = checked
                    }
                    FilterToggle {
                        objectName: "showUnassembledToggle"
                        title: qsTr("Show unassembled")
                        detail: qsTr("All other SKUs")
                        checked: view.products.showUnassembled
                        onToggled: view.products.showUnassembled = checked
                    }
                }
            }
        }

        CaptionLabel {
            objectName: "listeningHint"
            visible: voice.listening
            text: qsTr("Listening… Say a product name or SKU.")
        }
        CaptionLabel {
            objectName: "voiceMessage"
            visible: voice.message !== ""
            Layout.fillWidth: true
            wrapMode: Text.WordWrap
            text: voice.message
            color: Theme.orange
        }
        CaptionLabel {
            objectName: "scanConfirmation"
            visible: view.lastScanned !== ""
            text: qsTr("Added %1").arg(view.lastScanned)
            font.weight: Font.DemiBold
            color: Theme.green
        }

        ListView {
            id: chips
            objectName: "categoryChips"
            Layout.fillWidth: true
            Layout.preferredHeight: 44
            orientation: ListView.Horizontal
            spacing: 8
            clip: true
            model: view.products.categories
            // qmllint disable unqualified
            delegate: AbstractButton {
                id: chip
                required property string modelData
                readonly property bool selected: view.products.category === modelData
                objectName: "categoryChip-" + modelData
                text: SharedTexts.category(modelData, Format.language)
                // A 44-point target around a 34-point pill.
                height: 44
                leftPadding: 14
                rightPadding: 14
                checkable: false
                Accessible.role: Accessible.Button
                Accessible.name: text
                Accessible.onPressAction: if (enabled) clicked()
                onClicked: view.products.category = modelData
                background: Item {
                    Rectangle {
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width
                        height: 34
                        radius: 17
                        color: chip.selected ? Theme.ink : Theme.surface
                        border.color: chip.selected ? Theme.ink : Theme.border
                    }
                }
                contentItem: PlainLabel {
                    text: chip.text
                    verticalAlignment: Text.AlignVCenter
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.subheadline
                    font.weight: Font.Medium
                    color: chip.selected ? Theme.surface : Theme.primaryText
                }
            }
            // qmllint enable unqualified
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            // The four states, decided in this order.
            readonly property string state_: view.products.total === 0 && view.catalog.busy ? "loading"
                                            : view.products.total === 0 && view.catalog.loadFailed ? "not loaded"
                                            : !view.products.showAssembled && !view.products.showUnassembled ? "none selected"
                                            : view.products.count === 0 ? "none found" : "grid"

            CatalogEmptyState {
                objectName: "catalogLoading"
                anchors.centerIn: parent
                visible: parent.state_ === "loading"
                busy: true
                title: qsTr("Loading products…")
            }
            // Not "No products found": no search or filter would change this.
            CatalogEmptyState {
                objectName: "catalogNotLoaded"
                anchors.centerIn: parent
                visible: parent.state_ === "not loaded"
                symbol: "exclamationmark.circle"
                title: qsTr("Products could not load")
                detail: qsTr("Check the connection, then Refresh inventory.")
            }
            CatalogEmptyState {
                objectName: "noProductsSelected"
                anchors.centerIn: parent
                visible: parent.state_ === "none selected"
                symbol: "line.3.horizontal.decrease.circle"
                title: qsTr("No products selected")
                detail: qsTr("Turn on Show assembled or Show unassembled.")
            }
            CatalogEmptyState {
                objectName: "noProductsFound"
                anchors.centerIn: parent
                visible: parent.state_ === "none found"
                symbol: "magnifyingglass"
                title: qsTr("No products found")
                detail: qsTr("Change the search or filters.")
            }
            // The grid is a list of rows of cards: the list reuses a row that
            // scrolls out for one that scrolls in, where a GridView builds
            // every card anew.
            ListView {
                id: grid
                objectName: "productGrid"
                anchors.fill: parent
                // Each cell carries the 16-point gap on its right; the last
                // one's gap falls outside the pane's padding.
                anchors.rightMargin: -16
                visible: parent.state_ === "grid"
                clip: true
                // Adaptive columns at least 205 wide, 16 between them.
                readonly property int columns: Math.max(1, Math.floor(width / (205 + 16)))
                readonly property real cellWidth: Math.floor(width / columns)
                readonly property real cellHeight: Math.round(cellWidth * 0.72) + 150
                reuseItems: true
                // Rows beyond the view are made while it rests (in idle time);
                // while it scrolls the buffer shrinks to one row each side, so
                // the rows it hands back wait in the pool and a fling reuses
                // them instead of making new ones (about 15 ms each). The row
                // ahead is placed before it shows, and binds its cards then.
                property bool scrolling: false
                cacheBuffer: Math.ceil(cellHeight * (scrolling ? 1 : 2))
                onContentYChanged: {
                    scrolling = true
                    rest.restart()
                }
                Timer {
                    id: rest
                    interval: 300
                    onTriggered: grid.scrolling = false
                }
                model: ProductRows {
                    id: rows
                    source: view.products
                    columns: grid.columns
                }
                // qmllint disable unqualified
                delegate: Item {
                    id: row
                    required property int first
                    required property int cards
                    required property int revision
                    // Cards that show this row's products; a row out of sight
                    // binds its cards one a frame, in the time between
                    // frames, and a row in sight binds all of them at once.
                    property int bound: 0
                    readonly property bool inSight: y < grid.contentY + grid.height && y + height > grid.contentY
                    width: grid.width
                    height: grid.cellHeight
                    // A row waiting for reuse is hidden, not only culled: a
                    // culled row stays in the scene and is moved and checked
                    // with the grid on every frame. It is unbound before it
                    // takes its new products.
                    ListView.onPooled: {
                        visible = false
                        bound = 0
                    }
                    ListView.onReused: visible = true
                    FramePacer {
                        window: row.Window.window
                        running: row.visible && row.bound < grid.columns
                        onStep: row.bound += 1
                    }
                    Repeater {
                        model: grid.columns
                        delegate: ProductCard {
                            id: card
                            required property int index
                            // Out of sight (the buffer's rows) a card is not drawn.
                            visible: index < row.cards && row.inSight
                            x: index * grid.cellWidth
                            width: grid.cellWidth - 16
                            height: grid.cellHeight - 16
                            // Unbound, a card keeps what it showed: it is out of sight.
                            Binding on product {
                                when: card.index < row.bound || row.inSight
                                value: rows.productAt(card.index < row.cards ? row.first + card.index : -1, row.revision)
                                restoreMode: Binding.RestoreNone
                            }
                            catalog: view.catalog
                            // Where the quote is behind its tab, the tap is confirmed as a scan is.
                            onAdd: (productId) => {
                                if (view.workspace.quote.addProduct(productId) && view.narrow) {
                                    view.lastScanned = card.product.name
                                    scanConfirmation.restart()
                                }
                            }
                        }
                    }
                }
                // qmllint enable unqualified
                ScrollBar.vertical: ScrollBar {}
            }
        }

        RowLayout {
            Layout.fillWidth: true
            CaptionLabel {
                objectName: "productCount"
                text: qsTr("%n product(s)", "", view.products.count)
            }
            Item { Layout.fillWidth: true }
            PlainLabel {
                objectName: "stockUpdated"
                visible: !isNaN(view.catalog.updatedAt.getTime())
                text: qsTr("Stock updated %1 ago").arg(Format.relativeTo(view.catalog.updatedAt, clock.now, Format.language))
                font.family: Theme.fontFamily
                font.pixelSize: Theme.caption2
                color: Theme.secondaryText
            }
        }
    }
}
