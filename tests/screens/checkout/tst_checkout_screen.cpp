// Sales on screen, in the real app window against the stand-in: the checkout
// sheet started by tap, the payment followed in the status view, and the
// actions after payment. What counts is what the server holds afterwards: one
// checkout per sale, its hold, its receipt. Captions are the rules' to decide.
#include "DemoApp.h"

#include "screens/checkout/CheckoutRules.h"
#include "screens/history/HistoryRules.h"
#include "server/Endpoints.h"

#include <QDesktopServices>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;
namespace ct = vantrel::screens::checkoutText;
namespace ht = vantrel::screens::historyText;

namespace {

// Stands in for the browser: remembers the addresses it was asked to open.
class RecordingBrowser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

QString textOf(QQuickItem *item) { return item ? item->property("text").toString() : QString(); }

QRectF sceneRect(const QQuickItem *item) { return item->mapRectToScene(QRectF(0, 0, item->width(), item->height())); }

// Empty when every check mark of the accounting checklist sits on the first
// line of its own row's text, and no mark stands outside a row; otherwise
// what is out of place.
QString checklistMisplaced(QQuickItem *checklist)
{
    if (!checklist) return QStringLiteral("no checklist");
    QList<QQuickItem *> rows;
    for (QQuickItem *mark : visibleBelow(checklist, "vantrel::SymbolImage")) {
        QQuickItem *row = mark->parentItem();
        while (row && row != checklist && !row->objectName().startsWith(QLatin1String("checklistRow-")) &&
               row->objectName() != QLatin1String("dealSyncRow"))
            row = row->parentItem();
        if (!row || row == checklist) return QStringLiteral("a mark outside every row");
        const QList<QQuickItem *> labels = visibleBelow(row, "QQuickText");
        if (labels.isEmpty()) return row->objectName() + QStringLiteral(": no text");
        const QRectF text = sceneRect(labels.first());
        const qreal firstLine = text.height() / qMax(1, labels.first()->property("lineCount").toInt());
        const QRectF drawn = sceneRect(mark);
        if (!sceneRect(row).contains(drawn) || qAbs(drawn.center().y() - (text.top() + firstLine / 2)) > 2 ||
            drawn.right() > text.left())
            return row->objectName() + QStringLiteral(" (") + textOf(labels.first()) + QStringLiteral("): mark at ") +
                   QString::number(drawn.y()) + QStringLiteral(", text at ") + QString::number(text.y());
        rows.append(row);
    }
    for (int i = 0; i < rows.size(); ++i)
        if (rows.indexOf(rows[i]) != i) return rows[i]->objectName() + QStringLiteral(": two marks");
    return {};
}

} // namespace

class CheckoutScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saleOnEachRoute_data();
    void saleOnEachRoute();
    void storedStartDecidesTheSheet_data();
    void storedStartDecidesTheSheet();
    void followedCheckoutKeepsTheDraft_data();
    void followedCheckoutKeepsTheDraft();
    void historyRetriesAndRemovesSavedWork();

private:
    void open(standin::StandinOptions options);
    // The checklist is laid out right now, and again after the window narrows.
    void checkChecklist(const QString &stage);
    void tap(const QString &name);
    void openCheckoutSheet();
    QString startedCheckoutId();
    // Follows a listed checkout from the Transactions sheet, answering its question if it asks.
    void follow(const QString &transactionId);
    // A whole card sale from a fresh draft; the completed checkout's id.
    QString completedCardSale();

    std::unique_ptr<DemoApp> m_app;
    RecordingBrowser m_browser;
    int m_checkoutsBefore = 0; // the demo data's own, counted at the start
};

void CheckoutScreen::init()
{
    m_browser.opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_browser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_browser, "open");
}

void CheckoutScreen::cleanup()
{
    m_app.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void CheckoutScreen::open(standin::StandinOptions options)
{
    m_app = std::make_unique<DemoApp>();
    // Tall enough that the editor and the status view need no scrolling.
    m_app->open({.server = options, .window = QSize(1280, 1300), .demoSession = false,
                 .pollInterval = std::chrono::milliseconds(100)});
    if (m_app->server) m_checkoutsBefore = m_app->server->counts().checkouts;
}

void CheckoutScreen::tap(const QString &name)
{
    QVERIFY2(m_app->shell->tapNamed(name), qPrintable(name + QStringLiteral(" is missing or disabled")));
}

void CheckoutScreen::checkChecklist(const QString &stage)
{
    m_app->shell->settle();
    QString misplaced = checklistMisplaced(m_app->shell->find(QStringLiteral("checklist")));
    QVERIFY2(misplaced.isEmpty(), qPrintable(stage + QStringLiteral(": ") + misplaced));
    const QSize wide = m_app->shell->window()->size();
    m_app->shell->resize(800, wide.height());
    if (QQuickItem *tab = m_app->shell->find(QStringLiteral("quoteTab"))) m_app->shell->tap(tab);
    m_app->shell->settle();
    misplaced = checklistMisplaced(m_app->shell->find(QStringLiteral("checklist")));
    m_app->shell->resize(wide.width(), wide.height());
    m_app->shell->settle();
    QVERIFY2(misplaced.isEmpty(), qPrintable(stage + QStringLiteral(", narrow: ") + misplaced));
}

void CheckoutScreen::openCheckoutSheet()
{
    tap(QStringLiteral("checkoutButton"));
    QTRY_VERIFY(m_app->shell->object(QStringLiteral("paymentSheet"))->property("opened").toBool());
}

// Taps the sheet's main button and waits for the status view to take over.
QString CheckoutScreen::startedCheckoutId()
{
    tap(QStringLiteral("startCheckoutButton"));
    if (!QTest::qWaitFor([&] { return m_app->shell->find(QStringLiteral("paymentStatusView")) != nullptr; }, 20000))
        return {};
    const QObject *sheet = m_app->shell->object(QStringLiteral("paymentSheet"));
    if (sheet && sheet->property("opened").toBool()) return QStringLiteral("sheet still open");
    return m_app->shell->model().checkoutPart()->transactionId();
}

// A whole sale on each route, with what each offers once paid: on the
// terminal the sale started held is released and held again and its invoice
// printed; on the register (with the daily import's checklist of two rows and
// a caption once complete) the Square receipt opens in the browser.
void CheckoutScreen::saleOnEachRoute_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("card on the terminal") << "square_terminal";
    QTest::newRow("register invoice, daily import") << "square_register";
}

void CheckoutScreen::saleOnEachRoute()
{
    QFETCH(QString, route);
    const bool reg = route == QLatin1String("square_register");
    standin::StandinOptions options;
    options.paymentRoute = route;
    if (reg) options.accountingMode = QStringLiteral("native_square_summary");
    open(options);
    if (QTest::currentTestFailed()) return;
    QVERIFY(m_app->saveQuote() > 0);
    openCheckoutSheet();
    if (QTest::currentTestFailed()) return;
    QCOMPARE(m_app->shell->find("tenderPicker") == nullptr, reg);
    QCOMPARE(m_app->shell->find("registerTenderText") != nullptr, reg);
    if (!reg) tap(QStringLiteral("holdToggle"));
    QCOMPARE(m_app->shell->model().draft().hold, !reg);

    const QString id = startedCheckoutId();
    QVERIFY2(!id.isEmpty() && id != QLatin1String("sheet still open"), qPrintable(id));
    const QString waiting = reg ? QStringLiteral("awaiting_register_payment") : QStringLiteral("awaiting_payment");
    QTRY_COMPARE_WITH_TIMEOUT(m_app->shell->model().checkoutPart()->status(), waiting, 20000);
    QCOMPARE(m_app->shell->find("registerInstructions") != nullptr, reg);
    checkChecklist(route + QStringLiteral(", waiting"));
    if (QTest::currentTestFailed()) return;
    QVERIFY(reg ? m_app->server->collect(id) : m_app->server->pay(id));
    QTRY_COMPARE_WITH_TIMEOUT(m_app->shell->model().checkoutPart()->status(), QStringLiteral("complete"), 20000);
    QTRY_COMPARE(textOf(m_app->shell->find("statusLabel")),
                 reg ? QStringLiteral("Square payment confirmed") : QStringLiteral("Transaction complete"));
    QCOMPARE(m_app->shell->find("checklistCaption") != nullptr, reg);
    checkChecklist(route + QStringLiteral(", complete"));
    if (QTest::currentTestFailed()) return;

    if (reg) {
        QVERIFY(m_app->shell->find("registerNote"));
        tap(QStringLiteral("receiptLinkButton"));
        QCOMPARE(m_browser.opened, QList<QUrl>{*m_app->server->checkout(id)->receiptLink()});
    } else {
        // The sale was started held: release it, then hold it again.
        QCOMPARE(textOf(m_app->shell->find("holdButton")), ct::releaseHold.toString());
        tap(QStringLiteral("holdButton"));
        QTRY_VERIFY(!m_app->server->checkout(id)->hold);
        QTRY_COMPARE(textOf(m_app->shell->find("holdButton")), ct::holdFulfillment.toString());
        tap(QStringLiteral("holdButton"));
        QTRY_VERIFY(m_app->server->checkout(id)->hold);
        tap(QStringLiteral("printInvoiceButton"));
        QTRY_COMPARE(m_app->workspace->printer.jobs.size(), qsizetype(1));
        QCOMPARE(m_app->workspace->printer.jobs.first().jobName,
                 m_app->server->checkout(id)->invoiceNumber.value_or(QStringLiteral("Paid invoice")));
    }
    QCOMPARE(m_app->server->counts().checkouts, m_checkoutsBefore + 1);
    QVERIFY2(!m_app->shell->model().error(), qPrintable(m_app->shell->model().error().value_or(QString())));
}

void CheckoutScreen::follow(const QString &transactionId)
{
    CheckoutModel &model = m_app->shell->model();
    QCoro::waitFor(model.historyPart()->loadTransactions());
    tap(QStringLiteral("transactionsButton"));
    QObject *sheet = m_app->shell->object(QStringLiteral("historySheet"));
    QTRY_VERIFY(sheet && sheet->property("opened").toBool());
    tap(QStringLiteral("transaction-") + transactionId);
    QObject *question = m_app->shell->object(QStringLiteral("followCheckoutConfirmation"));
    QVERIFY(question);
    QVERIFY(QTest::qWaitFor([&] {
        return model.checkoutPart()->transactionId() == transactionId || question->property("visible").toBool();
    }));
    if (question->property("visible").toBool()) QMetaObject::invokeMethod(question, "answer", Q_ARG(QVariant, true));
    QTRY_COMPARE(model.checkoutPart()->transactionId(), transactionId);
    QTRY_VERIFY(!sheet->property("visible").toBool());
}

QString CheckoutScreen::completedCardSale()
{
    if (m_app->saveQuote() <= 0) return {};
    openCheckoutSheet();
    const QString id = startedCheckoutId();
    if (!QTest::qWaitFor([&] { return m_app->shell->model().checkoutPart()->status() == QLatin1String("complete"); },
                         20000))
        return {};
    tap(QStringLiteral("nextSaleButton"));
    return id;
}

// The start's reply is lost after the server took it: the sheet shows the
// stored request and offers only to check it, and checking ends in the one
// checkout of the stored tender. Canceled meanwhile, the re-sent start
// answers with a canceled checkout, which started nothing, so the sheet
// stays for a new attempt. A stored card start is checked in the canceled
// row here and, from the status view, in the followed checkout's table.
void CheckoutScreen::storedStartDecidesTheSheet_data()
{
    QTest::addColumn<QString>("tender");
    QTest::addColumn<bool>("canceled");
    QTest::newRow("cash") << "cash" << false;
    QTest::newRow("card, canceled meanwhile") << "card" << true;
}

void CheckoutScreen::storedStartDecidesTheSheet()
{
    QFETCH(QString, tender);
    QFETCH(bool, canceled);
    standin::StandinOptions options;
    if (!canceled) options.autoPayMs = 50;
    open(options);
    if (QTest::currentTestFailed()) return;
    const qint64 due = m_app->saveQuote();
    QVERIFY(due > 0);
    openCheckoutSheet();
    if (QTest::currentTestFailed()) return;
    // The sheet goes with the editor once the status view takes the panel.
    QPointer<QObject> sheet = m_app->shell->object(QStringLiteral("paymentSheet"));
    if (tender == QLatin1String("cash")) {
        tap(QStringLiteral("tenderCash"));
        QQuickItem *field = m_app->shell->find(QStringLiteral("cashField"));
        QVERIFY(field);
        field->forceActiveFocus();
        for (const QChar c : amountFromCents(due + 500)) QTest::keyClick(m_app->shell->window(), c.toLatin1());
        tap(QStringLiteral("cashConfirmedToggle"));
    }
    m_app->server->injectFault({"POST", QStringLiteral("/api/checkouts"), standin::StandinFault::Kind::DropAfterCommit, 0, 2});
    tap(QStringLiteral("startCheckoutButton"));
    QTRY_VERIFY(m_app->shell->find("errorCard"));
    m_app->shell->model().clearError();
    QVERIFY(sheet->property("opened").toBool());
    const CheckoutRequest stored = *m_app->shell->model().draft().pendingCheckout;
    QCOMPARE(stored.tender, tender);

    // Nothing of the stored request can change on the sheet.
    m_app->shell->settle();
    QVERIFY(m_app->shell->find("frozenReason"));
    const QString other = tender == QLatin1String("cash") ? QStringLiteral("tenderCard") : QStringLiteral("tenderCash");
    QVERIFY(!m_app->shell->find(other)->isEnabled());
    QVERIFY(!m_app->shell->find("holdToggle")->isEnabled());
    QCOMPARE(textOf(m_app->shell->find("startCheckoutButton")), screens::editorText::checkSavedRequest.toString());

    if (canceled) {
        QCoro::waitFor(CheckoutAPI::cancelCheckout(m_app->shell->model().api(), stored.requestId));
        tap(QStringLiteral("startCheckoutButton"));
        QTRY_VERIFY(!m_app->shell->model().draft().pendingCheckout);
        m_app->shell->settle();
        QVERIFY(sheet->property("opened").toBool());
        QVERIFY(m_app->shell->find("quoteEditor"));
        QVERIFY(!m_app->shell->find("paymentStatusView"));
        QCOMPARE(m_app->server->counts().checkouts, m_checkoutsBefore + 1);
        return;
    }
    tap(QStringLiteral("startCheckoutButton"));
    QTRY_VERIFY(!sheet || !sheet->property("opened").toBool());
    QTRY_COMPARE_WITH_TIMEOUT(m_app->shell->model().checkoutPart()->status(), QStringLiteral("complete"), 20000);
    QCOMPARE(m_app->server->counts().checkouts, m_checkoutsBefore + 1);
    QCOMPARE(m_app->server->checkout(stored.requestId)->tender, tender);
    QCOMPARE(m_app->server->checkout(stored.requestId)->cashCents, stored.cashCents);
    QVERIFY(!m_app->shell->model().draft().pendingCheckout);
}

// A finished checkout followed from Transactions while the draft holds other
// work: the draft is never dropped, and its stored checkout request can be
// checked from the status view.
void CheckoutScreen::followedCheckoutKeepsTheDraft_data()
{
    QTest::addColumn<bool>("storedRequest");
    QTest::newRow("unsaved draft, then the next sale") << false;
    QTest::newRow("stored checkout request, checked from the status view") << true;
}

void CheckoutScreen::followedCheckoutKeepsTheDraft()
{
    QFETCH(bool, storedRequest);
    standin::StandinOptions options;
    options.autoPayMs = 50;
    open(options);
    if (QTest::currentTestFailed()) return;
    const QString earlier = completedCardSale();
    QVERIFY(!earlier.isEmpty());
    CheckoutModel &model = m_app->shell->model();
    QTRY_VERIFY(!model.checkoutPart()->hasTransaction());

    QString requestId;
    if (storedRequest) {
        QVERIFY(m_app->saveQuote() > 0);
        openCheckoutSheet();
        m_app->server->injectFault({"POST", QStringLiteral("/api/checkouts"), standin::StandinFault::Kind::DropAfterCommit, 0, 2});
        tap(QStringLiteral("startCheckoutButton"));
        QTRY_VERIFY(model.draft().pendingCheckout && !model.busy());
        requestId = model.draft().pendingCheckout->requestId;
        model.clearError();
        QObject *sheet = m_app->shell->object(QStringLiteral("paymentSheet"));
        QMetaObject::invokeMethod(sheet, "close");
        QTRY_VERIFY(!sheet->property("visible").toBool());
    } else {
        QCoro::waitFor(model.customersPart()->selectCustomer(m_app->server->customers().first()));
        model.quotePart()->addProduct(model.catalogPart()->products().at(0));
        model.quotePart()->addProduct(model.catalogPart()->products().at(1));
    }
    const Draft before = model.draft();
    const int checkouts = m_app->server->counts().checkouts;

    follow(earlier);
    if (QTest::currentTestFailed()) return;
    QTRY_VERIFY(m_app->shell->find("paymentStatusView"));
    QVERIFY(m_app->shell->find("backToDraftButton"));
    QCOMPARE(model.draft(), before);

    if (storedRequest) {
        // The next sale is refused while the request is stored, and the way on is on screen.
        tap(QStringLiteral("nextSaleButton"));
        QTRY_VERIFY(model.error());
        model.clearError();
        tap(QStringLiteral("checkSavedRequestButton"));
        QTRY_COMPARE(model.checkoutPart()->transactionId(), requestId);
        QTRY_COMPARE_WITH_TIMEOUT(model.checkoutPart()->status(), QStringLiteral("complete"), 20000);
        QVERIFY(!model.draft().pendingCheckout);
        QCOMPARE(m_app->server->counts().checkouts, checkouts);
        QVERIFY(m_app->server->checkout(requestId));
        return;
    }
    tap(QStringLiteral("nextSaleButton"));
    QTRY_VERIFY(!model.checkoutPart()->hasTransaction());
    QVERIFY(model.draft().lines.isEmpty());
    const QList<ArchivedWorkspaceRequest> saved = model.historyPart()->archivedRequests();
    QCOMPARE(saved.size(), qsizetype(1));
    QVERIFY(model.reopenArchivedRequest(saved.first().id));
    QCOMPARE(model.draft().lines, before.lines);
    QCOMPARE(model.draft().customer, before.customer);
}

// A failed refresh of the transactions keeps the list and offers "Try again";
// saved work goes only after a question that names it, and never while its
// request is open.
void CheckoutScreen::historyRetriesAndRemovesSavedWork()
{
    open({});
    if (QTest::currentTestFailed()) return;
    CheckoutModel &model = m_app->shell->model();
    Draft plain = Draft::make();
    plain.customer = Customer{QStringLiteral("c-ada"), QStringLiteral("Ada"), {}, {}, {}};
    plain.sourceNumber = QStringLiteral("QT-1");
    const QList<ArchivedWorkspaceRequest> saved{{QStringLiteral("plain"), 2.0, plain, {}},
                                                {QStringLiteral("save"), 1.0, draftWithPendingSave(), {}}};
    const QString requests = m_app->workspace->requestsPath(m_app->workspace->user);
    writeBytes(requests, encode(saved, KeyStyle::Storage));
    model.restoreWorkspace();

    m_app->server->injectFault({"GET", QStringLiteral("/api/checkouts"), standin::StandinFault::Kind::BadGateway});
    tap(QStringLiteral("transactionsButton"));
    QTRY_VERIFY(m_app->shell->find(QStringLiteral("retryTransactionsButton")));
    QCOMPARE(textOf(m_app->shell->find("transactionsPlaceholderText")), ht::transactionsNotRefreshed.toString());
    QVERIFY(!model.historyPart()->transactions().isEmpty());
    model.clearError();
    tap(QStringLiteral("retryTransactionsButton"));
    QTRY_VERIFY(!m_app->shell->find(QStringLiteral("transactionsPlaceholder")));

    // The open save request is refused with its reason, without a question.
    m_app->shell->tap(child(m_app->shell->find(QStringLiteral("savedWork-1")), QStringLiteral("removeSavedWorkButton")));
    QCOMPARE(model.error().value_or(QString()), QString::fromUtf8(messages::removePending));
    QVERIFY(!m_app->shell->object(QStringLiteral("removeSavedWorkConfirmation"))->property("opened").toBool());
    model.clearError();

    m_app->shell->tap(child(m_app->shell->find(QStringLiteral("savedWork-0")), QStringLiteral("removeSavedWorkButton")));
    QObject *question = m_app->shell->object(QStringLiteral("removeSavedWorkConfirmation"));
    QTRY_VERIFY(question->property("opened").toBool());
    QVERIFY(question->property("message").toString().contains(QStringLiteral("Saved draft \u00B7 Ada \u00B7 QT-1")));
    tap(QStringLiteral("confirmButton"));
    QTRY_COMPARE(model.historyPart()->archivedRequests().size(), qsizetype(1));
    QCOMPARE(model.loadArchivedRequests().first().id, QStringLiteral("save"));
}

QTEST_MAIN(CheckoutScreen)
#include "tst_checkout_screen.moc"
