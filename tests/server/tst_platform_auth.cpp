// The desktop half of sign-in: callbacks reaching the waiting sign-in through
// a second launch, only for the expected scheme, and the scheme handler files.

#include "LoopbackServer.h"

#include "platform/auth/DesktopBrowserSignIn.h"
#include "platform/auth/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>

using namespace vantrel;
using namespace vantrel::testing;

class TestPlatformAuth : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void callbacks_data();
    void callbacks();
    void browserThatCannotOpen();
    void secondLaunchHandsOverURLs();
    void schemeRegistration_data();
    void schemeRegistration();
    void registrationKeepsOtherHandlers();
};

void TestPlatformAuth::initTestCase() { QStandardPaths::setTestModeEnabled(true); }

void TestPlatformAuth::callbacks_data()
{
    QTest::addColumn<QStringList>("events"); // "url:<u>", "cancel", "restart"
    QTest::addColumn<QString>("expected");

    const QString good = QStringLiteral("url:vantrelcheckout://cb?code=1");
    QTest::newRow("expected scheme") << QStringList{good} << "vantrelcheckout://cb?code=1";
    QTest::newRow("scheme in capitals") << QStringList{QStringLiteral("url:VantrelCheckout://cb?code=2")}
                                        << "vantrelcheckout://cb?code=2";
    QTest::newRow("other schemes ignored")
        << QStringList{QStringLiteral("url:https://evil.example/?code=9"),
                       QStringLiteral("url:vantrelcheckout-pr7://cb?code=8"), good}
        << "vantrelcheckout://cb?code=1";
    QTest::newRow("person cancels") << QStringList{QStringLiteral("cancel"), good}
                                    << "BrowserCancelledError: The sign-in was canceled.";
    QTest::newRow("new sign-in replaces the old")
        << QStringList{QStringLiteral("restart"), good} << "first: BrowserCancelledError: The sign-in was canceled.";
}

void TestPlatformAuth::callbacks()
{
    QFETCH(QStringList, events);
    QFETCH(QString, expected);
    QList<QUrl> opened;
    DesktopBrowserSignIn browser(nullptr, [&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    // A callback with no sign-in waiting is dropped, not kept for later.
    browser.deliverCallback(QUrl(QStringLiteral("vantrelcheckout://cb?code=stale")));

    const QUrl startUrl(QStringLiteral("https://checkout.example.com/auth/zoho/start?challenge=c"));
    auto first = start(browser.authenticate(startUrl, QStringLiteral("vantrelcheckout")));
    std::shared_ptr<Outcome<QUrl>> second;
    QCOMPARE(opened, QList<QUrl>{startUrl});
    for (const QString &event : events) {
        if (event == u"cancel") browser.cancel();
        else if (event == u"restart")
            second = start(browser.authenticate(startUrl, QStringLiteral("vantrelcheckout")));
        else browser.deliverCallback(QUrl(event.mid(4)));
    }
    QVERIFY(first->done);
    QVERIFY(!browser.isPending());
    QString result = first->error ? describe(first->error) : first->value->toString();
    if (second) {
        QVERIFY(second->done);
        QCOMPARE(second->value->toString(), QStringLiteral("vantrelcheckout://cb?code=1"));
        result = QStringLiteral("first: ") + result;
    }
    QCOMPARE(result, expected);
}

void TestPlatformAuth::browserThatCannotOpen()
{
    DesktopBrowserSignIn browser(nullptr, [](const QUrl &) { return false; });
    const auto outcome = settle(browser.authenticate(QUrl(QStringLiteral("https://a.example/")),
                                                     QStringLiteral("vantrelcheckout")));
    QVERIFY(outcome.error);
    QVERIFY(!browser.isPending());
    try {
        std::rethrow_exception(outcome.error);
    } catch (const BrowserStartError &) {
    } catch (...) {
        QFAIL("expected the browser's start failure");
    }
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

    SingleInstance second(name);
    // The browser launches the program with the callback as its only argument.
    QVERIFY(second.forwardToRunningInstance({QStringLiteral("vantrelcheckout://cb?code=abc%20d")}));
    QVERIFY(!second.isListening());
    QTRY_VERIFY(outcome->done);
    QCOMPARE(describe(outcome->error), QStringLiteral("success"));
    QCOMPARE(outcome->value->toString(QUrl::FullyEncoded), QStringLiteral("vantrelcheckout://cb?code=abc%20d"));
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
    QTest::addColumn<QString>("execLine"); // empty: refused

    QTest::newRow("production") << "vantrelcheckout" << "/usr/bin/vantrel-checkout"
                                << "Exec=\"/usr/bin/vantrel-checkout\" %u";
    QTest::newRow("preview") << "vantrelcheckout-pr42" << "/opt/Vantrel Checkout/bin/app$1%"
                             << "Exec=\"/opt/Vantrel Checkout/bin/app\\\\$1%%\" %u";
    QTest::newRow("scheme with a space") << "vantrel checkout" << "/usr/bin/app" << "";
    QTest::newRow("scheme with a line break") << "vantrel\nExec=rm" << "/usr/bin/app" << "";
    QTest::newRow("path with a quote") << "vantrelcheckout" << "/tmp/a\"b" << "";
}

void TestPlatformAuth::schemeRegistration()
{
    QFETCH(QString, scheme);
    QFETCH(QString, executable);
    QFETCH(QString, execLine);
    const QString applications =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/applications");
    QDir(applications).removeRecursively();

    QCOMPARE(registerCallbackScheme(scheme, executable, false), !execLine.isEmpty());
    QFile entry(applications + u'/' + callbackDesktopFileName(scheme));
    if (execLine.isEmpty()) {
        QVERIFY(!QDir(applications).exists() || QDir(applications).isEmpty());
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

QTEST_GUILESS_MAIN(TestPlatformAuth)
#include "tst_platform_auth.moc"
