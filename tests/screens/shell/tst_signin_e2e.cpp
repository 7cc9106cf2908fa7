// Sign-in beyond its first success (which the accessibility walk and the sale
// by names drive): sign-out from the account sheet, a browser that never calls
// back, signing in again on the stand-in's page, and a second launch that
// starts signed in.
#include "DemoApp.h"

#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

class SignInEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void signInSignOutAndRelaunch();
};

void SignInEndToEnd::signInSignOutAndRelaunch()
{
    DemoApp app; // started from its stored demo session
    app.open({});
    if (QTest::currentTestFailed()) return;
    Workspace &workspace = *app.workspace;
    {
        ShellHarness &shell = *app.shell;
        QSignalSpy finished(&shell.actions(), &ShellActions::signInFinished);
        shell.tap(shell.find("accountButton"));
        QTRY_VERIFY(shell.object("accountSheet")->property("opened").toBool());
        QCOMPARE(shell.find("signedInUser")->property("text").toString(), QStringLiteral("Avery Demo"));
        QVERIFY(shell.find("demoNotice"));
        shell.tap(shell.find("signOutButton"));
        QTRY_VERIFY(shell.find("loginView"));
        QTRY_VERIFY(!shell.object("accountSheet")->property("visible").toBool());
        QVERIFY(!shell.model().session().has_value());
        QVERIFY(!workspace.sessions.items.contains(workspace.server));

        // A browser that never calls back: the screen says so and offers a
        // way out; a second tap opens the same sign-in again.
        shell.browser().setBehaviour(FakeBrowserSignIn::Behaviour::Wait);
        shell.tap(shell.find("signInButton"));
        QTRY_VERIFY(shell.find("cancelSignInButton"));
        QVERIFY(shell.find("signInButton")->isEnabled());
        shell.tap(shell.find("signInButton"));
        QCOMPARE(shell.browser().reopenings(), 1);
        shell.tap(shell.find("cancelSignInButton"));
        QTRY_VERIFY(!shell.model().busy() && !shell.find("cancelSignInButton"));
        // Cancelling is the person's choice, not a failure: no error card.
        QCOMPARE(shell.model().errorText(), QString());

        // Sign in again so that the next launch finds a stored session.
        const int signIns = finished.count();
        const QUrl firstStart = shell.browser().lastStartUrl();
        shell.tap(shell.find("signInButton"));
        QTRY_VERIFY(shell.browser().lastStartUrl() != firstStart);
        shell.browser().deliver(pickDemoUser(shell.browser().lastStartUrl()));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), signIns + 1, 20000);
        QTRY_VERIFY(shell.find("workspaceView"));
    }
    // A second launch: same keychain, same storage, a new model and window.
    const int browserOpenings = workspace.browser.attempts();
    app.shell.reset();
    workspace.open();
    ShellHarness relaunch(workspace);
    QSignalSpy started(&relaunch.actions(), &ShellActions::startFinished);
    relaunch.actions().start();
    QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, 20000);
    QVERIFY(relaunch.find("workspaceView"));
    QVERIFY(relaunch.find("demoLabel"));
    QCOMPARE(relaunch.browser().attempts(), browserOpenings);
}

QTEST_MAIN(SignInEndToEnd)
#include "tst_signin_e2e.moc"
