#pragma once
// The accessibility face of the app's buttons. Qt Quick 6.4 reports every
// item as enabled to assistive clients, so a greyed-out button would still be
// announced and offered as pressable; this face reports the disabled state,
// and otherwise answers as Qt's own does (name, role, bounds, press action).

#include <QAccessibleActionInterface>
#include <QAccessibleObject>

class QQuickItem;

namespace vantrel::screens {

class AccessibleButton : public QAccessibleObject, public QAccessibleActionInterface {
public:
    explicit AccessibleButton(QQuickItem *item);

    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QRect rect() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QQuickItem *item() const;
};

// Makes every Qt Quick button in the process answer through AccessibleButton.
// Call before the first window is shown.
void installAccessibleButtons();

} // namespace vantrel::screens
