// Checkout against the stand-in server and a loopback server: the request's
// amounts, idempotent re-sending after a lost reply, recovery of a request
// that never went out, refused recovery replies, and the payment poller.
#include "CheckoutFlowSupport.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace vantrel;
using namespace checkoutsupport;

namespace {
const QString reconnecting = QStringLiteral("Reconnecting. The transaction remains saved on the server.");

QByteArray wire(const CheckoutTransaction &tx) { return encode(tx, KeyStyle::Wire); }

// A model on a loopback server whose draft holds a saved quote with this total.
void openWithQuote(SignedInModel &m, LoopbackServer &server, const QString &total, const QString &status)
{
    m.open(server.base(), QStringLiteral("t"), QStringLiteral("Avery"));
    Draft draft = m.model->draft();
    Quote quote;
    quote.id = QStringLiteral("Q1");
    quote.number = QStringLiteral("QT-1");
    quote.status = status;
    quote.total = total;
    draft.saved = quote;
    draft.sourceId = quote.id;
    draft.hold = true;
    m.model->setDraft(draft);
}
} // namespace

class CheckoutFlowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { releaseLoopbacks(); }

    void requestAmounts_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("tender");
        QTest::addColumn<QString>("cash");
        QTest::addColumn<QString>("sentTender"); // empty: nothing may be sent
        QTest::addColumn<int>("expectedCents");
        QTest::addColumn<int>("cashCents");
        QTest::addColumn<bool>("hold");
        QTest::addColumn<QString>("error");
        const QString terminal = QStringLiteral("square_terminal"), reg = QStringLiteral("square_register");
        const QString zoho = QStringLiteral("individual_zoho"), daily = QStringLiteral("native_square_summary");
        QTest::newRow("card rounds half up") << terminal << zoho << "100.005" << "card" << "" << "card" << 10001 << 10001 << true << "";
        QTest::newRow("cash") << terminal << zoho << "100" << "cash" << "120.50" << "cash" << 10000 << 12050 << true << "";
        QTest::newRow("register") << reg << zoho << "50" << "card" << "80" << "register" << 5000 << 0 << true << "";
        QTest::newRow("daily import") << reg << daily << "50" << "cash" << "" << "register" << 5000 << 0 << false << "";
        QTest::newRow("cash short") << terminal << zoho << "100" << "cash" << "abc" << "" << 0 << 0 << true
                                    << "Enter the cash received; it must cover the amount due.";
        QTest::newRow("draft quote") << terminal << zoho << "100" << "card" << "" << "" << 0 << 0 << true
                                     << "Save this draft as a new sent quote before starting checkout.";
    }

    void requestAmounts()
    {
        QFETCH(QString, route);
        QFETCH(QString, mode);
        QFETCH(QString, total);
        QFETCH(QString, tender);
        QFETCH(QString, cash);
        QFETCH(QString, sentTender);
        QFETCH(QString, error);
        LoopbackServer &server = loopback();
        server.on("POST", "/api/checkouts", {200, wire(transactionNamed(QStringLiteral("X"), QStringLiteral("complete")))});
        SignedInModel m;
        openWithQuote(m, server, total, error.startsWith(QLatin1String("Save")) ? QStringLiteral("draft") : QStringLiteral("sent"));
        Me account;
        account.paymentsEnabled = true;
        account.paymentRoute = route;
        account.accountingMode = mode;
        m.model->checkoutPart()->applyAccount(account);

        run(m.model->checkoutPart()->startCheckout(tender, cash));
        QCOMPARE(m.model->error().value_or(QString()), error);
        if (sentTender.isEmpty()) {
            QCOMPARE(server.requests().size(), 0);
            QVERIFY(!m.model->draft().pendingCheckout);
            return;
        }
        QCOMPARE(server.count("POST", "/api/checkouts"), 1);
        const QJsonObject body = QJsonDocument::fromJson(server.requests().first().body).object();
        QCOMPARE(body.value("request_id").toString(), m.model->draft().checkoutRequestId);
        QCOMPARE(body.value("quote_id").toString(), QStringLiteral("Q1"));
        QCOMPARE(body.value("tender").toString(), sentTender);
        QTEST(body.value("expected_cents").toInt(), "expectedCents");
        QTEST(body.value("cash_cents").toInt(), "cashCents");
        QTEST(body.value("hold").toBool(), "hold");
    }

    // Final statuses end the pending request and release the saved-work
    // entry; only a cancel gives the quote a new checkout request id.
    void checkoutReachesFinalStatus_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("paid") << false;
        QTest::newRow("canceled") << true;
    }

    void checkoutReachesFinalStatus()
    {
        QFETCH(bool, cancel);
        StandinModel s;
        QVERIFY(s.start());
        s.putSavedQuote();
        const int before = s.server.counts().checkouts;
        const QString requestId = s.model->draft().checkoutRequestId;
        run(s.model->checkoutPart()->startCheckout(QStringLiteral("card"), QString()));
        QVERIFY2(!s.model->error(), qPrintable(s.model->error().value_or(QString())));
        QVERIFY(s.model->draft().pendingCheckout);
        QTRY_COMPARE(s.model->checkoutPart()->transaction()->status, QStringLiteral("awaiting_payment"));

        // The workspace came back from the saved-work list at a restart.
        s.model->saveArchivedRequests({ArchivedWorkspaceRequest{newUuidString(), 1.0, s.model->draft(), {}}});
        s.model->restoreWorkspace();
        QVERIFY(s.model->activeArchiveID());

        if (cancel) run(s.model->checkoutPart()->cancelCheckout(*s.model->checkoutPart()->transaction()));
        else QVERIFY(s.server.pay(requestId));
        const QString final = cancel ? QStringLiteral("canceled") : QStringLiteral("complete");
        QTRY_COMPARE(s.model->checkoutPart()->transaction()->status, final);
        QCOMPARE(s.server.checkout(requestId)->status, final);
        QVERIFY(!s.model->draft().pendingCheckout);
        QVERIFY(!s.model->activeArchiveID());
        QVERIFY(s.model->loadArchivedRequests().isEmpty());
        QCOMPARE(s.model->draft().checkoutRequestId != requestId, cancel);
        QCOMPARE(s.server.counts().checkouts, before + 1);
    }

    // The server made the checkout but the reply was lost (a gateway error
    // after the commit): starting
    // again re-sends the stored request, not one with today's hold switch.
    void lostReplyResendsTheStoredRequest()
    {
        StandinModel s;
        QVERIFY(s.start());
        s.putSavedQuote();
        const int before = s.server.counts().checkouts;
        s.server.injectFault({"POST", QStringLiteral("/api/checkouts"), standin::StandinFault::Kind::BadGatewayAfterCommit});
        run(s.model->checkoutPart()->startCheckout(QStringLiteral("card"), QString()));
        QVERIFY(s.model->error());
        QVERIFY(!s.model->checkoutPart()->transaction());
        const CheckoutRequest stored = *s.model->draft().pendingCheckout;

        Draft draft = s.model->draft();
        draft.hold = !draft.hold;
        s.model->setDraft(draft);
        run(s.model->checkoutPart()->startCheckout(QStringLiteral("cash"), QStringLiteral("999")));
        QVERIFY2(!s.model->error(), qPrintable(s.model->error().value_or(QString())));
        QCOMPARE(*s.model->draft().pendingCheckout, stored);
        QCOMPARE(s.server.counts().checkouts, before + 1);
        QCOMPARE(s.server.checkout(stored.requestId)->hold, stored.hold);
        QCOMPARE(s.model->checkoutPart()->transaction()->id, stored.requestId);
        QVERIFY(s.model->checkoutPart()->poller());
    }

    // The app stopped after storing the request and before sending it.
    void unsentRequestIsRecoveredAsAborted()
    {
        StandinModel s;
        QVERIFY(s.start());
        const Quote quote = s.putSavedQuote();
        Draft draft = s.model->draft();
        draft.pendingCheckout = CheckoutRequest{draft.checkoutRequestId, quote.id, cents(quote.total),
                                                QStringLiteral("card"), cents(quote.total), false};
        s.model->setDraft(draft);
        const CheckoutRequest unsent = *draft.pendingCheckout;

        // A new model on the same storage, as at the next launch.
        const QString token = s.model->api().token(), user = s.model->session()->user;
        s.open(s.server.baseUrl(), token, user);
        QCOMPARE(s.model->draft(), draft);
        Customer owner;
        owner.id = quote.customerId;
        QCoro::waitFor(s.model->customersPart()->loadQuotesAndDeals(owner));
        const auto listed = [&] { return s.model->customersPart()->quoteList()->indexOfId(quote.id) >= 0; };
        QVERIFY(listed());
        const int before = s.server.counts().checkouts;
        for (const CheckoutTransaction &tx : QCoro::waitFor(CheckoutAPI::checkouts(s.model->api())).checkouts)
            QVERIFY(tx.id != unsent.requestId);
        run(s.model->checkoutPart()->recoverCheckoutRequest());

        const Draft &after = s.model->draft();
        QCOMPARE(after.customer, draft.customer);
        QCOMPARE(after.lines, draft.lines);
        QVERIFY(!after.saved && !after.pendingCheckout && after.dirty && after.sourceId.isEmpty());
        QVERIFY(after.checkoutRequestId != unsent.requestId);
        QVERIFY(!listed());
        QCOMPARE(s.model->selectedWorkspaceTab(), WorkspaceTab::quote);
        QCOMPARE(s.model->notice().value_or(QString()),
                 QStringLiteral("Checkout never started. Your customer and items are kept; save a new quote to continue."));
        // The original request arriving late must not start a payment.
        QVERIFY(!QCoro::waitFor(refusal(CheckoutAPI::startCheckout(s.model->api(), unsent))).isEmpty());
        QVERIFY(!s.server.checkout(unsent.requestId));
        QCOMPARE(s.server.counts().checkouts, before);
    }

    void recoveryReplyRefused_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("error");
        const QString kept = QStringLiteral("The payment status is not confirmed. Your saved request has been kept.");
        QTest::newRow("other request")
            << QByteArray(R"({"request_id":"OTHER","quote_id":"Q1","state":"aborted","safe_to_clear":true,"message":""})")
            << QStringLiteral("The server returned a different checkout request. Your saved request has been kept.");
        QTest::newRow("aborted, not safe")
            << QByteArray(R"({"request_id":"R1","quote_id":"Q1","state":"aborted","safe_to_clear":false,"message":""})") << kept;
        QTest::newRow("unknown state")
            << QByteArray(R"({"request_id":"R1","quote_id":"Q1","state":"lost","safe_to_clear":true,"message":""})") << kept;
    }

    void recoveryReplyRefused()
    {
        QFETCH(QByteArray, reply);
        LoopbackServer &server = loopback();
        server.on("POST", "/api/checkouts/recover-request", {200, reply});
        SignedInModel m;
        openWithQuote(m, server, QStringLiteral("10"), QStringLiteral("sent"));
        Draft draft = m.model->draft();
        draft.pendingCheckout = CheckoutRequest{QStringLiteral("R1"), QStringLiteral("Q1"), 1000, QStringLiteral("card"), 1000, false};
        m.model->setDraft(draft);

        run(m.model->checkoutPart()->resumeCheckout());
        QTEST(m.model->error().value_or(QString()), "error");
        QCOMPARE(m.model->draft(), draft);
    }

    // A reply about a request that is no longer the pending one changes nothing.
    void recoveryReplyForAnOlderRequestIsDropped()
    {
        LoopbackServer &server = loopback();
        server.on("POST", "/api/checkouts/recover-request",
                  {200, R"({"request_id":"R1","quote_id":"Q1","state":"aborted","safe_to_clear":true,"message":""})", true});
        SignedInModel m;
        openWithQuote(m, server, QStringLiteral("10"), QStringLiteral("sent"));
        Draft draft = m.model->draft();
        draft.pendingCheckout = CheckoutRequest{QStringLiteral("R1"), QStringLiteral("Q1"), 1000, QStringLiteral("card"), 1000, false};
        m.model->setDraft(draft);

        QCoro::Task<> recovery = m.model->checkoutPart()->recoverCheckoutRequest();
        QTRY_COMPARE(server.heldCount(), 1);
        draft.pendingCheckout->hold = true;
        m.model->setDraft(draft);
        server.release();
        QCoro::waitFor(std::move(recovery));
        QCOMPARE(m.model->draft(), draft);
        QVERIFY(!m.model->notice());
    }

    void pollerRidesOutBadGateway()
    {
        StandinModel s;
        QVERIFY(s.start());
        s.putSavedQuote();
        run(s.model->checkoutPart()->startCheckout(QStringLiteral("card"), QString()));
        QTRY_COMPARE(s.model->checkoutPart()->transaction()->status, QStringLiteral("awaiting_payment"));
        const QString id = s.model->checkoutPart()->transaction()->id;
        s.server.injectFault({"GET", QStringLiteral("/api/checkouts/") + id, standin::StandinFault::Kind::BadGateway, 0, 5});
        QTRY_COMPARE(s.model->notice().value_or(QString()), reconnecting);
        QCOMPARE(s.model->checkoutPart()->transaction()->status, QStringLiteral("awaiting_payment"));
        QVERIFY(s.server.pay(id));
        QTRY_COMPARE(s.model->checkoutPart()->transaction()->status, QStringLiteral("complete"));
        QVERIFY(!s.model->draft().pendingCheckout);
    }

    void pollReplyForAnotherTransactionIsDropped()
    {
        LoopbackServer &server = loopback();
        server.on("GET", "/api/checkouts/T1", {200, wire(transactionNamed(QStringLiteral("T1"), QStringLiteral("complete"))), true});
        SignedInModel m;
        m.open(server.base(), QStringLiteral("t"), QStringLiteral("Avery"));
        m.model->checkoutPart()->watch(transactionNamed(QStringLiteral("T1"), QStringLiteral("awaiting_payment")));
        QTRY_COMPARE(server.heldCount(), 1);
        const CheckoutTransaction other = transactionNamed(QStringLiteral("T2"), QStringLiteral("awaiting_payment"));
        m.model->checkoutPart()->watch(other);
        server.release();
        // Long enough for several more polls if the poller had gone on.
        QTest::qWait(200);
        QCOMPARE(*m.model->checkoutPart()->transaction(), other);
        QCOMPARE(server.count("GET", "/api/checkouts/T1"), 1);
    }
};

QTEST_MAIN(CheckoutFlowTest)
#include "tst_checkout_flow.moc"
