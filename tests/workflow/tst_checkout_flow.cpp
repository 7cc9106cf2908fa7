// Checkout against the stand-in server and the recording server: the
// request's amounts, idempotent re-sending after a lost reply, refused
// recovery replies, and the poller.
#include "LogCapture.h"
#include "Workspace.h"

#include "records/Uuid.h"
#include "server/Endpoints.h"
#include "workflow/KeptRequest.h"

#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

Q_DECLARE_METATYPE(vantrel::testing::Reply)

namespace {

// A draft holding a saved quote with this total, on a workspace signed in to the server.
void putQuote(Workspace &ws, const QString &total, const QString &status)
{
    ws.signIn();
    ws.enablePayments();
    Draft draft = ws->draft();
    draft.saved =
        Quote{.id = QStringLiteral("Q1"), .number = QStringLiteral("QT-1"), .status = status, .total = total};
    draft.sourceId = draft.saved->id;
    draft.hold = true;
    ws->setDraft(draft);
}

// A one-line quote saved on the stand-in and opened, on a workspace signed in to it.
void putSavedQuote(Standin &standin, Workspace &ws)
{
    ws.signIn(standin.user, standin.server.issueToken(standin.user));
    ws.enablePayments();
    const NewCustomerResponse owner = standin.newCustomer(QStringLiteral("Payer"));
    QVERIFY(finish(ws->quotePart()->openQuote(standin.newQuote(owner).id, owner.customer)));
}

Reply recovery(const QByteArray &requestId, const QByteArray &state, bool safe)
{
    return Reply{200, R"({"request_id":")" + requestId + R"(","quote_id":"Q1","state":")" + state +
                          R"(","safe_to_clear":)" + (safe ? "true" : "false") + R"(,"message":""})"};
}

} // namespace

class CheckoutFlowTest : public QObject {
    Q_OBJECT

private slots:
    void requestAmounts_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("quoteStatus");
        QTest::addColumn<QString>("tender");
        QTest::addColumn<QString>("cash");
        QTest::addColumn<QString>("sentTender"); // empty: refused, nothing may be sent
        QTest::addColumn<int>("expectedCents");
        QTest::addColumn<int>("cashCents");
        QTest::addColumn<bool>("hold");
        const QString terminal = QStringLiteral("square_terminal"), reg = QStringLiteral("square_register");
        const QString zoho = QStringLiteral("individual_zoho"), daily = QStringLiteral("native_square_summary");
        QTest::newRow("card rounds half up") << terminal << zoho << "100.005" << "sent" << "card" << "" << "card" << 10001 << 10001 << true;
        QTest::newRow("cash") << terminal << zoho << "100" << "sent" << "cash" << "120.50" << "cash" << 10000 << 12050 << true;
        QTest::newRow("register") << reg << zoho << "50" << "sent" << "card" << "80" << "register" << 5000 << 0 << true;
        QTest::newRow("daily import") << reg << daily << "50" << "sent" << "cash" << "" << "register" << 5000 << 0 << false;
        QTest::newRow("cash short") << terminal << zoho << "100" << "sent" << "cash" << "abc" << "" << 0 << 0 << true;
        QTest::newRow("draft quote") << terminal << zoho << "100" << "draft" << "card" << "" << "" << 0 << 0 << true;
    }
    void requestAmounts()
    {
        QFETCH(QString, route);
        QFETCH(QString, mode);
        QFETCH(QString, total);
        QFETCH(QString, quoteStatus);
        QFETCH(QString, tender);
        QFETCH(QString, cash);
        QFETCH(QString, sentTender);
        RecordingServer server;
        server.on("POST", "/api/checkouts", {200, encode(transaction(QStringLiteral("X"), QStringLiteral("complete")), KeyStyle::Wire)});
        Workspace ws(server.base());
        putQuote(ws, total, quoteStatus);
        ws.enablePayments(route, mode);

        run(ws->checkoutPart()->startCheckout(tender, cash));
        QCOMPARE(bool(ws->error()), sentTender.isEmpty());
        if (sentTender.isEmpty()) {
            QCOMPARE(server.requests().size(), 0);
            QVERIFY(!ws->draft().pendingCheckout);
            return;
        }
        QCOMPARE(server.count("POST", QStringLiteral("/api/checkouts")), 1);
        const QJsonObject body = server.bodies("POST", QStringLiteral("/api/checkouts")).first();
        QCOMPARE(body.value("request_id").toString(), ws->draft().checkoutRequestId);
        QCOMPARE(body.value("quote_id").toString(), QStringLiteral("Q1"));
        QCOMPARE(body.value("tender").toString(), sentTender);
        QTEST(body.value("expected_cents").toInt(), "expectedCents");
        QTEST(body.value("cash_cents").toInt(), "cashCents");
        QTEST(body.value("hold").toBool(), "hold");
    }

    // Final statuses end the pending request and release the saved-work
    // entry; only a cancel gives the quote a new checkout request id. On the
    // way to paid, a gateway refuses the polls for a while and the poller rides it out.
    void checkoutReachesFinalStatus_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("paid, polls refused meanwhile") << false;
        QTest::newRow("canceled") << true;
    }
    void checkoutReachesFinalStatus()
    {
        QFETCH(bool, cancel);
        Standin standin;
        Workspace ws(standin.base());
        putSavedQuote(standin, ws);
        const int before = standin.server.counts().checkouts;
        const QString requestId = ws->draft().checkoutRequestId;
        run(ws->checkoutPart()->startCheckout(QStringLiteral("card"), QString()));
        QVERIFY2(!ws->error(), qPrintable(ws->error().value_or(QString())));
        QVERIFY(ws->draft().pendingCheckout);
        QTRY_COMPARE(ws->checkoutPart()->transaction()->status, QStringLiteral("awaiting_payment"));
        if (!cancel) {
            standin.server.injectFault({"GET", QStringLiteral("/api/checkouts/") + requestId, standin::StandinFault::Kind::BadGateway, 0, 5});
            QTRY_VERIFY(ws->notice());
            QVERIFY(!ws->error());
            QCOMPARE(ws->checkoutPart()->transaction()->status, QStringLiteral("awaiting_payment"));
        }

        // The workspace came back from the saved-work list at a restart.
        ws->saveArchivedRequests({ArchivedWorkspaceRequest{newUuidString(), 1.0, ws->draft(), {}}});
        ws->restoreWorkspace();
        QVERIFY(ws->activeArchiveID());

        if (cancel) run(ws->checkoutPart()->cancelCheckout(*ws->checkoutPart()->transaction()));
        else QVERIFY(standin.server.pay(requestId));
        const QString final = cancel ? QStringLiteral("canceled") : QStringLiteral("complete");
        QTRY_COMPARE(ws->checkoutPart()->transaction()->status, final);
        QCOMPARE(standin.server.checkout(requestId)->status, final);
        QVERIFY(!ws->draft().pendingCheckout);
        QVERIFY(!ws->activeArchiveID());
        QVERIFY(ws->loadArchivedRequests().isEmpty());
        QCOMPARE(ws->draft().checkoutRequestId != requestId, cancel);
        QCOMPARE(standin.server.counts().checkouts, before + 1);
    }

    // The server made the checkout but the reply was lost: starting again
    // re-sends the stored request, not one with today's choices, and a start
    // asking for another tender is refused rather than sent as stored.
    void lostReplyResendsTheStoredRequest()
    {
        Standin standin;
        Workspace ws(standin.base());
        putSavedQuote(standin, ws);
        const int before = standin.server.counts().checkouts;
        // Two: the network stack re-sends once by itself on a reused connection.
        standin.server.injectFault({"POST", QStringLiteral("/api/checkouts"), standin::StandinFault::Kind::BadGatewayAfterCommit, 0, 2});
        run(ws->checkoutPart()->startCheckout(QStringLiteral("card"), QString()));
        QVERIFY(ws->error());
        QVERIFY(!ws->checkoutPart()->transaction());
        const CheckoutRequest stored = *ws->draft().pendingCheckout;
        standin.server.clearFaults();

        Draft draft = ws->draft();
        draft.hold = !draft.hold;
        ws->setDraft(draft);
        const int sends = standin.front.count("POST", QStringLiteral("/api/checkouts"));
        run(ws->checkoutPart()->startCheckout(QStringLiteral("cash"), QStringLiteral("999")));
        QVERIFY(ws->error());
        QCOMPARE(standin.front.count("POST", QStringLiteral("/api/checkouts")), sends);
        run(ws->checkoutPart()->startCheckout(QStringLiteral("card"), QString()));
        QVERIFY2(!ws->error(), qPrintable(ws->error().value_or(QString())));
        QCOMPARE(*ws->draft().pendingCheckout, stored);
        QCOMPARE(standin.server.counts().checkouts, before + 1);
        QCOMPARE(standin.server.checkout(stored.requestId)->hold, stored.hold);
        QCOMPARE(ws->checkoutPart()->transaction()->id, stored.requestId);
        QVERIFY(ws->checkoutPart()->poller());
    }

    // A recovery reply the draft cannot trust keeps the saved request; one
    // about a request that is no longer pending changes nothing at all. A
    // start that never arrived leaves the quote linked while the server still
    // holds it open as saved; otherwise the items are unlinked for a new quote.
    // A quote fetch that got no answer decides nothing: the request stays.
    // The log names the request and what became of it, never the customer.
    void recoveryOutcome_data()
    {
        QTest::addColumn<Reply>("recovered");
        QTest::addColumn<bool>("stale");
        QTest::addColumn<Reply>("quote");
        QTest::addColumn<QString>("ending"); // refused, followed, kept, kept on the next check or unlinked
        QTest::addColumn<QString>("logged"); // the last line's outcome; empty: no line
        const auto quote = [](const QString &status, const QString &total) {
            return Reply{200, encode(Quote{.id = QStringLiteral("Q1"), .number = QStringLiteral("QT-1"),
                                           .status = status, .total = total},
                                     KeyStyle::Wire)};
        };
        const Reply aborted = recovery("R1", "aborted", true);
        const Reply made{200, R"({"request_id":"R1","quote_id":"Q1","state":"transaction","safe_to_clear":false,)"
                              R"("message":"","transaction":)" +
                                  encode(transaction(QStringLiteral("R1"), QStringLiteral("awaiting_payment")),
                                         KeyStyle::Wire) +
                                  "}"};
        const QString never = QStringLiteral("never made it"), unknown = QStringLiteral("still unknown");
        QTest::newRow("other request") << recovery("OTHER", "aborted", true) << false << Reply() << "refused" << unknown;
        QTest::newRow("answer for an older request") << aborted << true << Reply() << "refused" << "";
        QTest::newRow("made, reply lost") << made << false << Reply() << "followed" << "had made it";
        QTest::newRow("open and unchanged") << aborted << false << quote(QStringLiteral("sent"), QStringLiteral("10")) << "kept" << never;
        QTest::newRow("accepted meanwhile") << aborted << false << quote(QStringLiteral("accepted"), QStringLiteral("10.00"))
                                            << "kept" << never;
        QTest::newRow("invoiced elsewhere") << aborted << false << quote(QStringLiteral("invoiced"), QStringLiteral("10"))
                                            << "unlinked" << never;
        QTest::newRow("total changed") << aborted << false << quote(QStringLiteral("sent"), QStringLiteral("12")) << "unlinked" << never;
        QTest::newRow("gone") << aborted << false << Reply{404, encode(APIError{QStringLiteral("No such quote.")}, KeyStyle::Wire)}
                              << "unlinked" << never;
        QTest::newRow("open, its fetch met a 502 first") << aborted << false << quote(QStringLiteral("sent"), QStringLiteral("10"))
                                                         << "kept on the next check" << never;
    }
    void recoveryOutcome()
    {
        QFETCH(Reply, recovered);
        QFETCH(bool, stale);
        QFETCH(Reply, quote);
        QFETCH(QString, ending);
        QFETCH(QString, logged);
        recovered.hold = stale;
        LogCapture log("vantrel.workflow");
        RecordingServer server;
        server.on("POST", "/api/checkouts/recover-request", recovered);
        const bool unansweredFirst = ending == QLatin1String("kept on the next check");
        server.on("GET", "/api/quotes/Q1", unansweredFirst ? Reply::badGateway() : quote);
        Workspace ws(server.base());
        putQuote(ws, QStringLiteral("10"), QStringLiteral("sent"));
        Draft draft = ws->draft();
        draft.customer = Customer{.id = QStringLiteral("C1"), .name = QStringLiteral("Payer")};
        draft.pendingCheckout = CheckoutRequest{QStringLiteral("R1"), QStringLiteral("Q1"), 1000, QStringLiteral("card"), 1000, false};
        ws->setDraft(draft);
        if (unansweredFirst) {
            run(ws->checkoutPart()->resumeCheckout());
            QVERIFY(ws->error() && ws->error()->contains(resumeAction::checkSavedRequest));
            QCOMPARE(ws->draft(), draft);
            QCOMPARE(log.containing(QStringLiteral("checkout request R1 outcome still unknown")).size(), 1);
            server.on("GET", "/api/quotes/Q1", quote);
        }

        // The screens resume through the busy operation; the stale answer is raced directly.
        auto recovering = start(stale ? ws->checkoutPart()->recoverCheckoutRequest() : ws->checkoutPart()->resumeCheckout());
        if (stale) {
            QTRY_COMPARE(server.held(), 1);
            draft.pendingCheckout->hold = true;
            ws->setDraft(draft);
            server.release();
        }
        QTRY_VERIFY(recovering->done);
        if (logged.isEmpty()) {
            QCOMPARE(log.lines(), QStringList());
        } else {
            QVERIFY(!log.lines().isEmpty());
            QVERIFY2(log.lines().last().startsWith(QLatin1String("checkout request R1 ")), qPrintable(log.lines().last()));
            QVERIFY2(log.lines().last().contains(logged), qPrintable(log.lines().last()));
        }
        QCOMPARE(log.containing(QStringLiteral("Payer")), QStringList());
        if (ending == QLatin1String("followed")) {
            QVERIFY(ws->checkoutPart()->transaction());
            QCOMPARE(ws->checkoutPart()->transaction()->id, QStringLiteral("R1"));
            return;
        }
        if (ending == QLatin1String("refused")) {
            QCOMPARE(bool(ws->error()), !stale);
            QVERIFY(!ws->notice());
            QCOMPARE(ws->draft(), draft);
            return;
        }
        const bool kept = ending != QLatin1String("unlinked");
        QVERIFY2(!ws->error(), qPrintable(ws->error().value_or(QString())));
        QVERIFY(!ws->draft().pendingCheckout);
        QVERIFY(ws->draft().checkoutRequestId != QLatin1String("R1"));
        QVERIFY(ws->draft().customer);
        QCOMPARE(ws->draft().saved.has_value(), kept);
        QCOMPARE(ws->draft().dirty, !kept);
        QCOMPARE(ws->checkoutPart()->canStartCheckout(), kept);
        QVERIFY(ws->notice());
    }

    // A reply about a transaction that is no longer the shown one leaves the
    // shown one alone: the poll's, a resume's and a cancel's alike.
    void replyForAnotherTransactionIsDropped_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("status");
        QTest::newRow("poll") << QByteArray("GET") << QStringLiteral("/api/checkouts/T1") << "complete";
        QTest::newRow("resume") << QByteArray("POST") << QStringLiteral("/api/checkouts/T1/resume") << "complete";
        QTest::newRow("cancel") << QByteArray("POST") << QStringLiteral("/api/checkouts/T1/cancel") << "canceled";
    }
    void replyForAnotherTransactionIsDropped()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(QString, status);
        RecordingServer server;
        Reply final{200, encode(transaction(QStringLiteral("T1"), status), KeyStyle::Wire)};
        final.hold = true;
        server.on(method, path, final);
        Workspace ws(server.base());
        ws.signIn();
        const CheckoutTransaction first = transaction(QStringLiteral("T1"), QStringLiteral("awaiting_payment"));
        ws->checkoutPart()->watch(first);
        std::shared_ptr<Outcome<void>> acting;
        if (method == "POST")
            acting = start(path.endsWith(QLatin1String("cancel")) ? ws->checkoutPart()->cancelCheckout(first)
                                                                  : ws->checkoutPart()->resume(first));
        QTRY_COMPARE(server.held(), 1);
        const CheckoutTransaction other = transaction(QStringLiteral("T2"), QStringLiteral("awaiting_payment"));
        ws->checkoutPart()->watch(other);
        server.release();
        if (acting) QTRY_VERIFY(acting->done);
        // Long enough for several more polls if the poller had gone on.
        QTest::qWait(200);
        QCOMPARE(*ws->checkoutPart()->transaction(), other);
        QCOMPARE(server.count(method, path), 1);
    }
};

QTEST_MAIN(CheckoutFlowTest)
#include "tst_checkout_flow.moc"
