import QtQuick
import QtQuick.Controls
import QtQuick.Window
import Vantrel.Checkout

// A document's pages in one continuous vertical scroll, fitted to the width
// and zoomed by pinching or Ctrl + wheel around the point under the fingers.
// Pages are created as they come into view; while a zoom settles they show a
// small rendering stretched, and are drawn sharp once it has.
Item {
    id: reader
    objectName: "documentPdfReader"
    // The DocumentPdfLoader whose document is shown.
    property DocumentPdfLoader loader
    property real zoom: 1
    readonly property real minimumZoom: 1
    readonly property real maximumZoom: 4
    readonly property real margin: 16
    readonly property real pageSpacing: 12
    readonly property real pageWidth: Math.max(1, width - 2 * margin) * zoom
    // The width pages are rendered at; follows pageWidth once it settles.
    property real renderedWidth: 0
    readonly property int previewWidth: 320
    clip: true

    function clamp(value, low, high) {
        return Math.max(low, Math.min(high, value))
    }

    // Applies a change of page width while the document point under (px, py)
    // stays where it is on screen.
    function keepingPoint(px, py, change) {
        const oldWidth = pageWidth
        const cy = list.contentY + py
        const index = list.indexAt(margin + 1, cy)
        const item = index >= 0 ? list.itemAtIndex(index) : null
        const fraction = item ? (cy - item.y) / item.height : 0
        const fx = (list.contentX + px - margin) / oldWidth
        change()
        list.forceLayout()
        const moved = index >= 0 ? list.itemAtIndex(index) : null
        if (moved)
            list.contentY = clamp(moved.y + fraction * moved.height - py, list.originY - list.topMargin,
                                  Math.max(list.originY - list.topMargin,
                                           list.originY + list.contentHeight + list.bottomMargin - list.height))
        list.contentX = clamp(fx * pageWidth + margin - px, 0, Math.max(0, list.contentWidth - list.width))
    }

    function zoomAround(newZoom, px, py) {
        newZoom = clamp(newZoom, minimumZoom, maximumZoom)
        if (Math.abs(newZoom - zoom) < 0.0001)
            return
        keepingPoint(px, py, function () { reader.zoom = newZoom })
    }

    onPageWidthChanged: {
        if (renderedWidth <= 0)
            renderedWidth = pageWidth
        else
            settle.restart()
    }
    onWidthChanged: {
        // The page in view stays in view when the window is resized.
        if (list.count > 0 && list.height > 0)
            keepingPoint(0, 0, function () {})
    }

    Timer {
        id: settle
        interval: 180
        onTriggered: {
            if (pinch.active)
                restart()
            else
                reader.renderedWidth = reader.pageWidth
        }
    }

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.05)
    }

    ListView {
        id: list
        objectName: "documentPdfPages"
        anchors.fill: parent
        model: reader.loader ? reader.loader.pageCount : 0
        spacing: reader.pageSpacing
        topMargin: reader.margin
        bottomMargin: reader.margin
        contentWidth: reader.pageWidth + 2 * reader.margin
        flickableDirection: Flickable.AutoFlickIfNeeded
        boundsBehavior: Flickable.StopAtBounds
        cacheBuffer: Math.max(0, height)
        interactive: !pinch.active
        ScrollBar.vertical: ScrollBar {}
        ScrollBar.horizontal: ScrollBar {}

        // qmllint disable unqualified
        delegate: Item {
            id: page
            required property int index
            // Read again when the loader takes another document of as many pages.
            readonly property size points: reader.loader.hasDocument ? reader.loader.pageSize(index) : Qt.size(0, 0)
            width: list.contentWidth
            height: points.width > 0 ? Math.round(reader.pageWidth * points.height / points.width) : 0

            Rectangle {
                // The paper, with a hairline edge on the grey desk.
                x: reader.margin - 1
                y: -1
                width: reader.pageWidth + 2
                height: page.height + 2
                color: "white"
                border.color: Theme.border
                border.width: 1

                Image {
                    // Shown, stretched, until the sharp rendering is in.
                    anchors.fill: parent
                    anchors.margins: 1
                    source: reader.loader.pageSource + page.index
                    sourceSize.width: reader.previewWidth
                    asynchronous: true
                    smooth: true
                    visible: sharp.status !== Image.Ready
                }
                Image {
                    id: sharp
                    anchors.fill: parent
                    anchors.margins: 1
                    source: reader.renderedWidth > 0 ? reader.loader.pageSource + page.index : ""
                    sourceSize.width: Math.round(reader.renderedWidth * Screen.devicePixelRatio)
                    asynchronous: true
                    smooth: true
                    mipmap: false
                }
            }
        }
        // qmllint enable unqualified

        PinchHandler {
            id: pinch
            target: null
            grabPermissions: PointerHandler.CanTakeOverFromAnything
            property real startZoom: 1
            onActiveChanged: {
                if (active)
                    startZoom = reader.zoom
                else
                    settle.restart()
            }
            onActiveScaleChanged: {
                if (!active)
                    return
                const at = list.mapFromItem(null, centroid.scenePosition.x, centroid.scenePosition.y)
                reader.zoomAround(startZoom * activeScale, at.x, at.y)
            }
        }

        WheelHandler {
            id: wheel
            target: null
            acceptedModifiers: Qt.ControlModifier
            onWheel: function (event) {
                const at = list.mapFromItem(null, wheel.point.scenePosition.x, wheel.point.scenePosition.y)
                reader.zoomAround(reader.zoom * Math.pow(1.0015, event.angleDelta.y), at.x, at.y)
            }
        }
    }
}
