pragma Singleton
import QtQuick

// The application's colours, type scale and spacing, shared by every screen.
QtObject {
    // The three application colours.
    readonly property color ink: "#000000"
    readonly property color canvas: Qt.rgba(0.96, 0.96, 0.96, 1)
    readonly property color surface: "#ffffff"

    readonly property color primaryText: "#111111"
    readonly property color secondaryText: "#6b6b70"
    readonly property color separator: Qt.rgba(0, 0, 0, 0.10)
    readonly property color border: Qt.rgba(0, 0, 0, 0.16)
    // A product card's edge (separator, hovered: border) as it shows over the
    // canvas, and its photo well, a faint wash over the card's surface: opaque,
    // so the many cards of the catalog grid draw without blending.
    readonly property color cardEdge: Qt.tint(canvas, separator)
    readonly property color cardEdgeHovered: Qt.tint(canvas, border)
    readonly property color photoWell: Qt.tint(surface, Qt.rgba(0, 0, 0, 0.035))
    readonly property color orange: "#c2560a"
    readonly property color destructive: "#d1242f"
    readonly property color green: "#1f8a4c"

    readonly property string fontFamily: "Inter"
    readonly property int caption2: 11
    readonly property int caption: 12
    readonly property int footnote: 13
    readonly property int subheadline: 14
    readonly property int body: 15
    readonly property int headline: 16
    readonly property int title3: 19
    readonly property int title2: 22
    readonly property int title: 28
    readonly property int largeTitle: 34

    readonly property int cornerRadius: 14
    readonly property int cardRadius: 18
}
