// The actions after payment: hold and release on the stand-in server,
// receipts, printing through a recording print service, and the next sale.
#include "CheckoutFlowSupport.h"

using namespace vantrel;
using namespace checkoutsupport;

class PostPaymentTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { releaseLoopbacks(); }

    void holdAndReceiptOnTheServer_data()
    {
        QTest::addColumn<bool>("demo");
        QTest::addColumn<QString>("notice");
        QTest::newRow("demo session") << true << "Demo receipt request completed. No physical receipt was printed.";
        QTest::newRow("real session") << false << "Receipt requested on Square Terminal.";
    }

    void holdAndReceiptOnTheServer()
    {
        QFETCH(bool, demo);
        StandinModel s;
        QVERIFY(s.start(0));
        s.model->adoptSession(Session{s.model->api().token(), s.model->session()->user, demo});
        s.putSavedQuote();
        run(s.model->checkoutPart()->startCheckout(QStringLiteral("card"), QString()));
        QTRY_COMPARE(s.model->checkoutPart()->transaction()->status, QStringLiteral("complete"));
        const QString id = s.model->checkoutPart()->transaction()->id;

        for (bool hold : {true, false}) {
            run(s.model->checkoutPart()->setHold(hold));
            QVERIFY2(!s.model->error(), qPrintable(s.model->error().value_or(QString())));
            QCOMPARE(s.model->checkoutPart()->transaction()->hold, hold);
            QCOMPARE(s.server.checkout(id)->hold, hold);
        }
        // Two taps are two requests: each carries its own id.
        run(s.model->checkoutPart()->requestReceipt());
        run(s.model->checkoutPart()->requestReceipt());
        QTEST(s.model->notice().value_or(QString()), "notice");
        QCOMPARE(s.server.counts().receipts, 2);
    }

    void nullHoldReplyClearsTheTransaction()
    {
        LoopbackServer &server = loopback();
        server.on("PUT", "/api/checkouts/T1/hold", {200, "null"});
        SignedInModel m;
        m.open(server.base(), QStringLiteral("t"), QStringLiteral("Avery"));
        m.model->checkoutPart()->watch(transactionNamed(QStringLiteral("T1"), QStringLiteral("complete")));
        run(m.model->checkoutPart()->setHold(true));
        QVERIFY(!m.model->error());
        QVERIFY(!m.model->checkoutPart()->transaction());
    }

    void printing_data()
    {
        QTest::addColumn<bool>("invoice");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("window");
        QTest::addColumn<QString>("jobName"); // empty: nothing reaches the dialog
        QTest::addColumn<QString>("error");
        const QByteArray pdf = pdfBytes(2);
        const QByteArray errorPage = "<html><body>Zoho is down</body></html>";
        QTest::newRow("quote") << false << pdf << true << "QT-1" << "";
        QTest::newRow("invoice without number") << true << pdf << true << "Paid invoice" << "";
        QTest::newRow("error page as quote") << false << errorPage << true << "" << "Zoho did not return a printable PDF.";
        QTest::newRow("truncated invoice") << true << pdf.left(pdf.size() / 2) << true << ""
                                           << "Zoho did not return a printable PDF.";
        QTest::newRow("no window") << true << pdf << false << "" << "Unable to present the print dialog.";
    }

    void printing()
    {
        QFETCH(bool, invoice);
        QFETCH(QByteArray, reply);
        QFETCH(bool, window);
        QFETCH(QString, jobName);
        LoopbackServer &server = loopback();
        server.on("GET", "/api/quotes/Q1/pdf", {200, reply});
        server.on("GET", "/api/checkouts/T1/pdf", {200, reply});
        SignedInModel m;
        m.open(server.base(), QStringLiteral("t"), QStringLiteral("Avery"));
        m.printer.windowAvailable = window;
        Draft draft = m.model->draft();
        draft.saved = Quote{};
        draft.saved->id = QStringLiteral("Q1");
        draft.saved->number = QStringLiteral("QT-1");
        m.model->setDraft(draft);
        m.model->checkoutPart()->watch(transactionNamed(QStringLiteral("T1"), QStringLiteral("complete")));

        run(invoice ? m.model->checkoutPart()->printInvoicePDF() : m.model->checkoutPart()->printQuotePDF());
        QTEST(m.model->error().value_or(QString()), "error");
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(m.printer.jobs.size(), jobName.isEmpty() ? 0 : 1);
        if (jobName.isEmpty()) return;
        QCOMPARE(m.printer.jobs.first().jobName, jobName);
        QCOMPARE(m.printer.jobs.first().document, reply);
    }

    void startNextSale_data()
    {
        QTest::addColumn<QString>("status"); // empty: no transaction shown
        QTest::addColumn<bool>("pendingSave");
        QTest::addColumn<bool>("refused");
        QTest::newRow("live") << "awaiting_payment" << false << true;
        QTest::newRow("paid, syncing") << "paid_sync_pending" << false << true;
        QTest::newRow("complete") << "complete" << false << false;
        QTest::newRow("canceled") << "canceled" << false << false;
        QTest::newRow("pending save, nothing shown") << "" << true << true;
    }

    void startNextSale()
    {
        QFETCH(QString, status);
        QFETCH(bool, pendingSave);
        QFETCH(bool, refused);
        SignedInModel m;
        m.open(QStringLiteral("http://127.0.0.1:9"), QStringLiteral("t"), QStringLiteral("Avery"));
        const Draft draft = pendingSave ? testsupport::draftWithPendingSave() : [] {
            Draft d = Draft::make();
            d.customer = testsupport::customer(QStringLiteral("C1"));
            return d;
        }();
        m.model->setDraft(draft);
        if (!status.isEmpty()) m.model->checkoutPart()->watch(transactionNamed(QStringLiteral("T1"), status));

        m.model->checkoutPart()->startNextSale();
        if (refused) {
            QCOMPARE(m.model->error().value_or(QString()),
                     QStringLiteral("Resume the pending operation before starting a new sale."));
            QCOMPARE(m.model->draft(), draft);
            return;
        }
        QVERIFY(!m.model->error());
        QVERIFY(!m.model->checkoutPart()->transaction());
        QVERIFY(!m.model->draft().customer);
        QCOMPARE(m.model->historyPart()->transactions().value(0).id, QStringLiteral("T1"));
    }
};

QTEST_MAIN(PostPaymentTest)
#include "tst_post_payment.moc"
