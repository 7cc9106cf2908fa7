// Composition root of the checkout app: one CheckoutModel for the life of the
// process, handed to the QML screens.
#include "EngineSetup.h"
#include "SceneGraphChoice.h"
#include "StartupTrace.h"
#include "screens/shell/ShellActions.h"

#include "platform/auth/DesktopBrowserSignIn.h"
#include "platform/auth/KeychainSessionStore.h"
#include "platform/print/QtPrintService.h"
#include "platform/auth/SingleInstance.h"
#include "records/BuildConfiguration.h"
#include "workflow/CheckoutModel.h"

#include <QApplication>
#include <QCoroTask>
#include <QEventLoop>
#include <QPalette>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickStyle>
#include <QSettings>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>
#include <memory>

Q_IMPORT_QML_PLUGIN(Vantrel_CheckoutPlugin)

namespace {

// The app is drawn light whatever the desktop's scheme is.
QPalette lightPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(245, 245, 245));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Button, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, Qt::black);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 90));
    palette.setColor(QPalette::ToolTipBase, Qt::white);
    palette.setColor(QPalette::ToolTipText, Qt::black);
    return palette;
}

// One line an option: the manual page is made from this text.
void printUsage()
{
    std::fputs("Usage: vantrel-checkout [OPTION]... [CALLBACK-URL]\n"
               "Checkout client for sales staff: catalog, quotes, checkout and payment follow-up.\n"
               "A CALLBACK-URL (the browser's sign-in answer) goes to the copy already running.\n"
               "\n"
               "Options:\n"
               "  --server URL           save URL as the Checkout server, then start\n"
               "  --register-url-scheme  handle the sign-in callback scheme for this user, then exit\n"
               "  -h, --help             show this help, then exit\n"
               "  --version              show the version, then exit\n",
               stdout);
}

// Commands that need no window; answers -1 when the arguments ask for none.
int runCommand(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--help" || argument == "-h") {
            printUsage();
            return 0;
        }
        if (argument == "--version") {
            std::puts("vantrel-checkout " VANTREL_VERSION);
            return 0;
        }
        if (argument == "--register-url-scheme") {
            QCoreApplication app(argc, argv);
            const QString scheme = vantrel::CheckoutBuildConfiguration::shared().callbackScheme;
            if (!vantrel::registerCallbackScheme(scheme, QCoreApplication::applicationFilePath())) {
                std::fprintf(stderr, "vantrel-checkout: could not register the \"%s\" URL scheme\n",
                             qPrintable(scheme.isEmpty() ? QStringLiteral("(none)") : scheme));
                return 1;
            }
            return 0;
        }
    }
    return -1;
}

// How long quitting waits for the keychain to finish its writes.
constexpr int quitFlushLimitMs = 5000;

struct FlushWait {
    bool done = false;
    QEventLoop loop;
};

QCoro::Task<> flushKeychain(vantrel::KeychainSessionStore *sessions, std::shared_ptr<FlushWait> wait)
{
    try {
        QCoro::Task<void> flush = sessions->flush(); // (named: see APIClient.h)
        co_await std::move(flush);
    } catch (...) {}
    wait->done = true;
    wait->loop.quit();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral(VANTREL_ORGANIZATION));
    QCoreApplication::setOrganizationDomain(QStringLiteral(VANTREL_ORGANIZATION_DOMAIN));
    QCoreApplication::setApplicationName(QStringLiteral(VANTREL_APP_NAME));
    if (const int result = runCommand(argc, argv); result >= 0) return result;

    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral(VANTREL_DESKTOP_ID));

    QStringList arguments = app.arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) != QLatin1String("--server")) continue;
        if (i + 1 >= arguments.size()) {
            printUsage();
            return 2;
        }
        // The saved address is what the build configuration starts with
        // (a preview build ignores it).
        QSettings().setValue(QStringLiteral("server"), arguments.at(i + 1));
        arguments.remove(i, 2);
        --i;
    }

    // A second launch is the browser handing back the sign-in callback.
    vantrel::SingleInstance instance;
    if (instance.forwardToRunningInstance(arguments.mid(1))) return 0;

    QQuickStyle::setStyle(QStringLiteral("Basic"));
    vantrel::preferSoftwareSceneGraphWithoutGpu();
    QApplication::setPalette(lightPalette());

    vantrel::DesktopBrowserSignIn browser;
    QObject::connect(&instance, &vantrel::SingleInstance::urlReceived, &browser,
                     &vantrel::DesktopBrowserSignIn::deliverCallback);

    // The session lives in the desktop keychain; print jobs go through Qt's dialog.
    vantrel::KeychainSessionStore sessions;
    vantrel::QtPrintService printer;
    vantrel::CheckoutModelServices services;
    services.sessions = &sessions;
    services.browser = &browser;
    services.printer = &printer;
    vantrel::CheckoutModel workspace(services);
    vantrel::ShellActions actions(&workspace);

    QQmlApplicationEngine engine;
    vantrel::setUpEngine(engine, workspace);
    engine.setInitialProperties({{QStringLiteral("workspace"), QVariant::fromValue<QObject *>(&workspace)},
                                 {QStringLiteral("actions"), QVariant::fromValue<QObject *>(&actions)}});
    engine.load(vantrel::mainWindowUrl());
    if (engine.rootObjects().isEmpty()) return 1;
    vantrel::traceStartup(engine, workspace);

    // From here on a launch must not hand its URLs to this instance: it
    // starts on its own instead of waiting for one that is going away.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &instance,
                     &vantrel::SingleInstance::stopListening);

    actions.start();
    const int result = app.exec();
    // A sign-in or sign-out may still be writing the keychain; quitting now
    // would leave the item as it was (a signed-out person signed back in).
    // A keychain that never answers must not keep a windowless process alive.
    if (sessions.hasPendingWork()) {
        auto wait = std::make_shared<FlushWait>();
        QCoro::Task<> flushing = flushKeychain(&sessions, wait);
        if (!wait->done) {
            QTimer::singleShot(quitFlushLimitMs, &wait->loop, &QEventLoop::quit);
            wait->loop.exec();
        }
        if (!wait->done)
            std::fprintf(stderr, "vantrel-checkout: the keychain did not finish saving the session\n");
    }
    return result;
}
