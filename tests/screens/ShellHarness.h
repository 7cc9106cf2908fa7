#pragma once
// The app's window, loaded offscreen around a real CheckoutModel with test
// services (in-memory keychain, scripted browser, private settings and
// storage), and the helpers the screen tests use to find and tap things.

#include "platform/auth/FakeBrowserSignIn.h"
#include "screens/ShellActions.h"
#include "server/SessionStore.h"
#include "workflow/WorkspaceParts.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace vantrel::testing {

CheckoutBuildConfiguration productionBuild(const QString &server = QStringLiteral("https://checkout.vantrel.com"));
CheckoutBuildConfiguration previewBuild();

class ShellHarness {
public:
    // The session store is shared when given (a second launch of the app);
    // a print service records print jobs instead of showing the dialog.
    explicit ShellHarness(CheckoutBuildConfiguration build = productionBuild(),
                          InMemorySessionStore *sessions = nullptr, const QString &storage = {},
                          PrintService *printer = nullptr,
                          std::chrono::milliseconds pollInterval = std::chrono::milliseconds(3000));
    ~ShellHarness();

    bool loaded() const { return m_window != nullptr; }
    CheckoutModel &model() { return *m_model; }
    ShellActions &actions() { return *m_actions; }
    FakeBrowserSignIn &browser() { return m_browser; }
    InMemorySessionStore &sessions() { return *m_sessions; }
    QQuickWindow *window() { return m_window; }
    QString storage() const { return m_storage; }

    // The first visible item with this object name (or any, when
    // visibleOnly is false), searched through the whole window, sheets included.
    QQuickItem *find(const QString &objectName, bool visibleOnly = true) const;
    // Any object by name, popups (sheets) included; null when there is none.
    QObject *object(const QString &objectName) const;
    // Every visible text on screen (labels, text fields, text edits).
    QStringList visibleTexts() const;
    // A real mouse tap at the item's centre.
    void tap(QQuickItem *item);
    void resize(int width, int height = 800);
    // Lets bindings, loaders and polish run.
    void settle();

private:
    QTemporaryDir m_dir;
    QString m_storage;
    std::unique_ptr<InMemorySessionStore> m_ownedSessions;
    InMemorySessionStore *m_sessions = nullptr;
    FakeBrowserSignIn m_browser;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<CheckoutModel> m_model;
    std::unique_ptr<ShellActions> m_actions;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow *m_window = nullptr;
};

// What a person does in the stand-in's demo sign-in page: open the start
// page, pick the first demo user, and return the callback URL it redirects to.
QUrl pickDemoUser(const QUrl &startUrl);

// The accessibility name the screen gives an item.
QString accessibleName(QQuickItem *item);

} // namespace vantrel::testing
