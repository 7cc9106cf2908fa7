// The actions after payment: receipts on the stand-in server, a hold's null
// reply, printing through the recording printer, and the next sale.
#include "Workspace.h"

#include <QTest>
#include <QThread>

using namespace vantrel;
using namespace vantrel::testing;

class PostPaymentTest : public QObject {
    Q_OBJECT

private slots:
    void receiptsOnTheServer_data()
    {
        QTest::addColumn<bool>("demo");
        QTest::newRow("demo session") << true;
        QTest::newRow("real session") << false;
    }
    void receiptsOnTheServer()
    {
        QFETCH(bool, demo);
        standin::StandinOptions options;
        options.autoPayMs = 0;
        Standin standin(options);
        Workspace ws(standin.base());
        ws.signIn(standin.user, standin.server.issueToken(standin.user), demo);
        ws.enablePayments();
        const NewCustomerResponse owner = standin.newCustomer(QStringLiteral("Paid"));
        QVERIFY(finish(ws->quotePart()->openQuote(standin.newQuote(owner).id, owner.customer)));
        run(ws->checkoutPart()->startCheckout(QStringLiteral("card"), QString()));
        QTRY_COMPARE(ws->checkoutPart()->transaction()->status, QStringLiteral("complete"));
        // (Holding and releasing, the client showing what the server holds:
        // tst_fault_matrix's hold rows.) Two taps are two receipts, each with its own id.
        run(ws->checkoutPart()->requestReceipt());
        run(ws->checkoutPart()->requestReceipt());
        QCOMPARE(ws->notice().value_or(QString()).startsWith(QLatin1String("Demo")), demo);
        QCOMPARE(standin.server.counts().receipts, 2);
    }

    void nullHoldReplyClearsTheTransaction()
    {
        RecordingServer server;
        server.on("PUT", "/api/checkouts/T1/hold", {200, "null"});
        Workspace ws(server.base());
        ws.signIn();
        ws->checkoutPart()->watch(transaction(QStringLiteral("T1"), QStringLiteral("complete")));
        run(ws->checkoutPart()->setHold(true));
        QVERIFY(!ws->error());
        QVERIFY(!ws->checkoutPart()->transaction());
    }

    void printing_data()
    {
        QTest::addColumn<bool>("invoice");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("window");
        QTest::addColumn<QString>("jobName"); // empty: nothing reaches the dialog, an error is shown
        QTest::addColumn<qint64>("announced"); // a Content-Length claimed instead of the reply's
        const QByteArray pdf = pdfBytes(2);
        QTest::newRow("quote") << false << pdf << true << "QT-1" << 0ll;
        QTest::newRow("invoice without number") << true << pdf << true << "Paid invoice" << 0ll;
        QTest::newRow("error page as quote") << false << QByteArray("<html><body>Zoho is down</body></html>") << true << "" << 0ll;
        QTest::newRow("no window") << true << pdf << false << "" << 0ll;
        QTest::newRow("poster page") << true << posterPdfBytes() << true << "" << 0ll;
        QTest::newRow("over the size limit") << false << pdf << true << "" << replyLimit::document + 1;
    }
    void printing()
    {
        QFETCH(bool, invoice);
        QFETCH(QByteArray, reply);
        QFETCH(bool, window);
        QFETCH(QString, jobName);
        QFETCH(qint64, announced);
        RecordingServer server;
        Reply answer{200, reply};
        if (announced) answer.headers = {{"Content-Length", QByteArray::number(announced)}};
        server.on("GET", "/api/quotes/Q1/pdf", answer);
        server.on("GET", "/api/checkouts/T1/pdf", answer);
        Workspace ws(server.base());
        ws.signIn();
        ws.printer.windowAvailable = window;
        Draft draft = ws->draft();
        draft.saved = Quote{.id = QStringLiteral("Q1"), .number = QStringLiteral("QT-1")};
        ws->setDraft(draft);
        ws->checkoutPart()->watch(transaction(QStringLiteral("T1"), QStringLiteral("complete")));

        run(invoice ? ws->checkoutPart()->printInvoicePDF() : ws->checkoutPart()->printQuotePDF());
        QCOMPARE(bool(ws->error()), jobName.isEmpty());
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(ws.printer.jobs.size(), jobName.isEmpty() ? 0 : 1);
        // Opening the PDF may wait on the PDF library's lock: never on the main thread.
        QVERIFY(ws.printer.checkedOn != QThread::currentThread());
        QCOMPARE(ws.printer.checkedOn == nullptr, bool(announced));
        if (jobName.isEmpty()) return;
        QCOMPARE(ws.printer.jobs.first().jobName, jobName);
        QCOMPARE(ws.printer.jobs.first().document, reply);
    }

    void startNextSale_data()
    {
        QTest::addColumn<QString>("status"); // empty: no transaction shown
        QTest::addColumn<bool>("pendingSave");
        QTest::addColumn<bool>("refused");
        QTest::newRow("live") << "awaiting_payment" << false << true;
        QTest::newRow("paid, syncing") << "paid_sync_pending" << false << true;
        QTest::newRow("complete") << "complete" << false << false;
        QTest::newRow("pending save, nothing shown") << "" << true << true;
    }
    void startNextSale()
    {
        QFETCH(QString, status);
        QFETCH(bool, pendingSave);
        QFETCH(bool, refused);
        Workspace ws(QStringLiteral("http://127.0.0.1:9"));
        ws.signIn();
        Draft draft = pendingSave ? draftWithPendingSave() : Draft::make();
        if (!pendingSave) draft.customer = customer(QStringLiteral("C1"));
        ws->setDraft(draft);
        if (!status.isEmpty()) ws->checkoutPart()->watch(transaction(QStringLiteral("T1"), status));

        ws->checkoutPart()->startNextSale();
        QCOMPARE(bool(ws->error()), refused);
        if (refused) {
            QCOMPARE(ws->draft(), draft);
            return;
        }
        QVERIFY(!ws->checkoutPart()->transaction());
        QVERIFY(!ws->draft().customer);
        QCOMPARE(ws->historyPart()->transactions().value(0).id, QStringLiteral("T1"));
    }
};

QTEST_MAIN(PostPaymentTest)
#include "tst_post_payment.moc"
