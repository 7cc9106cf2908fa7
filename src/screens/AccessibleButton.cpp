#include "AccessibleButton.h"

#include <QQuickItem>
#include <QQuickWindow>

namespace vantrel::screens {

namespace {

// The item's Accessible attached object; a button has one as soon as the
// accessibility layer is active or the screen sets any Accessible property.
QObject *attachedTo(const QObject *item)
{
    for (QObject *child : item->children())
        if (qstrcmp(child->metaObject()->className(), "QQuickAccessibleAttached") == 0) return child;
    return nullptr;
}

// Whether Qt lists the item in the tree (an Accessible that is not ignored).
bool exported(const QQuickItem *item)
{
    const QObject *attached = attachedTo(item);
    return attached && !attached->property("ignored").toBool();
}

QAccessibleInterface *buttonFactory(const QString &, QObject *object)
{
    if (!object || !object->inherits("QQuickAbstractButton")) return nullptr;
    auto *item = static_cast<QQuickItem *>(object);
    return exported(item) ? new AccessibleButton(item) : nullptr;
}

} // namespace

AccessibleButton::AccessibleButton(QQuickItem *item) : QAccessibleObject(item) {}

QQuickItem *AccessibleButton::item() const { return static_cast<QQuickItem *>(object()); }

QWindow *AccessibleButton::window() const { return item()->window(); }

// The nearest ancestor Qt exports (Qt answers no interface for the others),
// or the window at the top.
QAccessibleInterface *AccessibleButton::parent() const
{
    QQuickWindow *window = item()->window();
    QQuickItem *top = window ? window->contentItem() : nullptr;
    for (QQuickItem *p = item()->parentItem(); p && p != top; p = p->parentItem())
        if (QAccessibleInterface *face = QAccessible::queryAccessibleInterface(p)) return face;
    return window ? QAccessible::queryAccessibleInterface(window) : nullptr;
}

QString AccessibleButton::text(QAccessible::Text type) const
{
    const QObject *attached = attachedTo(item());
    switch (type) {
    case QAccessible::Name: {
        const QVariant name = attached ? attached->property("name") : QVariant();
        return name.isValid() && !name.isNull() ? name.toString() : item()->property("text").toString();
    }
    case QAccessible::Description:
        return attached ? attached->property("description").toString() : QString();
    default:
        return {};
    }
}

QAccessible::Role AccessibleButton::role() const
{
    const QObject *attached = attachedTo(item());
    const int role = attached ? attached->property("role").toInt() : QAccessible::NoRole;
    return role == QAccessible::NoRole ? QAccessible::Button : QAccessible::Role(role);
}

QAccessible::State AccessibleButton::state() const
{
    QAccessible::State state;
    QQuickItem *button = item();
    if (!button->window() || !button->window()->isVisible() || !button->isVisible() || qFuzzyIsNull(button->opacity()))
        state.invisible = true;
    state.focusable = true;
    state.focused = button->hasActiveFocus();
    state.pressed = button->property("down").toBool();
    state.checkable = button->property("checkable").toBool();
    state.checked = state.checkable && button->property("checked").toBool();
    if (!button->isEnabled()) {
        state.disabled = true;
        state.focusable = false;
    }
    return state;
}

QRect AccessibleButton::rect() const
{
    QQuickItem *button = item();
    if (!button->window() || !button->isVisible() || qFuzzyIsNull(button->opacity())) return {};
    const QPoint topLeft = button->window()->mapToGlobal(button->mapToScene(QPointF(0, 0)).toPoint());
    return QRect(topLeft, QSize(int(button->width()), int(button->height())));
}

void *AccessibleButton::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList AccessibleButton::actionNames() const
{
    QStringList names{pressAction()};
    if (item()->property("checkable").toBool()) names << toggleAction();
    if (item()->isEnabled()) names << setFocusAction();
    return names;
}

// Press and toggle go to the screen's Accessible.onPressAction, which does
// what a tap does (and nothing while the button is disabled).
void AccessibleButton::doAction(const QString &actionName)
{
    if (actionName == setFocusAction()) {
        item()->forceActiveFocus(Qt::OtherFocusReason);
        return;
    }
    if (actionName != pressAction() && actionName != toggleAction()) return;
    if (QObject *attached = attachedTo(item())) QMetaObject::invokeMethod(attached, "pressAction");
}

void installAccessibleButtons()
{
    static const bool installed = [] {
        QAccessible::installFactory(buttonFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace vantrel::screens
