// Sign-in end to end against the stand-in server: the test browser walks the
// demo sign-in page, the proof key is checked by a real server, and the token
// it hands out opens the account; a code shown with another verifier is refused.

#include "LoopbackServer.h"

#include "StandinServer.h"
#include "platform/auth/FakeBrowserSignIn.h"
#include "server/Endpoints.h"
#include "server/ZohoLogin.h"

#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

class TestSignInStandin : public QObject {
    Q_OBJECT
private slots:
    void signInOpensTheAccount();
};

void TestSignInStandin::signInOpensTheAccount()
{
    standin::StandinServer server;
    QString problem;
    QVERIFY2(server.start(standin::StandinOptions{}, &problem), qPrintable(problem));
    APIClient api;
    api.setBase(server.baseUrl());
    FakeBrowserSignIn browser;
    ZohoLogin login(&browser);
    login.setBuildInformation({});

    const auto signedIn = settle(login.signIn(&api));
    QCOMPARE(describe(signedIn.error), QStringLiteral("success"));
    QVERIFY(!signedIn.value->token.isEmpty());
    api.setToken(signedIn.value->token);
    const auto me = settle(CheckoutAPI::me(api));
    QCOMPARE(describe(me.error), QStringLiteral("success"));
    QCOMPARE(me.value->user, signedIn.value->user);

    // A code is only good with the verifier whose challenge it was issued for.
    browser.setBehaviour(FakeBrowserSignIn::Behaviour::FollowRedirects);
    const QUrl start = browser.lastStartUrl();
    const QUrl callback = settle(browser.authenticate(start, QStringLiteral("vantrelcheckout"))).value.value_or(QUrl());
    const std::optional<QString> code = ZohoLogin::codeFrom(callback);
    QVERIFY(code);
    const auto wrongVerifier = settle(
        CheckoutAPI::exchange(api, Exchange{*code, ProofKey::make().verifier}));
    QVERIFY(describe(wrongVerifier.error).startsWith(QStringLiteral("APIError: ")));
}

QTEST_MAIN(TestSignInStandin)
#include "tst_signin_standin.moc"
