.pragma library
// What a tap does to a button, for the accessibility press action: nothing
// while it is disabled; a checkable one changes state (an exclusive one that
// is checked stays so, as under a finger), then it reports the click.
function press(control) {
    if (!control.enabled)
        return
    if (control.checkable && !(control.autoExclusive && control.checked)) {
        control.toggle()
        control.toggled()
    }
    control.clicked()
}
