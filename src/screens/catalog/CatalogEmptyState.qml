import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// What the catalog shows instead of the grid: loading, nothing selected, nothing found.
Column {
    id: state
    property string symbol
    property string title
    property string detail
    property bool busy: false

    spacing: 8
    Accessible.role: Accessible.StaticText
    Accessible.name: detail === "" ? title : title + ". " + detail

    BusyIndicator {
        anchors.horizontalCenter: parent.horizontalCenter
        visible: state.busy
        running: visible
    }
    SymbolIcon {
        anchors.horizontalCenter: parent.horizontalCenter
        visible: !state.busy && state.symbol !== ""
        symbol: state.symbol
        size: 30
        color: Theme.secondaryText
    }
    HeadingLabel {
        anchors.horizontalCenter: parent.horizontalCenter
        text: state.title
    }
    SubheadLabel {
        anchors.horizontalCenter: parent.horizontalCenter
        visible: state.detail !== ""
        text: state.detail
    }
}
