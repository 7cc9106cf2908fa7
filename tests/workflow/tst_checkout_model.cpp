// The model against a loopback server: start-up from the stored session,
// browser sign-in, sign-out with the background logout, and the busy
// convention around resets (an operation cut off by sign-out shows nothing
// either: tst_refresh, catalogArrivingAfterSignOutIsDropped).
#include "Workspace.h"

#include <QCoroSignal>
#include <QDir>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

// Holds a busy operation until the test opens it.
class Gate : public QObject {
    Q_OBJECT
signals:
    void opened();
};

QCoro::Task<> waitThenFail(Gate *gate, QString failure)
{
    co_await qCoro(gate, &Gate::opened);
    if (!failure.isEmpty()) throw APIError{failure};
}

} // namespace

class CheckoutModelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<RecordingServer> m_server;
    std::unique_ptr<Workspace> m_ws;

    CheckoutModel &makeModel(bool preview = false)
    {
        if (preview)
            m_ws->services.build = CheckoutBuildConfiguration{true, m_server->base(), m_server->base(),
                                                              QStringLiteral("vantrelcheckout-pr7")};
        return m_ws->open();
    }

    // The server answers sign-in for this user with this token.
    void acceptSignIn(const QString &token, const QString &user)
    {
        m_ws->browser.setBehaviour(FakeBrowserSignIn::Behaviour::ReturnURL,
                                   QUrl(QStringLiteral("vantrelcheckout://auth?code=one-time")));
        m_server->on("POST", "/auth/exchange", {200, encode(Session{token, user, false}, KeyStyle::Storage)});
    }

private slots:
    void init()
    {
        m_server = std::make_unique<RecordingServer>();
        m_server->on("GET", "/api/me", {200, R"({"user":"alice","demo":false,"payments_enabled":true,)"
                                              R"("payment_route":"square_register","accounting_mode":"native_square_summary"})"});
        m_server->on("GET", "/api/checkouts", {200, R"({"checkouts":[]})"});
        m_server->on("GET", "/api/taxes", {200, R"({"taxes":[]})"});
        m_server->on("GET", "/api/catalog", {200, R"({"at":1700000000,"products":[]})"});
        m_server->on("POST", "/api/logout", {200, "{}"});
        m_ws = std::make_unique<Workspace>(m_server->base());
    }

    void cleanup()
    {
        m_ws.reset();
        m_server.reset();
    }

    void startWithoutUsableSessionStaysSignedOut_data()
    {
        QTest::addColumn<bool>("hasItem");
        QTest::addColumn<QByteArray>("item");
        QTest::newRow("no item") << false << QByteArray();
        QTest::newRow("not JSON") << true << QByteArray("token=abc");
        QTest::newRow("missing demo") << true << QByteArray(R"({"token":"t","user":"alice"})");
    }
    void startWithoutUsableSessionStaysSignedOut()
    {
        QFETCH(bool, hasItem);
        QFETCH(QByteArray, item);
        if (hasItem) m_ws->sessions.items.insert(m_server->base(), item);
        CheckoutModel &model = makeModel();
        run(model.start());
        QVERIFY(!model.session());
        QVERIFY(m_server->requests().isEmpty());
        QVERIFY(QDir(m_ws->storage()).entryList({QStringLiteral("draft-*")}).isEmpty());
        QCOMPARE(m_ws->sessions.items.value(m_server->base()), item); // left as it was
    }

    // A preview build stays on its pinned address and keeps no server setting.
    void serverRule_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("production takes any address") << false;
        QTest::newRow("preview stays pinned") << true;
    }
    void serverRule()
    {
        QFETCH(bool, preview);
        CheckoutModel &model = makeModel(preview);
        const QString other = QStringLiteral("https://elsewhere.example");
        model.setServer(other);
        QCOMPARE(model.server(), preview ? m_server->base() : other);
        model.setServer(m_server->base());
        acceptSignIn(QStringLiteral("t"), QStringLiteral("alice"));
        run(model.signIn());
        QVERIFY2(model.session(), qPrintable(model.error().value_or(QString())));
        QCOMPARE(m_ws->settings->contains(QStringLiteral("server")), !preview);
    }

    void signInSignOutAndBackAgain()
    {
        CheckoutModel &model = makeModel();
        acceptSignIn(QStringLiteral("first-token"), QStringLiteral("alice"));
        run(model.signIn());
        QVERIFY2(model.session(), qPrintable(model.error().value_or(QString())));
        QCOMPARE(model.api().token(), QStringLiteral("first-token"));

        Draft work = Draft::make();
        work.customer = customer(QStringLiteral("C1"));
        work.lines = {line(QStringLiteral("2"), QStringLiteral("3.50"))};
        model.setDraft(work);
        const QByteArray onDisk = fileBytes(m_ws->draftPath(QStringLiteral("alice")));
        m_ws->enablePayments(QStringLiteral("square_register"), QStringLiteral("native_square_summary"));

        model.signOut();
        QVERIFY(!model.session());
        QVERIFY(model.catalogPart()->products().isEmpty() && model.customersPart()->customers().isEmpty() && model.customersPart()->quotes().isEmpty() &&
                model.customersPart()->deals().isEmpty() && model.historyPart()->transactions().isEmpty() && model.historyPart()->archivedRequests().isEmpty());
        QVERIFY(!model.checkoutPart()->transaction());
        QCOMPARE(model.checkoutPart()->paymentRoute(), QStringLiteral("square_terminal"));
        QCOMPARE(model.checkoutPart()->accountingMode(), QStringLiteral("individual_zoho"));
        QVERIFY(!model.checkoutPart()->paymentsEnabled());
        QVERIFY(model.draft().lines.isEmpty() && !model.draft().customer);
        QCOMPARE(model.api().token(), QString());
        QCOMPARE(fileBytes(m_ws->draftPath(QStringLiteral("alice"))), onDisk);

        // The logout goes out with the token the user had.
        QTRY_COMPARE(m_server->count("POST", "/api/logout"), 1);
        for (const Request &request : m_server->requests())
            if (request.path == u"/api/logout") QCOMPARE(request.header("authorization"), QByteArray("Bearer first-token"));

        acceptSignIn(QStringLiteral("second-token"), QStringLiteral("alice"));
        run(model.signIn());
        QVERIFY2(model.session(), qPrintable(model.error().value_or(QString())));
        QCOMPARE(model.draft(), work);
        QCOMPARE(fileBytes(m_ws->draftPath(QStringLiteral("alice"))), onDisk);
    }

    void secondBusyOperationIsDropped()
    {
        CheckoutModel &model = makeModel();
        Gate gate;
        auto first = model.performBusy([&gate] { return waitThenFail(&gate, QStringLiteral("first failed")); });
        QVERIFY(model.busy());
        model.setError(QStringLiteral("shown before"));
        bool secondRan = false;
        const bool second = finish(model.performBusy([&secondRan, &gate] {
            secondRan = true;
            return waitThenFail(&gate, QString());
        }));
        QVERIFY(!second);
        QVERIFY(!secondRan);
        QCOMPARE(model.error().value_or(QString()), QStringLiteral("shown before"));
        emit gate.opened();
        QVERIFY(!finish(std::move(first)));
        QCOMPARE(model.error().value_or(QString()), QStringLiteral("first failed"));
        QVERIFY(!model.busy());
    }

    void staleBusyOperationLeavesSlotsAlone()
    {
        CheckoutModel &model = makeModel();
        m_ws->signIn(QStringLiteral("alice"));
        Gate stale, current;
        auto first = model.performBusy([&stale] { return waitThenFail(&stale, QStringLiteral("late failure")); });
        QVERIFY(model.resetWorkspace());
        QVERIFY(!model.busy());
        auto second = model.performBusy([&current] { return waitThenFail(&current, QString()); });
        QVERIFY(model.busy());
        emit stale.opened();
        QVERIFY(!finish(std::move(first)));
        QVERIFY(!model.error());
        QVERIFY(model.busy()); // still the second operation's
        emit current.opened();
        QVERIFY(finish(std::move(second)));
        QVERIFY(!model.busy());
    }

    void derivedValues_data()
    {
        QTest::addColumn<QString>("savedStatus"); // empty: no saved quote
        QTest::addColumn<bool>("dirty");
        QTest::addColumn<bool>("pendingSave");
        QTest::addColumn<QString>("transactionStatus"); // empty: none shown
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("canCheckout");
        QTest::newRow("sent and clean") << "sent" << false << false << "" << false << true;
        QTest::newRow("accepted but edited") << "accepted" << true << false << "" << false << false;
        QTest::newRow("draft status") << "draft" << false << false << "" << false << false;
        QTest::newRow("save pending") << "" << false << true << "" << true << false;
        QTest::newRow("live checkout") << "sent" << false << false << "awaiting_payment" << true << false;
        QTest::newRow("canceled checkout") << "sent" << false << false << "canceled" << false << true;
    }
    void derivedValues()
    {
        QFETCH(QString, savedStatus);
        QFETCH(bool, dirty);
        QFETCH(bool, pendingSave);
        QFETCH(QString, transactionStatus);
        CheckoutModel &model = makeModel();
        m_ws->enablePayments();
        Draft d = pendingSave ? draftWithPendingSave() : Draft::make();
        if (!savedStatus.isEmpty()) {
            d.saved = Quote{.status = savedStatus};
        }
        d.dirty = dirty;
        d.lines = {line(QStringLiteral("2"), QStringLiteral("3.50")), line(QStringLiteral("x"), QStringLiteral("10"))};
        model.setDraft(d);
        if (!transactionStatus.isEmpty()) {
            model.checkoutPart()->watch(CheckoutTransaction{.status = transactionStatus});
        }
        QTEST(model.editingLocked(), "locked");
        QTEST(model.canStartCheckout(), "canCheckout");
        QCOMPARE(model.draftSubtotal(), Decimal::parse(u"7.00").value());
    }
};

QTEST_GUILESS_MAIN(CheckoutModelTest)
#include "tst_checkout_model.moc"
