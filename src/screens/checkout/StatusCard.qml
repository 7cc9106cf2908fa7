import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vantrel.Checkout

// A rounded card that stacks its content: the checkout sheet's tender and
// pickup areas, the payment checklist, the details and the register how-to.
Rectangle {
    id: card
    default property alias content: column.data
    property alias spacing: column.spacing
    property real padding: 16

    Layout.fillWidth: true
    implicitHeight: column.implicitHeight + 2 * padding
    radius: Theme.cornerRadius
    color: Theme.surface
    border.color: Theme.separator
    border.width: 1

    ColumnLayout {
        id: column
        x: card.padding
        y: card.padding
        width: card.width - 2 * card.padding
        spacing: 10
    }
}
