// Browser sign-in: the proof key, every way the browser part can end, and
// the code exchange, with the test browser against a loopback server.

#include "RecordingServer.h"
#include "Run.h"

#include "FakeBrowserSignIn.h"
#include "server/ZohoLogin.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QUrlQuery>

using namespace vantrel;
using namespace vantrel::testing;

using Behaviour = FakeBrowserSignIn::Behaviour;
Q_DECLARE_METATYPE(FakeBrowserSignIn::Behaviour)

namespace {
const QByteArray sessionJson = R"({"token":"tok-1","user":"ann@example.com","demo":true})";

QString sha256Hex(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// Answers like the Checkout server: the start page sends the browser to the
// callback, the exchange hands out a session. (A page of users to pick from
// first is the test browser's own business.)
std::optional<Reply> checkoutServer(const Request &request)
{
    const QByteArray callback = "vantrelcheckout://signed-in?code=one-time&state=x";
    if (request.path == u"/auth/zoho/start")
        return Reply{302, QByteArray(), "text/html", {{"Location", callback}}};
    if (request.path == u"/auth/exchange") return Reply{200, sessionJson};
    return Reply{404, R"({"error":"Not found."})"};
}

// The test browser and the sign-in of a production build, on a loopback server.
struct Rig {
    Rig()
    {
        api.setBase(server.base());
        login.setBuildInformation({});
    }
    RecordingServer server;
    APIClient api;
    FakeBrowserSignIn browser;
    ZohoLogin login{&browser};
};
} // namespace

class TestSignIn : public QObject {
    Q_OBJECT
private slots:
    void proofKeys();
    void followsServerToExchange();
    void browserOutcomes_data();
    void browserOutcomes();
    void refusedBeforeTheBrowserOpens_data();
    void refusedBeforeTheBrowserOpens();
    void addressChangedWhileBrowserOpen();
};

// The challenge's relation to the verifier is checked where the server sees both.
void TestSignIn::proofKeys()
{
    const ProofKey a = ProofKey::make();
    QCOMPARE(a.verifier.size(), 72);
    QVERIFY(a.verifier.left(36) != a.verifier.mid(36) && a.verifier != ProofKey::make().verifier);
}

void TestSignIn::followsServerToExchange()
{
    Rig rig;
    rig.server.setHandler(checkoutServer);

    const auto outcome = settle(rig.login.signIn(&rig.api));
    QCOMPARE(describe(outcome.error), QStringLiteral("success"));
    QCOMPARE(outcome.value->token, QStringLiteral("tok-1"));
    QCOMPARE(rig.browser.lastScheme(), QStringLiteral("vantrelcheckout"));

    QCOMPARE(rig.server.requests().size(), 2);
    const QUrlQuery start(QUrl(QString::fromLatin1(rig.server.requests().first().target)));
    const QString challenge = start.queryItemValue(QStringLiteral("challenge"));
    QCOMPARE(rig.server.requests().last().path, QStringLiteral("/auth/exchange"));
    const QJsonObject exchange = QJsonDocument::fromJson(rig.server.requests().last().body).object();
    QCOMPARE(exchange.value(QStringLiteral("code")).toString(), QStringLiteral("one-time"));
    // The server can only check the code against the challenge it saw.
    QCOMPARE(sha256Hex(exchange.value(QStringLiteral("verifier")).toString()), challenge);
}

void TestSignIn::browserOutcomes_data()
{
    QTest::addColumn<Behaviour>("behaviour");
    QTest::addColumn<QString>("callback");
    QTest::addColumn<QString>("expected"); // failure, or "code <sent code>"

    const Behaviour give = Behaviour::ReturnURL;
    QTest::newRow("several codes") << give << "vantrelcheckout://x?code=first&code=second"
                                   << "code first";
    QTest::newRow("escaped code") << give << "vantrelcheckout://x?state=1&code=a%2Bb%26c" << "code a+b&c";
    QTest::newRow("no code item") << give << "vantrelcheckout://x?state=1" << "APIError: Missing sign-in code.";
    QTest::newRow("empty code") << give << "vantrelcheckout://x?code=" << "APIError: Missing sign-in code.";
    QTest::newRow("no callback URL") << Behaviour::NoURL << "" << "APIError: Sign-in did not complete.";
    // Not a failure: nothing is shown for it.
    QTest::newRow("person cancels") << Behaviour::Cancel << "" << "CancelledError";
    QTest::newRow("no browser") << Behaviour::CannotStart << ""
                                << "APIError: Unable to open Zoho sign-in. No web browser could be opened on this device.";
    QTest::newRow("waited past the code's lifetime") << Behaviour::TooLong << ""
                                                     << "APIError: The sign-in took too long. Please sign in again.";
}

void TestSignIn::browserOutcomes()
{
    QFETCH(Behaviour, behaviour);
    QFETCH(QString, callback);
    QFETCH(QString, expected);
    Rig rig;
    rig.server.setHandler(checkoutServer);
    rig.browser.setBehaviour(behaviour, QUrl(callback));

    const auto outcome = settle(rig.login.signIn(&rig.api));
    const QList<Request> &sent = rig.server.requests();
    if (outcome.error) {
        QCOMPARE(describe(outcome.error), expected);
        QVERIFY(sent.isEmpty()); // no exchange without a code
    } else {
        QCOMPARE(sent.size(), 1);
        const QJsonObject body = QJsonDocument::fromJson(sent.first().body).object();
        QCOMPARE(QStringLiteral("code ") + body.value(QStringLiteral("code")).toString(), expected);
    }
}

void TestSignIn::refusedBeforeTheBrowserOpens_data()
{
    QTest::addColumn<QVariantMap>("information");
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("exchangeStatus");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("browserAttempts");

    QTest::newRow("preview without scheme")
        << QVariantMap{{QStringLiteral("VantrelIsPreview"), QStringLiteral("YES")}} << QString() << 200
        << "APIError: This preview build has invalid sign-in configuration." << 0;
    QTest::newRow("plain http to a LAN host")
        << QVariantMap{} << "http://10.0.0.5:8080" << 200
        << "APIError: Enter an HTTPS server address. A server on this device can also use http://localhost:8080."
        << 0;
    QTest::newRow("exchange rejected") << QVariantMap{} << QString() << 400
                                       << "APIError: The sign-in code has expired." << 1;
}

void TestSignIn::refusedBeforeTheBrowserOpens()
{
    QFETCH(QVariantMap, information);
    QFETCH(QString, base);
    QFETCH(int, exchangeStatus);
    Rig rig;
    rig.server.reply({exchangeStatus, R"({"error":"The sign-in code has expired."})"});
    rig.api.setBase(base.isEmpty() ? rig.server.base() : base);
    rig.browser.setBehaviour(Behaviour::ReturnURL, QUrl(QStringLiteral("vantrelcheckout://x?code=c")));
    rig.login.setBuildInformation(information);

    QTEST(describe(settle(rig.login.signIn(&rig.api)).error), "expected");
    QTEST(rig.browser.attempts(), "browserAttempts");
}

void TestSignIn::addressChangedWhileBrowserOpen()
{
    Rig rig;
    rig.server.setHandler(checkoutServer);
    rig.browser.setBehaviour(Behaviour::Wait);

    auto outcome = start(rig.login.signIn(&rig.api));
    QCOMPARE(rig.browser.attempts(), 1);
    rig.api.setBase(rig.server.base() + u'/');
    rig.browser.deliver(QUrl(QStringLiteral("vantrelcheckout://x?code=c")));
    QTRY_VERIFY(outcome->done);
    QCOMPARE(describe(outcome->error), QStringLiteral("CancelledError"));
    QVERIFY(rig.server.requests().isEmpty());
}

QTEST_GUILESS_MAIN(TestSignIn)
#include "tst_signin.moc"
