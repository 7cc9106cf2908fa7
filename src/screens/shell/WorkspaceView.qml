import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The signed-in workspace: header, notice banner, and the catalog with the
// quote panel side by side on wide windows or as two tabs on narrow ones.
Rectangle {
    id: frame
    property CheckoutModel workspace
    signal customersRequested()
    signal transactionsRequested()
    signal accountRequested()

    color: Theme.canvas

    // Scans typed while focus is anywhere but a text field. One that matches
    // no product is left in the search field, where the person sees it.
    ScanCatcher {
        window: frame.visible ? frame.Window.window : null
        onScanned: code => {
            const products = frame.workspace.catalog.visible
            if (!products.submitScan(code) && !frame.workspace.quote.editingLocked) products.query = code
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        WorkspaceHeader {
            objectName: "workspaceHeader"
            Layout.fillWidth: true
            workspace: frame.workspace
            onCustomersRequested: frame.customersRequested()
            onTransactionsRequested: frame.transactionsRequested()
            onAccountRequested: frame.accountRequested()
        }
        NoticeBanner {
            objectName: "noticeBanner"
            Layout.fillWidth: true
            workspace: frame.workspace
        }
        Item {
            id: content
            objectName: "workspaceContent"
            Layout.fillWidth: true
            Layout.fillHeight: true
            readonly property bool sideBySide: ViewLogic.isSideBySide(width)
            readonly property real panelWidth: sideBySide ? ViewLogic.quotePanelWidth(width) : width
            readonly property int tab: Number(frame.workspace.selectedWorkspaceTab)
            readonly property real paneHeight: sideBySide ? height : height - tabs.height - 1

            // One catalog pane and one quote pane for the life of the
            // workspace: a resize across the side-by-side width moves them
            // instead of making new ones, so a typed search, a chosen
            // category and open sheets stay as they are.
            Loader {
                id: catalogPane
                objectName: "catalogPane"
                x: 0
                width: content.sideBySide ? content.width - content.panelWidth - 1 : content.width
                height: content.paneHeight
                visible: content.sideBySide || content.tab === 0
                sourceComponent: catalog
            }
            Rectangle {
                objectName: "paneSeparator"
                visible: content.sideBySide
                x: catalogPane.width
                width: 1
                height: content.height
                color: Theme.separator
            }
            QuotePanel {
                id: quotePane
                objectName: "quotePanel"
                x: content.sideBySide ? content.width - content.panelWidth : 0
                width: content.panelWidth
                height: content.paneHeight
                visible: content.sideBySide || content.tab === 1
                workspace: frame.workspace
            }
            Rectangle {
                visible: !content.sideBySide
                y: content.paneHeight
                width: content.width
                height: 1
                color: Theme.separator
            }
            TabBar {
                id: tabs
                objectName: "workspaceTabs"
                visible: !content.sideBySide
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                currentIndex: content.tab
                onCurrentIndexChanged: {
                    if (content.tab !== currentIndex)
                        frame.workspace.selectedWorkspaceTab = currentIndex
                }
                background: Rectangle { color: Theme.surface }
                Repeater {
                    model: [{ title: qsTr("Products"), symbol: "square.grid.2x2", name: "productsTab" },
                            { title: qsTr("Quote"), symbol: "cart", name: "quoteTab" }]
                    TabButton {
                        id: tab
                        required property var modelData
                        objectName: modelData.name
                        text: modelData.title
                        Accessible.name: modelData.title
                        Accessible.onPressAction: Tap.press(tab)
                        implicitHeight: 58
                        background: Rectangle { color: Theme.surface }
                        contentItem: Column {
                            spacing: 3
                            opacity: tab.checked ? 1 : 0.45
                            SymbolIcon {
                                anchors.horizontalCenter: parent.horizontalCenter
                                symbol: tab.modelData.symbol
                                size: 20
                            }
                            PlainLabel {
                                anchors.horizontalCenter: parent.horizontalCenter
                                text: tab.text
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.caption2
                                font.weight: Font.Medium
                                color: Theme.ink
                            }
                        }
                    }
                }
            }
        }
    }

    // qmllint disable unqualified
    Component {
        id: catalog
        CatalogView {
            workspace: frame.workspace
            shown: content.sideBySide || content.tab === 0
            narrow: !content.sideBySide
        }
    }
    // qmllint enable unqualified
}
