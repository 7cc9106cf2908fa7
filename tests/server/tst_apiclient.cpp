// The client's address rules, reply mapping and stale-reply protection, and
// the shape of a request (headers, token, body) by kind, against a loopback
// server; each endpoint's own path and body meet the stand-in in the workflow tests.

#include "RecordingServer.h"
#include "Run.h"

#include "server/APIClient.h"
#include "server/Endpoints.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {
const QString httpsMessage = QStringLiteral(
    "Enter an HTTPS server address. A server on this device can also use http://localhost:8080.");
const QString fallback = QStringLiteral(
    "The server could not complete the request. Your transaction can be resumed.");

QJsonObject json(const QByteArray &bytes) { return QJsonDocument::fromJson(bytes).object(); }

// A client on a loopback server that answers every request alike.
struct Loopback {
    explicit Loopback(const Reply &reply)
    {
        server.reply(reply);
        api.setBase(server.base());
    }
    RecordingServer server;
    APIClient api;
};

const QByteArray dealJson = R"({"id":"D1","name":"Deal","number":"7","account_id":"A",
    "drive_url":"d","crm_url":"c"})";
} // namespace

class TestAPIClient : public QObject {
    Q_OBJECT
private slots:
    void makeURL_data();
    void makeURL();
    void queryValuesArriveAsTyped();
    void replies_data();
    void replies();
    void tokenStaysWithItsServer();
    void staleReplies_data();
    void staleReplies();
    void pathIdentifier_data();
    void pathIdentifier();
    void endpoints_data();
    void endpoints();
};

void TestAPIClient::makeURL_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("expected"); // URL, or the error text

    QTest::newRow("https") << "https://checkout.example.com" << "https://checkout.example.com/api/me";
    QTest::newRow("many trailing slashes") << "https://h.example:8443///" << "https://h.example:8443/api/me";
    QTest::newRow("localhost http") << "http://localhost:8080" << "http://localhost:8080/api/me";
    QTest::newRow("other loopback http") << "http://127.0.0.2:8080" << httpsMessage;
    QTest::newRow("no scheme") << "checkout.example.com" << httpsMessage;
    QTest::newRow("host and port only") << "localhost:8080" << httpsMessage;
    QTest::newRow("unparsable") << "https://exa mple.com" << httpsMessage;
}

void TestAPIClient::makeURL()
{
    QFETCH(QString, base);
    APIClient api;
    api.setBase(base);
    QString result;
    try {
        result = api.makeURL(QStringLiteral("/api/me")).toString();
    } catch (const APIError &e) {
        result = e.error;
    }
    QTEST(result, "expected");
}

void TestAPIClient::queryValuesArriveAsTyped()
{
    Loopback loop({200, R"({"customers":[]})"});
    const QString typed = QStringLiteral("Ann & Bob=1+2 #5 %20 ü");
    const auto outcome = settle(CheckoutAPI::customers(loop.api, typed));
    QCOMPARE(describe(outcome.error), QStringLiteral("success"));
    QCOMPARE(loop.server.requests().size(), 1);
    const QUrlQuery query(QUrl(QString::fromLatin1(loop.server.requests().first().target)));
    QCOMPARE(query.queryItems().size(), 1);
    QCOMPARE(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), typed);
}

void TestAPIClient::replies_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("call"); // request | me | deal | hold
    QTest::addColumn<QString>("expected"); // a failure kind, or "success"; for deal and hold "none" or an id

    const QByteArray me = R"({"user":"ann","demo":true,"payments_enabled":false})";
    QTest::newRow("2xx empty body as bytes") << 200 << QByteArray() << "request" << "success";
    QTest::newRow("2xx record") << 200 << me << "me" << "success";
    QTest::newRow("2xx wrong record") << 200 << QByteArray(R"({"user":"ann"})") << "me" << "DecodingError";
    QTest::newRow("with server error") << 500 << QByteArray(R"({"error":"Zoho is down."})") << "me"
                                           << "APIError: Zoho is down.";
    QTest::newRow("HTML page") << 502 << QByteArray("<html><body>Bad gateway</body></html>") << "me"
                                   << QStringLiteral("APIError: ") + fallback;
    QTest::newRow("empty body") << 404 << QByteArray() << "request" << QStringLiteral("APIError: ") + fallback;
    // Replies that may be null.
    QTest::newRow("deal null") << 200 << QByteArray("null") << "deal" << "none";
    QTest::newRow("deal object") << 200 << dealJson << "deal" << "D1";
    QTest::newRow("hold null and newline") << 200 << QByteArray("null\n") << "hold" << "none";
    QTest::newRow("hold null with trailing text") << 200 << QByteArray("null x") << "hold" << "DecodingError";
}

void TestAPIClient::replies()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, call);
    Loopback loop({status, body});
    const QString path = QStringLiteral("/api/me");
    std::exception_ptr error;
    if (call == u"request") {
        const auto outcome = settle(loop.api.request(QStringLiteral("GET"), path, std::nullopt));
        error = outcome.error;
        if (!error) QCOMPARE(*outcome.value, body);
    } else if (call == u"me") {
        const auto outcome = settle(loop.api.get<Me>(path));
        error = outcome.error;
        if (!error) QCOMPARE(outcome.value->user, QStringLiteral("ann"));
    } else {
        const auto shown = [](const auto &outcome) {
            return outcome.error ? describe(outcome.error) : (*outcome.value ? (*outcome.value)->id : QStringLiteral("none"));
        };
        QTEST(call == u"deal" ? shown(settle(CheckoutAPI::deal(loop.api, QStringLiteral("D1"))))
                              : shown(settle(CheckoutAPI::holdCheckout(loop.api, QStringLiteral("T1"), false))),
              "expected");
        if (call == u"deal") QCOMPARE(loop.server.requests().first().target, QByteArray("/api/deals/D1"));
        return;
    }
    QTEST(describe(error), "expected");
}

void TestAPIClient::tokenStaysWithItsServer()
{
    RecordingServer elsewhere;
    elsewhere.reply({200, "{}"});
    Loopback loop({302, QByteArray(), "text/plain", {{"Location", elsewhere.base().toLatin1() + "/api/me"}}});
    loop.api.setToken(QStringLiteral("secret-token"));
    QCOMPARE(describe(settle(loop.api.get<Empty>(QStringLiteral("/api/me"))).error), QStringLiteral("TransportError"));
    QVERIFY(elsewhere.requests().isEmpty());
}

void TestAPIClient::staleReplies_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("expected");

    QTest::newRow("same token") << "same token" << "success";
    QTest::newRow("same address") << "same base" << "success";
    QTest::newRow("new token") << "new token" << "CancelledError";
    QTest::newRow("signed out") << "empty token" << "CancelledError";
    QTest::newRow("new address") << "new base" << "CancelledError";
    QTest::newRow("workspace reset") << "renew" << "CancelledError";
    QTest::newRow("task cancelled") << "cancel" << "CancelledError";
    QTest::newRow("client destroyed") << "destroyed" << "CancelledError";
    // Shown to the person, unlike a cancellation.
    QTest::newRow("server silent past the time-out") << "silent" << "TransportError";
}

void TestAPIClient::staleReplies()
{
    QFETCH(QString, change);
    RecordingServer server;
    server.reply({200, "{}", "application/json", {}, /*hold*/ true});
    auto api = std::make_unique<APIClient>();
    api->setBase(server.base());
    api->setToken(QStringLiteral("one"));
    if (change == u"silent") api->setTimeout(std::chrono::milliseconds(300));
    const CancellationToken cancel = CancellationToken::make();
    auto outcome = start(api->get<Empty>(QStringLiteral("/api/me"), {}, cancel));
    QTRY_COMPARE(server.held(), 1);

    if (change == u"same token") api->setToken(QStringLiteral("one"));
    else if (change == u"same base") api->setBase(server.base());
    else if (change == u"new token") api->setToken(QStringLiteral("two"));
    else if (change == u"empty token") api->setToken(QString());
    else if (change == u"new base") api->setBase(server.base() + u'/');
    else if (change == u"renew") api->renewGeneration();
    else if (change == u"cancel") cancel.cancel();
    else if (change == u"destroyed") api.reset();

    if (change == u"cancel" || change == u"destroyed" || change == u"silent") {
        // The request in flight is aborted, not left to run to its end.
        QTRY_VERIFY(outcome->done);
        QTRY_COMPARE(server.disconnects(), 1);
    }
    server.release();
    QTRY_VERIFY(outcome->done);
    QTEST(describe(outcome->error), "expected");
    if (change == u"silent") QCOMPARE(errorDescription(outcome->error), APIClient::timeoutMessage);
}

void TestAPIClient::pathIdentifier_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("sent"); // when the request line differs

    QTest::newRow("ordinary punctuation") << "Q-1_a.b~c:d@e" << "Q-1_a.b~c:d@e" << "";
    QTest::newRow("slash") << "../api/logout" << "..%2Fapi%2Flogout" << "";
    QTest::newRow("query") << "1?customer_id=2" << "1%3Fcustomer_id=2" << "";
    QTest::newRow("fragment") << "1#x" << "1%23x" << "";
    QTest::newRow("percent") << "1%2F2" << "1%252F2" << "";
    QTest::newRow("space and letters") << "Q 1 ü" << "Q 1 ü" << "Q%201%20%C3%BC";
}

void TestAPIClient::pathIdentifier()
{
    QFETCH(QString, identifier);
    QFETCH(QString, expected);
    QFETCH(QString, sent);
    QCOMPARE(vantrel::pathIdentifier(identifier), expected);
    if (sent.isEmpty()) sent = expected;

    // What reaches the server stays under the addressed resource.
    Loopback loop({200, R"({"id":"Q"})"});
    settle(CheckoutAPI::quotePDF(loop.api, identifier));
    QCOMPARE(loop.server.requests().size(), 1);
    QCOMPARE(QString::fromLatin1(loop.server.requests().first().target),
             QStringLiteral("/api/quotes/") + sent + QStringLiteral("/pdf"));
}

void TestAPIClient::endpoints_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QByteArray>("body"); // expected JSON; "-" for no body

    const QByteArray session = R"({"token":"t","user":"u","demo":false})";
    QTest::newRow("exchange") << session << QByteArray("POST") << QByteArray("/auth/exchange")
                              << QByteArray(R"({"code":"c","verifier":"v"})");
    QTest::newRow("customers") << QByteArray(R"({"customers":[]})") << QByteArray("GET")
                               << QByteArray("/api/customers?q=ann") << QByteArray("-");
    QTest::newRow("hold") << QByteArray("null") << QByteArray("PUT") << QByteArray("/api/checkouts/T1/hold")
                          << QByteArray(R"({"hold":true})");
}

void TestAPIClient::endpoints()
{
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, target);
    QFETCH(QByteArray, body);
    Loopback loop({200, reply});
    const QByteArray token = target == "/auth/exchange" ? QByteArray() : QByteArray("secret-token");
    loop.api.setToken(QString::fromLatin1(token));
    std::exception_ptr error;
    if (target == "/auth/exchange")
        error = settle(CheckoutAPI::exchange(loop.api, Exchange{QStringLiteral("c"), QStringLiteral("v")})).error;
    else if (method == "GET")
        error = settle(CheckoutAPI::customers(loop.api, QStringLiteral("ann"))).error;
    else
        error = settle(CheckoutAPI::holdCheckout(loop.api, QStringLiteral("T1"), true)).error;
    QCOMPARE(loop.server.requests().size(), 1);
    const Request &r = loop.server.requests().first();
    QCOMPARE(r.method, method);
    QCOMPARE(r.target, target);
    QCOMPARE(r.headers.value("content-type"), QByteArray("application/json"));
    QCOMPARE(r.headers.value("authorization"), token.isEmpty() ? QByteArray() : QByteArray("Bearer " + token));
    if (body == "-") {
        QVERIFY(r.body.isEmpty() && !r.headers.contains("transfer-encoding"));
        QCOMPARE(r.headers.value("content-length", "0"), QByteArray("0"));
    } else {
        QCOMPARE(json(r.body), json(body));
    }
    QCOMPARE(describe(error), QStringLiteral("success"));
}

QTEST_GUILESS_MAIN(TestAPIClient)
#include "tst_apiclient.moc"
