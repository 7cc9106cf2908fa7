#pragma once
// Takes everything under one item out of the accessibility tree while it is
// active, except one subtree: what a modal card covers stays drawn but cannot
// be found or pressed by an assistive client. Items that appear behind the
// card while it is up (a list that fills in) are hidden as they come.

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

class AccessibilityCurtain : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    // The item whose accessible descendants are hidden (e.g. the window's content item).
    Q_PROPERTY(QQuickItem *scope READ scope WRITE setScope NOTIFY scopeChanged)
    // The one subtree that stays reachable (the card in front).
    Q_PROPERTY(QQuickItem *except READ except WRITE setExcept NOTIFY exceptChanged)

public:
    using QObject::QObject;
    ~AccessibilityCurtain() override;

    bool active() const { return m_active; }
    void setActive(bool active);
    QQuickItem *scope() const { return m_scope; }
    void setScope(QQuickItem *scope);
    QQuickItem *except() const { return m_except; }
    void setExcept(QQuickItem *except);

signals:
    void activeChanged();
    void scopeChanged();
    void exceptChanged();

private:
    void lower();
    void raise();
    void hideBelow(QQuickItem *item);
    void watch(QQuickItem *item);
    void unwatch();
    void lowerAgainSoon();
    bool setIgnored(QQuickItem *item, bool ignored);

    bool m_active = false;
    QPointer<QQuickItem> m_scope;
    QPointer<QQuickItem> m_except;
    // What this curtain hid, so raising it gives back exactly those.
    QList<QPointer<QQuickItem>> m_hidden;
    // The items behind the card whose children may change while it is up.
    QList<QMetaObject::Connection> m_watched;
    bool m_lowerPending = false;
};

} // namespace vantrel::screens
