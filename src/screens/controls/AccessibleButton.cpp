#include "AccessibleButton.h"

#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>

namespace vantrel::screens {

namespace {

// The item's Accessible attached objects; a button has one as soon as the
// accessibility layer is active or the screen sets any Accessible property
// (a control may hold a second one of its own, so all are read).
QList<QObject *> attachedTo(const QObject *item)
{
    QList<QObject *> found;
    for (QObject *child : item->children())
        if (qstrcmp(child->metaObject()->className(), "QQuickAccessibleAttached") == 0) found.append(child);
    return found;
}

// The first set value of the property among the attached objects: a text
// that is not empty, or a role other than none.
QVariant attachedValue(const QObject *item, const char *name)
{
    for (const QObject *attached : attachedTo(item)) {
        const QVariant value = attached->property(name);
        const bool set =
            value.typeId() == QMetaType::QString ? !value.toString().isEmpty() : value.toInt() != 0;
        if (value.isValid() && set) return value;
    }
    return {};
}

// Whether Qt lists the item in the tree (an Accessible that is not ignored).
bool exported(const QQuickItem *item)
{
    const QList<QObject *> attached = attachedTo(item);
    return !attached.isEmpty() && std::none_of(attached.begin(), attached.end(),
                                               [](QObject *a) { return a->property("ignored").toBool(); });
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
    switch (type) {
    case QAccessible::Name: {
        const QVariant name = attachedValue(item(), "name");
        return name.isValid() ? name.toString() : item()->property("text").toString();
    }
    case QAccessible::Description: return attachedValue(item(), "description").toString();
    default: return {};
    }
}

QAccessible::Role AccessibleButton::role() const
{
    const QVariant role = attachedValue(item(), "role");
    if (role.isValid()) return QAccessible::Role(role.toInt());
    return item()->property("checkable").toBool() ? QAccessible::CheckBox : QAccessible::Button;
}

QAccessible::State AccessibleButton::state() const
{
    QAccessible::State state;
    QQuickItem *button = item();
    if (!button->window() || !button->window()->isVisible() || !button->isVisible() ||
        qFuzzyIsNull(button->opacity()))
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
    for (QObject *attached : attachedTo(item())) QMetaObject::invokeMethod(attached, "pressAction");
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
