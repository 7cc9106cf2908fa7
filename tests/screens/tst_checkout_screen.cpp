// Whole sales on screen, in the real app window against the stand-in: the
// checkout sheet filled in and started by tap, the payment followed in the
// status view to its end, and the actions after payment. What counts is what
// the server holds afterwards: one checkout per sale, its hold, its receipt.
#include "ShellHarness.h"

#include "StandinServer.h"

#include "screens/CheckoutRules.h"
#include "server/Endpoints.h"

#include <QDesktopServices>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;
namespace ct = vantrel::screens::checkoutText;

namespace {

// Stands in for the browser: remembers the addresses it was asked to open.
class RecordingBrowser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// Cents as the decimal text a person types ("12.05").
QString typed(qint64 cents)
{
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString textOf(QQuickItem *item) { return item ? item->property("text").toString() : QString(); }

} // namespace

class CheckoutScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cardSaleToTheNextSale();
    void cashSaleGivesChange();
    void registerInvoiceCollected();
    void terminalRequestCanceledBeforePayment();
    void failedStartsKeepTheSheetOpen();

private:
    void open(standin::StandinOptions options);
    // A saved, sent quote of two products for the first customer; its total in cents.
    qint64 saveQuote();
    void tap(const QString &name);
    void openCheckoutSheet();
    QString startedCheckoutId();

    std::unique_ptr<standin::StandinServer> m_server;
    std::unique_ptr<ShellHarness> m_shell;
    std::unique_ptr<Workspace> m_workspace;
    RecordingBrowser m_browser;
    int m_checkoutsBefore = 0; // the demo data's own
};

void CheckoutScreen::init()
{
    m_browser.opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_browser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_browser, "open");
}

void CheckoutScreen::cleanup()
{
    m_shell.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_workspace.reset();
    m_server.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void CheckoutScreen::open(standin::StandinOptions options)
{
    options.seed = QStringLiteral("demo");
    options.stepDelayMs = 20;
    m_server = std::make_unique<standin::StandinServer>();
    QString problem;
    QVERIFY2(m_server->start(options, &problem), qPrintable(problem));
    // No photos: decoded photos outlive the window in the texture cache.
    m_server->injectFault({"GET", QStringLiteral("/api/items/"), standin::StandinFault::Kind::BadGateway, 0, 1 << 20});
    m_workspace = std::make_unique<Workspace>(m_server->baseUrl());
    m_workspace->storeSession(m_server->issueToken(QStringLiteral("Avery Demo")), QStringLiteral("Avery Demo"));
    m_workspace->services.pollInterval = std::chrono::milliseconds(100);
    m_shell = std::make_unique<ShellHarness>(*m_workspace);
    QVERIFY(m_shell->loaded());
    // Tall enough that the editor and the status view need no scrolling.
    m_shell->resize(1280, 1300);
    m_shell->actions().start();
    QTRY_VERIFY_WITH_TIMEOUT(m_shell->find("quoteEditor") != nullptr, 20000);
    QTRY_VERIFY(!m_shell->model().catalogPart()->products().isEmpty());
}

qint64 CheckoutScreen::saveQuote()
{
    CheckoutModel &model = m_shell->model();
    QCoro::waitFor(model.customersPart()->selectCustomer(m_server->customers().first()));
    const QList<Product> products = model.catalogPart()->products();
    model.quotePart()->addProduct(products.at(0));
    model.quotePart()->addProduct(products.at(1));
    QCoro::waitFor(model.quotePart()->saveQuote());
    if (!model.draft().saved) return -1;
    m_checkoutsBefore = m_server->counts().checkouts;
    return cents(model.draft().saved->total);
}

void CheckoutScreen::tap(const QString &name)
{
    m_shell->settle(); // layouts follow the last model change before positions are read
    QQuickItem *item = m_shell->find(name);
    QVERIFY2(item, qPrintable(name));
    QTRY_VERIFY2(item->isEnabled(), qPrintable(name + QStringLiteral(" is disabled")));
    reveal(item);
    m_shell->settle();
    m_shell->tap(item);
}

void CheckoutScreen::openCheckoutSheet()
{
    tap(QStringLiteral("checkoutButton"));
    QTRY_VERIFY(m_shell->object(QStringLiteral("paymentSheet"))->property("opened").toBool());
}

// Taps the sheet's main button and waits for the status view to take over.
QString CheckoutScreen::startedCheckoutId()
{
    tap(QStringLiteral("startCheckoutButton"));
    if (!QTest::qWaitFor([&] { return m_shell->find(QStringLiteral("paymentStatusView")) != nullptr; }, 20000))
        return {};
    const QObject *sheet = m_shell->object(QStringLiteral("paymentSheet"));
    if (sheet && sheet->property("opened").toBool()) return QStringLiteral("sheet still open");
    return m_shell->model().checkoutPart()->transactionId();
}

void CheckoutScreen::cardSaleToTheNextSale()
{
    standin::StandinOptions options;
    options.autoPayMs = 50;
    open(options);
    if (QTest::currentTestFailed()) return;
    QVERIFY(saveQuote() > 0);
    openCheckoutSheet();
    if (QTest::currentTestFailed()) return;
    QCOMPARE(textOf(m_shell->find("checkoutSheetTitle")), ct::collectPayment.toString());
    QVERIFY(m_shell->find("tenderPicker"));
    QVERIFY(!m_shell->find("registerTenderText"));
    QCOMPARE(textOf(m_shell->find("startCheckoutButton")), ct::sendToTerminal.toString());
    tap(QStringLiteral("holdToggle"));
    QVERIFY(m_shell->model().draft().hold);

    const QString id = startedCheckoutId();
    QVERIFY2(!id.isEmpty() && id != QLatin1String("sheet still open"), qPrintable(id));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(m_shell->find("statusLabel")), QStringLiteral("Transaction complete"), 20000);
    QCOMPARE(textOf(m_shell->find("tenderLine")), ct::squareTerminal.toString());
    QVERIFY(!m_shell->find("cancelCheckoutButton"));
    QVERIFY(!m_shell->find("receiptLinkButton"));

    tap(QStringLiteral("terminalReceiptButton"));
    QTRY_COMPARE(m_server->counts().receipts, 1);

    // The sale was started held: release it, then hold it again.
    QCOMPARE(textOf(m_shell->find("holdButton")), ct::releaseHold.toString());
    tap(QStringLiteral("holdButton"));
    QTRY_VERIFY(!m_server->checkout(id)->hold);
    QTRY_COMPARE(textOf(m_shell->find("holdButton")), ct::holdFulfillment.toString());
    tap(QStringLiteral("holdButton"));
    QTRY_VERIFY(m_server->checkout(id)->hold);

    tap(QStringLiteral("printInvoiceButton"));
    QTRY_COMPARE(m_workspace->printer.jobs.size(), qsizetype(1));
    QCOMPARE(m_workspace->printer.jobs.first().jobName, m_server->checkout(id)->invoiceNumber.value_or(QStringLiteral("Paid invoice")));
    QVERIFY(m_shell->find("invoicePdfButton"));

    tap(QStringLiteral("nextSaleButton"));
    QTRY_VERIFY(m_shell->find("quoteEditor"));
    QVERIFY(m_shell->find("emptyLines"));
    QVERIFY(!m_shell->model().draft().saved);
    QCOMPARE(m_server->counts().checkouts, m_checkoutsBefore + 1);
    QVERIFY2(!m_shell->model().error(), qPrintable(m_shell->model().error().value_or(QString())));
}

void CheckoutScreen::cashSaleGivesChange()
{
    open({});
    if (QTest::currentTestFailed()) return;
    const qint64 due = saveQuote();
    QVERIFY(due > 0);
    openCheckoutSheet();
    if (QTest::currentTestFailed()) return;
    tap(QStringLiteral("tenderCash"));
    QQuickItem *cash = m_shell->find("cashField");
    QVERIFY(cash);
    m_shell->tap(cash);
    // A dollar short: no change, and the button stays off even once confirmed.
    for (const QChar c : typed(due - 100)) QTest::keyClick(m_shell->window(), c.toLatin1());
    m_shell->settle();
    QCOMPARE(textOf(m_shell->find("changeDue")), screens::centsText(0));
    tap(QStringLiteral("cashConfirmedToggle"));
    QVERIFY(!m_shell->find("startCheckoutButton")->isEnabled());

    m_shell->tap(cash);
    QMetaObject::invokeMethod(cash, "selectAll");
    for (const QChar c : typed(due + 150)) QTest::keyClick(m_shell->window(), c.toLatin1());
    m_shell->settle();
    QCOMPARE(textOf(m_shell->find("changeDue")), screens::centsText(150));
    QCOMPARE(textOf(m_shell->find("startCheckoutButton")), ct::recordCashPayment.toString());

    const QString id = startedCheckoutId();
    QVERIFY2(!id.isEmpty() && id != QLatin1String("sheet still open"), qPrintable(id));
    QCOMPARE(textOf(m_shell->find("tenderLine")), ct::cashPayment.toString());
    QTRY_COMPARE_WITH_TIMEOUT(textOf(m_shell->find("statusLabel")), QStringLiteral("Transaction complete"), 20000);
    QCOMPARE(m_server->checkout(id)->cashCents, due + 150);
    QQuickItem *change = m_shell->find("changeGivenRow");
    QVERIFY(change);
    QVERIFY(m_shell->visibleTexts().contains(screens::centsText(150)));
    QCOMPARE(m_server->counts().checkouts, m_checkoutsBefore + 1);
}

void CheckoutScreen::registerInvoiceCollected()
{
    standin::StandinOptions options;
    options.paymentRoute = QStringLiteral("square_register");
    open(options);
    if (QTest::currentTestFailed()) return;
    QVERIFY(saveQuote() > 0);
    openCheckoutSheet();
    if (QTest::currentTestFailed()) return;
    QCOMPARE(textOf(m_shell->find("checkoutSheetTitle")), ct::prepareForRegister.toString());
    QVERIFY(!m_shell->find("tenderPicker"));
    QVERIFY(m_shell->find("registerTenderText"));
    QCOMPARE(textOf(m_shell->find("startCheckoutButton")), ct::prepareRegisterInvoice.toString());

    const QString id = startedCheckoutId();
    QVERIFY2(!id.isEmpty() && id != QLatin1String("sheet still open"), qPrintable(id));
    QTRY_COMPARE_WITH_TIMEOUT(m_shell->model().checkoutPart()->status(), QStringLiteral("awaiting_register_payment"),
                              20000);
    QTRY_COMPARE(m_shell->find("statusIcon")->property("symbol").toString(), QStringLiteral("creditcard"));
    QVERIFY(m_shell->find("registerInstructions"));
    QCOMPARE(textOf(m_shell->find("resumeButton")), ct::checkPayment.toString());
    QCOMPARE(textOf(m_shell->find("cancelCheckoutButton")), ct::cancelUnpaidInvoice.toString());

    QVERIFY(m_server->collect(id));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(m_shell->find("statusLabel")), QStringLiteral("Transaction complete"), 20000);
    QVERIFY(!m_shell->find("registerInstructions"));
    QVERIFY(m_shell->find("registerNote"));
    QVERIFY(!m_shell->find("terminalReceiptButton"));
    tap(QStringLiteral("receiptLinkButton"));
    QCOMPARE(m_browser.opened, QList<QUrl>{*m_server->checkout(id)->receiptLink()});
    QCOMPARE(m_server->counts().checkouts, m_checkoutsBefore + 1);
}

void CheckoutScreen::terminalRequestCanceledBeforePayment()
{
    open({});
    if (QTest::currentTestFailed()) return;
    QVERIFY(saveQuote() > 0);
    openCheckoutSheet();
    if (QTest::currentTestFailed()) return;
    const QString id = startedCheckoutId();
    QVERIFY2(!id.isEmpty() && id != QLatin1String("sheet still open"), qPrintable(id));
    QTRY_COMPARE_WITH_TIMEOUT(m_shell->model().checkoutPart()->status(), QStringLiteral("awaiting_payment"), 20000);
    QCOMPARE(textOf(m_shell->find("resumeButton")), ct::refreshAndResume.toString());
    tap(QStringLiteral("cancelCheckoutButton"));
    QTRY_VERIFY(m_shell->find("confirmButton"));
    QCOMPARE(textOf(m_shell->find("confirmationTitle")), ct::cancelTerminalTitle.toString());
    tap(QStringLiteral("confirmButton"));
    QTRY_COMPARE(m_server->checkout(id)->status, QStringLiteral("canceled"));
    QTRY_VERIFY(m_shell->find("quoteEditor"));
    QVERIFY(!m_shell->find("paymentStatusView"));
    QCOMPARE(m_server->counts().checkouts, m_checkoutsBefore + 1);
}

void CheckoutScreen::failedStartsKeepTheSheetOpen()
{
    open({});
    if (QTest::currentTestFailed()) return;
    QVERIFY(saveQuote() > 0);
    openCheckoutSheet();
    if (QTest::currentTestFailed()) return;
    // The server takes the request but the answer is lost.
    m_server->injectFault({"POST", QStringLiteral("/api/checkouts"), standin::StandinFault::Kind::BadGatewayAfterCommit});
    tap(QStringLiteral("startCheckoutButton"));
    QTRY_VERIFY(m_shell->find("errorCard"));
    QObject *sheet = m_shell->object(QStringLiteral("paymentSheet"));
    QVERIFY(sheet->property("opened").toBool());
    const QString id = m_shell->model().draft().pendingCheckout->requestId;
    m_shell->model().clearError();

    // Canceled meanwhile: the re-sent start answers with a canceled checkout,
    // which started nothing, so the sheet stays for a new attempt.
    QCoro::waitFor(CheckoutAPI::cancelCheckout(m_shell->model().api(), id));
    tap(QStringLiteral("startCheckoutButton"));
    QTRY_VERIFY(!m_shell->model().draft().pendingCheckout);
    m_shell->settle();
    QVERIFY(sheet->property("opened").toBool());
    QVERIFY(m_shell->find("quoteEditor"));
    QVERIFY(!m_shell->find("paymentStatusView"));
    QCOMPARE(m_server->counts().checkouts, m_checkoutsBefore + 1);
}

QTEST_MAIN(CheckoutScreen)
#include "tst_checkout_screen.moc"
