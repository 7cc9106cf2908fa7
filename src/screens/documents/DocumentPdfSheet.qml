import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The sheet of one document's preview. Each target gets a fresh preview, and
// closing the sheet tears it down: its load is abandoned, its pages freed.
Sheet {
    id: sheet
    objectName: "documentPdfSheet"
    property CheckoutModel workspace
    property documentPdfTarget target

    function show(newTarget) {
        target = newTarget
        open()
    }

    preferredWidth: 920
    expanded: true
    topPadding: 22
    leftPadding: 0
    rightPadding: 0
    bottomPadding: 0

    contentItem: Item {
        Repeater {
            // A new array, so a new target always builds a new preview.
            model: sheet.visible && sheet.target.path !== "" ? [sheet.target] : []
            // qmllint disable unqualified
            delegate: DocumentPdfPreview {
                required property var modelData
                width: sheet.availableWidth
                height: sheet.availableHeight
                workspace: sheet.workspace
                path: modelData.path
                number: modelData.number
                kind: modelData.kind
                onDone: sheet.close()
            }
            // qmllint enable unqualified
        }
    }
}
