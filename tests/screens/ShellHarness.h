#pragma once
// The app's window, loaded offscreen around the workspace fixture's model,
// and the helpers the screen tests use to find and tap things.

#include "Workspace.h"

#include "screens/shell/ShellActions.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include <memory>

namespace vantrel::testing {

class ShellHarness {
public:
    // Over a workspace of its own, on the production address or a pinned preview one.
    explicit ShellHarness(bool preview = false);
    // Over the given workspace (opened if it has no model yet), e.g. a
    // second launch on the same keychain and storage.
    explicit ShellHarness(Workspace &workspace);
    ~ShellHarness();

    bool loaded() const { return m_window != nullptr; }
    CheckoutModel &model() { return *m_ws->model; }
    ShellActions &actions() { return *m_actions; }
    FakeBrowserSignIn &browser() { return m_ws->browser; }
    QQuickWindow *window() { return m_window; }

    // The first visible item with this object name (or any, when
    // visibleOnly is false), searched through the whole window, sheets included.
    QQuickItem *find(const QString &objectName, bool visibleOnly = true) const;
    // Any object by name, popups (sheets) included; null when there is none.
    QObject *object(const QString &objectName) const;
    // Every visible text on screen (labels, text fields, text edits).
    QStringList visibleTexts() const;
    // A real mouse tap at the item's centre.
    void tap(QQuickItem *item);
    // Taps the visible item of this name as a person would: once it is
    // enabled, scrolled into view. False when there is none or it stays disabled.
    bool tapNamed(const QString &objectName);
    void resize(int width, int height = 800);
    // Lets bindings, loaders and polish run.
    void settle();

private:
    void load();

    std::unique_ptr<Workspace> m_owned;
    Workspace *m_ws = nullptr;
    std::unique_ptr<ShellActions> m_actions;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow *m_window = nullptr;
};

// What a person does in the stand-in's demo sign-in page: open the start
// page, pick the first demo user, and return the callback URL it redirects to.
QUrl pickDemoUser(const QUrl &startUrl);

// The first visible item with this object name below the given one (rows
// of a list repeat their children's names).
QQuickItem *child(QQuickItem *item, const QString &name);
// The item and every item below it that is shown, of this type (any when null).
QList<QQuickItem *> visibleBelow(QQuickItem *item, const char *type = nullptr);
// Scrolls the enclosing list or view so the item is on screen before a tap.
void reveal(QQuickItem *item);

// The accessibility name the screen gives an item.
QString accessibleName(QQuickItem *item);

} // namespace vantrel::testing
