// Start-up from the stored session and its loads, re-attaching to a waiting checkout, failures of the account
// load and of the catalog, and the catalog loop's life.
#include "Workspace.h"

#include "server/Endpoints.h"
#include "workflow/CatalogPart.h"
#include "workflow/QuoteValidation.h"
#include "workflow/VisibleProducts.h"

#include <QCoroSignal>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {
const QString catalogPath = QStringLiteral("/api/catalog");
const QString checkoutsPath = QStringLiteral("/api/checkouts");
const QString recoverPath = QStringLiteral("/api/checkouts/recover-request");
} // namespace

// A keychain whose reads answer only when told to (a slow Secret Service).
class SlowKeychain : public QObject, public InMemorySessionStore {
    Q_OBJECT
public:
    QCoro::Task<std::optional<QByteArray>> read(QString account) override
    {
        co_await qCoro(this, &SlowKeychain::answer);
        if (!items.contains(account)) co_return std::nullopt;
        co_return items.value(account);
    }
signals:
    void answer();
};

class RefreshTest : public QObject {
    Q_OBJECT

private slots:
    // A saved quote's checkout comes back unless it was canceled or another
    // request of the draft is still open. (A pending start the server lists is
    // shown at once, without asking about it, and an unlisted one is asked
    // about: tst_fault_matrix, the reopened and the killed checkout starts.)
    void savedQuoteReattaches_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("pendingSave");
        QTest::addColumn<bool>("attached");
        QTest::newRow("live checkout") << false << false << true;
        QTest::newRow("canceled checkout") << true << false << false;
        QTest::newRow("save pending") << false << true << false;
    }
    void savedQuoteReattaches()
    {
        QFETCH(bool, cancel);
        QFETCH(bool, pendingSave);
        QFETCH(bool, attached);
        Standin backend;
        const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Saved"));
        const Quote quote = backend.newQuote(owner);
        const CheckoutTransaction tx = backend.startCheckout(backend.api, quote, QStringLiteral("card"));
        if (cancel) finish(CheckoutAPI::cancelCheckout(backend.api, tx.id));

        Workspace model(backend, Workspace::signedIn);
        Draft draft = model->draft();
        draft.customer = owner.customer;
        draft.saved = quote;
        if (pendingSave) draft.pendingSave = SaveQuoteRequest{draft.requestId, {}, owner.customer.id};
        model->setDraft(draft);
        finish(model->refreshAll());

        QCOMPARE(model->error(), std::nullopt);
        QCOMPARE(model->checkoutPart()->transaction().has_value(), attached);
        if (attached) QCOMPARE(model->checkoutPart()->transaction()->id, tx.id);
        QCOMPARE(backend.front.count("POST", recoverPath), 0);
    }

    void failingTransactionListStopsTheAccountLoad()
    {
        standin::StandinOptions options;
        options.paymentRoute = QStringLiteral("square_register");
        options.accountingMode = QStringLiteral("native_square_summary");
        bool failing = true; // outlives the server that asks it
        Standin backend(options);
        backend.front.setHandler([&failing](const Request &r) -> std::optional<Reply> {
            if (failing && r.path == checkoutsPath)
                return Reply{500, encode(APIError{QStringLiteral("Checkouts are unavailable.")}, KeyStyle::Wire)};
            return std::nullopt;
        });
        Workspace model(backend, Workspace::signedIn);
        finish(model->checkoutPart()->refreshAccount());

        const QString unavailable = QStringLiteral("Checkouts are unavailable.");
        QCOMPARE(model->error(), unavailable);
        QVERIFY(model->checkoutPart()->usesDailySquareImport());
        QVERIFY(model->catalogPart()->taxes().isEmpty());
        QCOMPARE(backend.front.count("GET", QStringLiteral("/api/taxes")), 0);
        QVERIFY(!model->busy());
        // The list says it did not load instead of loading for ever ...
        HistoryPart &history = *model->historyPart();
        QVERIFY(!history.loading() && !history.loaded());
        QCOMPARE(history.loadError(), unavailable);

        // ... until it does; a later failure keeps the list last loaded.
        failing = false;
        finish(history.refreshTransactions());
        QVERIFY(history.loaded() && history.loadError().isEmpty());
        const QList<CheckoutTransaction> listed = history.transactions();
        QVERIFY(!listed.isEmpty());
        failing = true;
        finish(history.refreshTransactions());
        QCOMPARE(history.loadError(), unavailable);
        QCOMPARE(history.transactions(), listed);
    }

    // A refused catalog keeps the one shown. An unchanged one must not rebuild
    // what hangs off the rows (search keys, spoken phrases); a replaced one
    // must, and stays searchable.
    // A catalog over its size limit is refused whether its length is
    // announced or only found out while it arrives, and the notice says why.
    void catalogRefresh_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body"); // empty: the stand-in's own, unchanged
        QTest::addColumn<qint64>("announced"); // a Content-Length claimed instead of the body's
        QTest::addColumn<int>("changes");     // -1: refused, -2: refused as too large
        const QByteArray emptied = R"({"at": 2, "products": []})";
        QTest::newRow("bad gateway") << 502 << QByteArray("<html>502</html>") << 0ll << -1;
        QTest::newRow("time out of range") << 200 << QByteArray(R"({"at": 1e300, "products": []})") << 0ll << -1;
        QTest::newRow("same catalog") << 200 << QByteArray() << 0ll << 0;
        QTest::newRow("emptied") << 200 << emptied << 0ll << 1;
        QTest::newRow("announced over the limit") << 200 << emptied << replyLimit::catalog + 1 << -2;
        // Valid JSON all through, so only its size can refuse it.
        QByteArray padded = R"({"at": 2, "products": [)" + QByteArray(replyLimit::catalog, ' ') + "]}";
        QTest::newRow("streamed over the limit") << 200 << padded << -1ll << -2;
    }
    void catalogRefresh()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(qint64, announced);
        QFETCH(int, changes);
        Standin backend;
        Workspace model(backend);
        finish(model->start());
        CatalogPart *catalog = model->catalogPart();
        const QList<Product> before = catalog->products();
        const auto at = catalog->catalogAt();
        catalog->visible()->setQuery(before.value(0).sku);
        QVERIFY(catalog->visible()->count() >= 1);

        if (!body.isEmpty()) {
            backend.front.setHandler([&](const Request &r) -> std::optional<Reply> {
                if (r.path != catalogPath) return std::nullopt;
                Reply reply{status, body};
                reply.unsized = announced < 0;
                if (announced > 0) reply.headers = {{"Content-Length", QByteArray::number(announced)}};
                return reply;
            });
        }
        if (changes < 0) model->setError(QStringLiteral("earlier"));
        QSignalSpy content(catalog, &CatalogPart::catalogContentChanged);
        QSignalSpy reset(catalog->productList(), &QAbstractItemModel::modelReset);
        finish(catalog->refreshCatalog());
        QVERIFY(!catalog->catalogBusy());
        QCOMPARE(content.count(), qMax(changes, 0));
        QCOMPARE(catalog->visible()->count() >= 1, changes <= 0);
        if (changes <= 0) QCOMPARE(reset.count(), 0);
        if (changes < 0) {
            QString notice = QString::fromUtf8(messages::catalogNotRefreshed);
            if (changes == -2)
                notice += u' ' + QString::fromStdString(ReplyTooLargeError(replyLimit::catalog).what());
            QCOMPARE(model->notice(), notice);
            QCOMPARE(model->error(), QStringLiteral("earlier"));
            QCOMPARE(catalog->products(), before);
            QCOMPARE(catalog->catalogAt(), at);
        }
    }

    void concurrentCatalogRefreshesMakeOneRequest()
    {
        Standin backend;
        Workspace model(backend, Workspace::signedIn);
        QCoro::Task<> first = model->catalogPart()->refreshCatalog();
        QCoro::Task<> second = model->catalogPart()->refreshCatalog();
        finish(std::move(second));
        finish(std::move(first));
        QCOMPARE(backend.front.count("GET", catalogPath), 1);
        QVERIFY(!model->catalogPart()->products().isEmpty());
    }

    void catalogArrivingAfterSignOutIsDropped()
    {
        Standin backend;
        Workspace model(backend, Workspace::signedIn);
        QCoro::Task<> refresh = model->catalogPart()->refreshCatalog();
        model->signOut();
        finish(std::move(refresh));
        QVERIFY(model->catalogPart()->products().isEmpty());
        QCOMPARE(model->notice(), std::nullopt);
    }

    void loopEndsAtSignOutAndRestartsAfterReset()
    {
        Standin backend;
        Workspace model(backend);
        model.services.catalogInterval = std::chrono::milliseconds(30);
        model.open();
        finish(model->start());
        QVERIFY(QTest::qWaitFor([&] { return backend.front.count("GET", catalogPath) >= 3; }, 5000));

        const std::optional<TaskHandle> before = model->catalogPart()->catalogTimer();
        QVERIFY(model->resetWorkspace());
        QVERIFY(before->isCancelled());
        QVERIFY(model->catalogPart()->catalogTimer() && !model->catalogPart()->catalogTimer()->isCancelled());
        const int atReset = backend.front.count("GET", catalogPath);
        QVERIFY(QTest::qWaitFor([&] { return backend.front.count("GET", catalogPath) >= atReset + 2; }, 5000));

        model->signOut();
        QTest::qWait(20); // a refresh already on the wire may still land
        const int atSignOut = backend.front.count("GET", catalogPath);
        QTest::qWait(200);
        QCOMPARE(backend.front.count("GET", catalogPath), atSignOut);
    }

    // A reset or reopen while the start-up loads are on the wire cuts them
    // off; what they had not loaded is loaded at once, and only once. The app
    // closing meanwhile ends them with it: nothing goes on to the next load.
    void resetDuringStartUpLoadsWhatIsMissing_data()
    {
        QTest::addColumn<bool>("reopen");
        QTest::addColumn<bool>("quit");
        QTest::newRow("reset") << false << false;
        QTest::newRow("reset, then reopen of the work it put aside") << true << false;
        QTest::newRow("app closed") << false << true;
    }
    void resetDuringStartUpLoadsWhatIsMissing()
    {
        QFETCH(bool, reopen);
        QFETCH(bool, quit);
        Standin backend;
        Workspace model(backend, Workspace::signedIn);
        Draft draft = model->draft();
        // A save that went out: the reset puts it aside, and it can be reopened.
        draft.pendingSave = SaveQuoteRequest{draft.requestId};
        model->setDraft(draft);
        model.open();
        bool holding = true;
        backend.front.setHandler([&](const Request &r) -> std::optional<Reply> {
            if (!holding || r.path != QLatin1String("/api/me")) return std::nullopt;
            Reply held = Reply::from(backend.server.handle(r));
            held.hold = true;
            return held;
        });
        const auto started = start(model->start());
        QTRY_COMPARE(backend.front.held(), 1);
        holding = false;
        if (quit) {
            model.model.reset();
            QVERIFY(started->done);
            return;
        }
        QVERIFY(model->resetWorkspace());
        QCOMPARE(model->historyPart()->archivedRequests().size(), 1);
        if (reopen) QVERIFY(model->reopenArchivedRequest(model->historyPart()->archivedRequests().first().id));
        backend.front.release();

        QTRY_VERIFY(started->done);
        QTRY_VERIFY(!model->busy() && model->catalogPart()->catalogAt() && !model->catalogPart()->taxes().isEmpty());
        QCOMPARE(model->error(), std::nullopt);
        QCOMPARE(model->catalogPart()->products(), backend.server.products());
        QVERIFY(!model->historyPart()->transactions().isEmpty());
        // Each load a reset or reopen cut off, and the one that finished.
        QCOMPARE(backend.front.count("GET", QStringLiteral("/api/me")), reopen ? 3 : 2);
        QCOMPARE(backend.front.count("GET", QStringLiteral("/api/taxes")), 1);
        QCOMPARE(backend.front.count("GET", catalogPath), 1);
        QVERIFY(model->catalogPart()->catalogTimer());
    }

    // Start-up from the stored session loads the account, the checkout
    // list, the taxes and the catalog, once, and an unreadable draft becomes
    // the notice. When the keychain answers while a browser sign-in waits, the
    // stored session wins and the browser is closed without an error.
    void startUpLoadsEverything_data()
    {
        QTest::addColumn<bool>("browserWaiting");
        QTest::newRow("stored session") << false;
        QTest::newRow("stored session during a browser sign-in") << true;
    }
    void startUpLoadsEverything()
    {
        QFETCH(bool, browserWaiting);
        standin::StandinOptions options;
        options.paymentRoute = QStringLiteral("square_register");
        Standin backend(options);
        Workspace model(backend);
        QDir().mkpath(model.storage());
        writeBytes(model.draftPath(model.user), "garbage");
        SlowKeychain keychain;
        keychain.items = model.sessions.items;
        if (browserWaiting) model.services.sessions = &keychain;
        model.open();
        model.browser.setBehaviour(FakeBrowserSignIn::Behaviour::Wait);
        const auto started = start(model->start());
        if (browserWaiting) {
            const auto signingIn = start(model->signIn());
            QVERIFY(model->busy() && model->signInWaiting());
            emit keychain.answer();
            QTRY_VERIFY(signingIn->done);
            QVERIFY(!signingIn->value.value_or(true));
        }
        QTRY_VERIFY(started->done);
        QVERIFY(model->signedIn() && !model->busy() && !model->signInWaiting());
        QCOMPARE(model->error(), std::nullopt);
        QCOMPARE(model->notice(), QString::fromUtf8(messages::draftUnreadable));
        QCOMPARE(model->checkoutPart()->paymentRoute(), QStringLiteral("square_register"));
        QVERIFY(model->checkoutPart()->paymentsEnabled());
        QCOMPARE(model->catalogPart()->taxes().size(), 3);
        QVERIFY(!model->historyPart()->transactions().isEmpty());
        QCOMPARE(model->catalogPart()->products(), backend.server.products());
        QVERIFY(model->catalogPart()->catalogAt());
        QCOMPARE(backend.front.count("GET", QStringLiteral("/api/me")), 1);
        QCOMPARE(backend.front.count("GET", catalogPath), 1); // and the loop it starts: loopEndsAtSignOut...
    }
};

QTEST_GUILESS_MAIN(RefreshTest)
#include "tst_refresh.moc"
