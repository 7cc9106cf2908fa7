// The desktop half of sign-in: callbacks reaching the waiting sign-in through
// a second launch, only for the expected scheme, how a wait ends without
// one, and the scheme handler files as xdg-open reads them.

#include "Run.h"

#include "platform/auth/DesktopBrowserSignIn.h"
#include "platform/auth/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <chrono>
#include <future>

using namespace vantrel;
using namespace vantrel::testing;

class TestPlatformAuth : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void callbacks_data();
    void callbacks();
    void secondLaunchHandsOverURLs();
    void schemeRegistration_data();
    void schemeRegistration();
    void registrationKeepsOtherHandlers();
    void xdgOpenRunsTheHandler_data();
    void xdgOpenRunsTheHandler();
    void deviceWithoutBrowser();

private:
    QTemporaryDir m_systemData; // stands in for the machine's shared data folders
};

namespace {

// Makes xdg-open (and xdg-mime) work in plain generic mode, on the files of
// the test's own data and configuration folders.
void useGenericDesktop()
{
    for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                             "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID", "DISPLAY",
                             "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
        qunsetenv(name);
    qputenv("XDG_DATA_HOME", QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toUtf8());
    qputenv("XDG_CONFIG_HOME", QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toUtf8());
}

// A program that appends its first argument to a file, one per line.
QString recorder(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly)) return {};
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1.log'\n").arg(path).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return path;
}

QStringList recorded(const QString &program)
{
    QFile log(program + QStringLiteral(".log"));
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

void TestPlatformAuth::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // The machine's own desktop entries (an installed app's among them) stay out.
    qputenv("XDG_DATA_DIRS", m_systemData.path().toUtf8());
}

void TestPlatformAuth::callbacks_data()
{
    // "url:<u>", "cancel", "restart", "reopen", "launcher fails", "expire"
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("opens"); // what the browser answers each time: 1 opened, 0 not

    const QString good = QStringLiteral("url:vantrelcheckout://cb?code=1");
    const QString success = QStringLiteral("vantrelcheckout://cb?code=1");
    QTest::newRow("expected scheme") << QStringList{good} << success << "1";
    QTest::newRow("scheme in capitals") << QStringList{QStringLiteral("url:VantrelCheckout://cb?code=2")}
                                        << "vantrelcheckout://cb?code=2" << "1";
    QTest::newRow("other schemes ignored")
        << QStringList{QStringLiteral("url:https://evil.example/?code=9"),
                       QStringLiteral("url:vantrelcheckout-pr7://cb?code=8"), good}
        << success << "1";
    QTest::newRow("person cancels") << QStringList{QStringLiteral("cancel"), good}
                                    << "BrowserCancelledError: The sign-in was canceled." << "1";
    QTest::newRow("new sign-in replaces the old")
        << QStringList{QStringLiteral("restart"), good} << "first: BrowserCancelledError: The sign-in was canceled."
        << "11";
    QTest::newRow("tab closed, browser opened again")
        << QStringList{QStringLiteral("reopen"), QStringLiteral("reopen"), good} << success << "111";
    QTest::newRow("no browser at all") << QStringList{good} << "BrowserStartError" << "0";
    QTest::newRow("browser gone when opened again")
        << QStringList{QStringLiteral("reopen"), good} << "BrowserStartError" << "10";
    QTest::newRow("launcher finds no browser")
        << QStringList{QStringLiteral("launcher fails"), good} << "BrowserStartError" << "1";
    QTest::newRow("waited past the code's lifetime")
        << QStringList{QStringLiteral("expire"), good} << "BrowserTimeoutError" << "1";
}

void TestPlatformAuth::callbacks()
{
    QFETCH(QStringList, events);
    QFETCH(QString, opens);
    QList<QUrl> opened;
    DesktopBrowserSignIn browser(nullptr, [&opened, opens](const QUrl &url) {
        opened.append(url);
        return opens.mid(opened.size() - 1, 1) != u"0";
    });
    browser.setTimeLimit(std::chrono::milliseconds(events.contains(u"expire") ? 100 : 60000));
    QSignalSpy waiting(&browser, &BrowserSignIn::waitingChanged);
    // A callback with no sign-in waiting is dropped, not kept for later.
    browser.deliverCallback(QUrl(QStringLiteral("vantrelcheckout://cb?code=stale")));
    QVERIFY(!browser.reopen());

    const QUrl startUrl(QStringLiteral("https://checkout.example.com/auth/zoho/start?challenge=c"));
    auto first = start(browser.authenticate(startUrl, QStringLiteral("vantrelcheckout")));
    std::shared_ptr<Outcome<QUrl>> second;
    QCOMPARE(opened, QList<QUrl>{startUrl});
    QCOMPARE(browser.isWaiting(), !first->done);
    for (const QString &event : events) {
        if (event == u"cancel") browser.cancel();
        else if (event == u"restart")
            second = start(browser.authenticate(startUrl, QStringLiteral("vantrelcheckout")));
        else if (event == u"reopen") browser.reopen();
        else if (event == u"launcher fails") browser.browserFailed();
        else if (event == u"expire") QTRY_VERIFY(first->done);
        else browser.deliverCallback(QUrl(event.mid(4)));
    }
    QVERIFY(first->done);
    QVERIFY(!browser.isPending());
    QVERIFY(!browser.isWaiting());
    QVERIFY(!browser.reopen());
    // Every opening is of the same start page: the same flow, the same proof key.
    QCOMPARE(opened, QList<QUrl>(opens.size(), startUrl));
    // Waiting starts once per browser that opened and ends with each flow.
    QList<bool> transitions;
    for (const auto &arguments : waiting) transitions.append(arguments.at(0).toBool());
    const int flows = second ? 2 : (opens.startsWith(u'0') ? 0 : 1);
    QList<bool> expectedTransitions;
    for (int i = 0; i < flows; ++i) expectedTransitions << true << false;
    QCOMPARE(transitions, expectedTransitions);
    QString result = first->error ? describe(first->error) : first->value->toString();
    if (second) {
        QVERIFY(second->done);
        QCOMPARE(second->value->toString(), QStringLiteral("vantrelcheckout://cb?code=1"));
        result = QStringLiteral("first: ") + result;
    }
    QTEST(result, "expected");
}

void TestPlatformAuth::secondLaunchHandsOverURLs()
{
    const QString name = QStringLiteral("vantrel-test-") + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance running(name);
    QVERIFY(!running.forwardToRunningInstance({QStringLiteral("vantrel-checkout")}));
    QVERIFY(running.isListening());

    DesktopBrowserSignIn browser(nullptr, [](const QUrl &) { return true; });
    connect(&running, &SingleInstance::urlReceived, &browser, &DesktopBrowserSignIn::deliverCallback);
    QSignalSpy received(&running, &SingleInstance::urlReceived);
    auto outcome = start(browser.authenticate(QUrl(QStringLiteral("https://a.example/")),
                                              QStringLiteral("vantrelcheckout")));

    // The browser launches the program with the callback as its only
    // argument; that launch waits for the answer, so it runs beside this
    // thread's event loop, as a second process would.
    std::future<bool> handedOver = std::async(std::launch::async, [&name] {
        SingleInstance second(name);
        return second.forwardToRunningInstance({QStringLiteral("vantrelcheckout://cb?code=abc%20d")}) &&
               !second.isListening();
    });
    QTRY_VERIFY(handedOver.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
    QVERIFY(handedOver.get());
    QTRY_VERIFY(outcome->done);
    QCOMPARE(describe(outcome->error), QStringLiteral("success"));
    QCOMPARE(outcome->value->toString(QUrl::FullyEncoded), QStringLiteral("vantrelcheckout://cb?code=abc%20d"));
    QCOMPARE(received.size(), 1);

    // A running instance that does not answer (here: this thread is busy in
    // the launch itself) is replaced instead of swallowing the launch.
    SingleInstance unanswered(name);
    unanswered.setAnswerTimeout(300);
    QVERIFY(!unanswered.forwardToRunningInstance({QStringLiteral("vantrelcheckout://cb?code=lost")}));
    QVERIFY(unanswered.isListening());
    // One that quits stops listening: the next launch starts at once.
    unanswered.stopListening();
    SingleInstance afterQuit(name);
    QVERIFY(!afterQuit.forwardToRunningInstance({}));
    QVERIFY(afterQuit.isListening());
    QCOMPARE(received.size(), 1);

    // Program paths and options are never taken for URLs.
    const QList<QUrl> urls = SingleInstance::urlsIn(
        {QStringLiteral("/usr/bin/vantrel-checkout"), QStringLiteral("--server"),
         QStringLiteral("vantrel-checkout"), QStringLiteral("vantrelcheckout://cb?code=1")});
    QCOMPARE(urls, QList<QUrl>{QUrl(QStringLiteral("vantrelcheckout://cb?code=1"))});
}

void TestPlatformAuth::schemeRegistration_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("execLine"); // empty: refused; "installed": left to the installed entry
    QTest::addColumn<QString>("installed"); // MimeType of the installed app's entry; empty: none

    // Quoted only where a reserved character makes it necessary; inside
    // quotes ", `, $ and \\ are escaped, and the file doubles each backslash.
    QTest::newRow("production") << "vantrelcheckout" << "/usr/bin/vantrel-checkout"
                                << "Exec=/usr/bin/vantrel-checkout %u" << "";
    QTest::newRow("preview, reserved characters") << "vantrelcheckout-pr42" << "/opt/Vantrel Checkout/bin/app$1%"
                                                  << "Exec=\"/opt/Vantrel Checkout/bin/app\\\\$1%%\" %u" << "";
    QTest::newRow("quote and backslash") << "vantrelcheckout" << "/tmp/a\"b\\c"
                                         << "Exec=\"/tmp/a\\\\\"b\\\\\\\\c\" %u" << "";
    QTest::newRow("scheme with a line break") << "vantrel\nExec=rm" << "/usr/bin/app" << "" << "";
    QTest::newRow("path with a line break") << "vantrelcheckout" << "/tmp/a\nExec=rm" << "" << "";
    // An installed app's entry hands the callback over; a build run beside
    // it registers only a scheme that entry does not claim.
    QTest::newRow("installed app") << "vantrelcheckout" << "/usr/bin/vantrel-checkout" << "installed"
                                   << "application/pdf; x-scheme-handler/vantrelcheckout;";
    QTest::newRow("preview build beside an installed app")
        << "vantrelcheckout-pr42" << "/home/dev/build/app" << "Exec=/home/dev/build/app %u"
        << "x-scheme-handler/vantrelcheckout;";
    QTest::newRow("installed entry of a preview build")
        << "vantrelcheckout" << "/home/dev/build/app" << "Exec=/home/dev/build/app %u"
        << "x-scheme-handler/vantrelcheckout-pr42;";
}

void TestPlatformAuth::schemeRegistration()
{
    QFETCH(QString, scheme);
    QFETCH(QString, executable);
    QFETCH(QString, execLine);
    QFETCH(QString, installed);
    const QString applications =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/applications");
    const QString mimeapps =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mimeapps.list");
    QDir(applications).removeRecursively();
    QFile::remove(mimeapps);
    const QString systemApplications = m_systemData.filePath(QStringLiteral("applications"));
    const auto uninstall = qScopeGuard([&systemApplications] { QDir(systemApplications).removeRecursively(); });
    if (!installed.isEmpty()) {
        QDir().mkpath(systemApplications);
        QFile packaged(systemApplications + u'/' + installedDesktopFileName());
        QVERIFY(packaged.open(QIODevice::WriteOnly));
        packaged.write(("[Desktop Entry]\nType=Application\nName=Vantrel Checkout\n"
                        "Exec=/usr/bin/vantrel-checkout %u\nMimeType=" + installed + u'\n').toUtf8());
    }

    QCOMPARE(registerCallbackScheme(scheme, executable, false), !execLine.isEmpty());
    QFile entry(applications + u'/' + callbackDesktopFileName(scheme));
    if (execLine.isEmpty() || execLine == u"installed") {
        QVERIFY(!QDir(applications).exists() || QDir(applications).isEmpty());
        QVERIFY(!QFile::exists(mimeapps));
        return;
    }
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    QVERIFY(lines.contains(execLine));
    QVERIFY(lines.contains(QStringLiteral("MimeType=x-scheme-handler/") + scheme + u';'));
}

void TestPlatformAuth::registrationKeepsOtherHandlers()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(config);
    QFile list(config + QStringLiteral("/mimeapps.list"));
    QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
    list.write("[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\n"
               "x-scheme-handler/vantrelcheckout=old.desktop;\nx-scheme-handler/mailto=mail.desktop;\n");
    list.close();

    QVERIFY(registerCallbackScheme(QStringLiteral("vantrelcheckout"), QStringLiteral("/usr/bin/a"), false));
    QVERIFY(registerCallbackScheme(QStringLiteral("vantrelcheckout"), QStringLiteral("/usr/bin/a"), false));
    QVERIFY(list.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(list.readAll());
    QCOMPARE(text.count(QStringLiteral("x-scheme-handler/vantrelcheckout=")), 1);
    QVERIFY(text.contains(QStringLiteral("x-scheme-handler/vantrelcheckout=vantrel-checkout-vantrelcheckout.desktop;")));
    QVERIFY(text.contains(QStringLiteral("text/plain=editor.desktop;")));
    QVERIFY(text.contains(QStringLiteral("x-scheme-handler/mailto=mail.desktop;")));
}

void TestPlatformAuth::xdgOpenRunsTheHandler_data()
{
    QTest::addColumn<bool>("useXdgMime"); // false: the entry in mimeapps.list is written by hand
    QTest::newRow("made default with xdg-mime") << true;
    QTest::newRow("mimeapps.list written directly") << false;
}

void TestPlatformAuth::xdgOpenRunsTheHandler()
{
    QFETCH(bool, useXdgMime);
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) QSKIP("xdg-open is not installed (package xdg-utils).");
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).removeRecursively();
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  QStringLiteral("/mimeapps.list"));
    useGenericDesktop();
    QTemporaryDir dir;
    const QString program = recorder(dir, QStringLiteral("vantrel-checkout"));
    QVERIFY(registerCallbackScheme(QStringLiteral("vantrelcheckout"), program, useXdgMime));

    // The browser hands the callback over the way it does in a desktop
    // session without a desktop-specific helper.
    QProcess open;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":0"));
    open.setProcessEnvironment(environment);
    open.setProcessChannelMode(QProcess::MergedChannels);
    const QString callback = QStringLiteral("vantrelcheckout://callback?code=x&state=y%20z");
    open.start(xdgOpen, {callback});
    QVERIFY(open.waitForFinished(30000));
    QVERIFY2(open.exitCode() == 0, open.readAll().constData());
    QCOMPARE(recorded(program), QStringList{callback});
}

void TestPlatformAuth::deviceWithoutBrowser()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        QSKIP("xdg-open is not installed (package xdg-utils).");
    useGenericDesktop();
    // Without a display xdg-open tries only the browsers named in $BROWSER.
    QTemporaryDir dir;
    qputenv("BROWSER", dir.filePath(QStringLiteral("missing")).toUtf8());
    DesktopBrowserSignIn browser; // opens through xdg-open
    auto outcome = start(browser.authenticate(QUrl(QStringLiteral("http://127.0.0.1:1/auth/zoho/start")),
                                              QStringLiteral("vantrelcheckout")));
    qunsetenv("BROWSER");
    QTRY_VERIFY_WITH_TIMEOUT(outcome->done, 30000);
    QCOMPARE(describe(outcome->error), QStringLiteral("BrowserStartError"));
    QVERIFY(!browser.isWaiting());
}

QTEST_GUILESS_MAIN(TestPlatformAuth)
#include "tst_platform_auth.moc"
