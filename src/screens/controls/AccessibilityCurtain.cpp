#include "AccessibilityCurtain.h"

#include <QAccessible>
#include <QQmlContext>
#include <QQmlProperty>

namespace vantrel::screens {

AccessibilityCurtain::~AccessibilityCurtain() { raise(); }

void AccessibilityCurtain::setActive(bool active)
{
    if (m_active == active) return;
    m_active = active;
    if (active)
        lower();
    else
        raise();
    emit activeChanged();
}

void AccessibilityCurtain::setScope(QQuickItem *scope)
{
    if (m_scope == scope) return;
    raise();
    m_scope = scope;
    if (m_active) lower();
    emit scopeChanged();
}

void AccessibilityCurtain::setExcept(QQuickItem *except)
{
    if (m_except == except) return;
    raise();
    m_except = except;
    if (m_active) lower();
    emit exceptChanged();
}

void AccessibilityCurtain::lower()
{
    if (!m_scope) return;
    unwatch();
    watch(m_scope);
    hideBelow(m_scope);
    if (QAccessible::isActive()) {
        // Clients cache children; tell them the tree under the scope changed.
        QAccessibleEvent changed(m_scope.data(), QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&changed);
    }
}

// Ignoring an item only lifts its children to its parent, so every exported
// item of the subtree is ignored, not just the top one. The ancestors of the
// kept subtree stay, as the path to it.
void AccessibilityCurtain::hideBelow(QQuickItem *item)
{
    const auto children = item->childItems();
    for (QQuickItem *child : children) {
        if (m_except && (child == m_except || m_except->isAncestorOf(child))) continue;
        watch(child);
        hideBelow(child);
        if (m_except && child->isAncestorOf(m_except)) continue;
        // Qt answers an interface only for the items it exports.
        if (QAccessible::queryAccessibleInterface(child) && setIgnored(child, true)) m_hidden.append(child);
    }
}

void AccessibilityCurtain::watch(QQuickItem *item)
{
    m_watched.append(
        connect(item, &QQuickItem::childrenChanged, this, &AccessibilityCurtain::lowerAgainSoon));
}

void AccessibilityCurtain::unwatch()
{
    for (const QMetaObject::Connection &connection : std::exchange(m_watched, {})) disconnect(connection);
}

// A burst of new items (a list filling in) is hidden in one walk, once the
// event that made them has finished. Items hidden already are skipped, so
// raising still gives back exactly what this curtain hid.
void AccessibilityCurtain::lowerAgainSoon()
{
    if (m_lowerPending) return;
    m_lowerPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_lowerPending = false;
            if (m_active) lower();
        },
        Qt::QueuedConnection);
}

void AccessibilityCurtain::raise()
{
    unwatch();
    const auto hidden = std::exchange(m_hidden, {});
    for (const QPointer<QQuickItem> &item : hidden)
        if (item) setIgnored(item, false);
    if (m_scope && !hidden.isEmpty() && QAccessible::isActive()) {
        QAccessibleEvent changed(m_scope.data(), QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&changed);
    }
}

// The attached Accessible.ignored, resolved through this object's QML
// imports (the item may come from a file that never names Accessible).
// True when the value changed.
bool AccessibilityCurtain::setIgnored(QQuickItem *item, bool ignored)
{
    QQmlProperty property(item, QStringLiteral("Accessible.ignored"), qmlContext(this));
    if (!property.isValid() || property.read().toBool() == ignored) return false;
    return property.write(ignored);
}

} // namespace vantrel::screens
