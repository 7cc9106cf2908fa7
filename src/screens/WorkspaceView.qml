import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// The signed-in workspace: header, notice banner, and the catalog with the
// quote panel side by side on wide windows or as two tabs on narrow ones.
Rectangle {
    id: workspace
    property var model
    signal customersRequested()
    signal transactionsRequested()
    signal accountRequested()

    color: Theme.canvas

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        WorkspaceHeader {
            objectName: "workspaceHeader"
            Layout.fillWidth: true
            model: workspace.model
            onCustomersRequested: workspace.customersRequested()
            onTransactionsRequested: workspace.transactionsRequested()
            onAccountRequested: workspace.accountRequested()
        }
        NoticeBanner {
            objectName: "noticeBanner"
            Layout.fillWidth: true
            model: workspace.model
        }
        Item {
            id: content
            objectName: "workspaceContent"
            Layout.fillWidth: true
            Layout.fillHeight: true
            readonly property bool sideBySide: ViewLogic.isSideBySide(width)

            Loader {
                anchors.fill: parent
                sourceComponent: content.sideBySide ? sideBySideLayout : tabLayout
            }
        }
    }

    Component {
        id: catalog
        PlaceholderPanel {
            objectName: "catalogPlace"
            title: "Products"
            detail: "The catalog stands here: search, categories and product cards."
            symbol: "square.grid.2x2"
        }
    }

    Component {
        id: sideBySideLayout
        RowLayout {
            objectName: "sideBySideLayout"
            spacing: 0
            Loader {
                Layout.fillWidth: true
                Layout.fillHeight: true
                sourceComponent: catalog
            }
            Rectangle {
                Layout.fillHeight: true
                implicitWidth: 1
                color: Theme.separator
            }
            QuotePanel {
                objectName: "quotePanel"
                Layout.fillHeight: true
                Layout.preferredWidth: ViewLogic.quotePanelWidth(content.width)
                model: workspace.model
            }
        }
    }

    Component {
        id: tabLayout
        ColumnLayout {
            objectName: "tabLayout"
            spacing: 0
            StackLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                currentIndex: tabs.currentIndex
                Loader { sourceComponent: catalog }
                QuotePanel {
                    objectName: "quotePanel"
                    model: workspace.model
                }
            }
            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 1
                color: Theme.separator
            }
            TabBar {
                id: tabs
                objectName: "workspaceTabs"
                Layout.fillWidth: true
                currentIndex: Number(workspace.model.selectedWorkspaceTab)
                onCurrentIndexChanged: {
                    if (Number(workspace.model.selectedWorkspaceTab) !== currentIndex)
                        workspace.model.selectedWorkspaceTab = currentIndex
                }
                background: Rectangle { color: Theme.surface }
                Repeater {
                    model: [{ title: "Products", symbol: "square.grid.2x2", name: "productsTab" },
                            { title: "Quote", symbol: "cart", name: "quoteTab" }]
                    TabButton {
                        id: tab
                        required property var modelData
                        objectName: modelData.name
                        text: modelData.title
                        Accessible.name: modelData.title
                        Accessible.onPressAction: tab.clicked()
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
                            Label {
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
}
