import QtQuick
import QtQuick.Controls
import Vantrel.Checkout

// The base of the app's buttons: an accessibility press does what a tap does
// (Qt's own press action reports success without clicking), a disabled
// button ignores it as it ignores a tap, and no target is under 44 points.
Button {
    id: control
    implicitWidth: Math.max(44, implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(44, implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
    Accessible.name: text
    Accessible.onPressAction: Tap.press(control)
}
