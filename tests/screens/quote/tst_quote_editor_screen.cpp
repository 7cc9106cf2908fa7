// The quote editor driven as a person would, in the real app window against
// the stand-in: products tapped in the catalog, a quantity typed and stepped,
// a rate, a discount and a line tax changed, notes written, and the quote
// saved. What counts is what the server holds afterwards.
#include "DemoApp.h"

#include "server/Endpoints.h"
#include "workflow/KeptRequest.h"
#include "workflow/VisibleProducts.h"

#include <QCoroSignal>
#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

class QuoteEditorScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scansReachTheQuoteWhereverFocusIs();
    void buildAndSaveAQuote();
    void customerSheetChangesAndCreates();
    void numbersTypedInSpanish();
    void cleanupTestCase();

signals:
    void operationMayEnd();

private:
    void typeInto(QQuickItem *field, const QString &text);

    DemoApp m_app;
};

namespace {
// An operation that holds the busy flag until the test lets it end.
QCoro::Task<> untilReleased(QuoteEditorScreen *test);
} // namespace

void QuoteEditorScreen::initTestCase()
{
    m_app.open({});
    if (QTest::currentTestFailed()) return;
    QTRY_VERIFY(!m_app.shell->model().catalogPart()->taxes().isEmpty());
}

void QuoteEditorScreen::cleanupTestCase()
{
    m_app.close();
}

// Selects what the field holds and types over it, key by key; the field keeps
// its focus and its cursor through every round trip of the workspace.
void QuoteEditorScreen::typeInto(QQuickItem *field, const QString &text)
{
    QVERIFY(field);
    reveal(field);
    m_app.shell->tap(field);
    QVERIFY(field->hasActiveFocus());
    QMetaObject::invokeMethod(field, "selectAll");
    for (const QChar c : text) {
        QTest::keyClick(m_app.shell->window(), c.toLatin1());
        m_app.shell->settle();
        QVERIFY2(field->hasActiveFocus(), "the field lost its focus while the draft updated");
        QCOMPARE(field->property("cursorPosition").toInt(), field->property("text").toString().size());
    }
    QCOMPARE(field->property("text").toString(), text);
}

// A scanner types fast and ends with Enter. Right after sign-in nothing has
// focus; after a tap the card does not take it; while the quote is locked the
// scan is refused with the reason.
void QuoteEditorScreen::scansReachTheQuoteWhereverFocusIs()
{
    ShellHarness &shell = *m_app.shell;
    CheckoutModel &model = shell.model();
    QAbstractItemModel *visible = model.catalogPart()->visible();
    QTRY_VERIFY(visible->rowCount() >= 2);
    const auto skuAt = [&](int row) {
        return visible->data(visible->index(row, 0), visible->roleNames().key("sku")).toString();
    };
    const QString scanned = skuAt(0);
    const QString tapped = skuAt(1);
    const auto scan = [&](const QString &code) {
        for (const QChar c : code) QTest::keyClick(shell.window(), c.toLatin1());
        QTest::keyClick(shell.window(), Qt::Key_Return);
        shell.settle();
    };
    const auto quantityOf = [&](const QString &sku) {
        for (const QuoteLine &line : model.draft().lines)
            if (line.sku == sku) return line.quantity;
        return QString();
    };
    QVERIFY(model.draft().lines.isEmpty());

    scan(scanned);
    QCOMPARE(quantityOf(scanned), QStringLiteral("1"));
    QVERIFY(shell.find("scanConfirmation"));

    shell.tap(shell.find(QStringLiteral("productCard-") + tapped));
    QCOMPARE(quantityOf(tapped), QStringLiteral("1"));
    scan(scanned);
    QCOMPARE(quantityOf(scanned), QStringLiteral("2"));

    Draft locked = model.draft();
    locked.pendingSave = SaveQuoteRequest{locked.requestId};
    model.setDraft(locked);
    model.clearNotice();
    scan(scanned);
    QCOMPARE(quantityOf(scanned), QStringLiteral("2"));
    QVERIFY(model.notice() && model.notice()->contains(resumeAction::resumeSavingQuote));
    QCOMPARE(shell.find("lockCaption")->property("text").toString(), *model.notice());

    // The next test starts from an empty quote.
    Draft cleared = model.draft();
    cleared.pendingSave.reset();
    cleared.lines.clear();
    model.setDraft(cleared);
    model.clearNotice();
}

void QuoteEditorScreen::buildAndSaveAQuote()
{
    ShellHarness &shell = *m_app.shell;
    CheckoutModel &model = shell.model();
    QVERIFY(shell.find("emptyLines"));

    const Customer customer = m_app.server->customers().first();
    const qsizetype quotesBefore = finish(CheckoutAPI::quotes(model.api(), customer.id)).quotes.size();
    run(model.customersPart()->selectCustomer(customer));

    // Three products from the catalog's grid, by tap.
    QAbstractItemModel *visible = model.catalogPart()->visible();
    QStringList skus;
    for (int row = 0; row < 3; ++row)
        skus << visible->data(visible->index(row, 0), visible->roleNames().key("sku")).toString();
    for (const QString &sku : skus) shell.tap(shell.find(QStringLiteral("productCard-") + sku));
    QTRY_COMPARE(model.draft().lines.size(), qsizetype(3));

    QQuickItem *first = shell.find("quoteLine-0");
    QQuickItem *second = shell.find("quoteLine-1");
    QQuickItem *third = shell.find("quoteLine-2");
    typeInto(child(first, "quantityField"), QStringLiteral("3"));
    reveal(second);
    shell.tap(child(second, "increaseQuantity"));
    typeInto(child(third, "rateField"), QStringLiteral("99.50"));

    reveal(first);
    shell.tap(child(first, "expandLine"));
    typeInto(child(first, "discountField"), QStringLiteral("10%"));
    const Tax tax = model.catalogPart()->taxes().first();
    QQuickItem *picker = child(first, "taxPicker");
    QVERIFY(picker);
    QMetaObject::invokeMethod(picker, "activated", Q_ARG(int, 1));
    shell.settle();

    QQuickItem *notesGroup = shell.find("notesGroup");
    reveal(notesGroup);
    shell.tap(notesGroup->childItems().first());
    typeInto(shell.find("notesArea"), QStringLiteral("Deliver Friday"));

    QQuickItem *save = shell.find("saveButton");
    reveal(save);
    QVERIFY(save->isEnabled());
    shell.tap(save);
    QTRY_VERIFY_WITH_TIMEOUT(model.draft().saved.has_value() && !model.busy(), 20000);
    QVERIFY2(!model.error(), qPrintable(model.error().value_or(QString())));

    // The server holds exactly one quote for the customer, with these values.
    const std::optional<Quote> stored = m_app.server->quote(model.draft().saved->id);
    QVERIFY(stored);
    QCOMPARE(stored->status, QStringLiteral("sent"));
    QCOMPARE(stored->lines.size(), qsizetype(3));
    QCOMPARE(stored->lines[0].sku, skus[0]);
    QCOMPARE(stored->lines[0].quantity, QStringLiteral("3"));
    QCOMPARE(stored->lines[0].discount, QStringLiteral("10%"));
    QCOMPARE(stored->lines[0].taxId, tax.id);
    QCOMPARE(stored->lines[1].quantity, QStringLiteral("2"));
    QCOMPARE(stored->lines[2].rate, QStringLiteral("99.50"));
    QCOMPARE(stored->notes, QStringLiteral("Deliver Friday"));
    const QuotesResponse quotes = finish(CheckoutAPI::quotes(model.api(), customer.id));
    QCOMPARE(quotes.quotes.size(), quotesBefore + 1);

    // "Save as new quote" tapped twice: the second tap meets either a busy
    // button or, on a fast server, a saved quote that offers no save.
    typeInto(shell.find("notesArea"), QStringLiteral("Deliver Monday"));
    QQuickItem *saveAsNew = shell.find("saveButton");
    reveal(saveAsNew);
    QCOMPARE(saveAsNew->property("text").toString(), QStringLiteral("Save as new quote"));
    const QPointF centre = saveAsNew->mapToScene(QPointF(saveAsNew->width() / 2, saveAsNew->height() / 2));
    shell.tap(saveAsNew);
    // While the first save runs the button is still there, busy.
    if (model.busy()) QTest::mouseClick(shell.window(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    QTRY_VERIFY_WITH_TIMEOUT(!model.draft().dirty && !model.busy(), 20000);
    QVERIFY(!shell.find("saveButton"));
    QMetaObject::invokeMethod(model.quotePart(), "save"); // a tap that was already on its way
    shell.settle();
    QTRY_VERIFY(!model.busy());
    // A revision takes a new number on the server; a second save would have taken another.
    const Quote revised = *model.draft().saved;
    QVERIFY(revised.number != stored->number);
    QCOMPARE(m_app.server->quote(revised.id)->number, revised.number);
    QCOMPARE(m_app.server->quote(revised.id)->notes, QStringLiteral("Deliver Monday"));
    QCOMPARE(finish(CheckoutAPI::quotes(model.api(), customer.id)).quotes.size(), quotesBefore + 1);
}

// Runs after a quote was saved: choosing another customer asks first; a new
// customer whose creation reply is lost, and whose check fails too, waits as
// saved details; "Edit details" settles it (it had completed) instead of
// letting edits be dropped by a re-send of the stored request.
void QuoteEditorScreen::customerSheetChangesAndCreates()
{
    ShellHarness &shell = *m_app.shell;
    CheckoutModel &model = shell.model();
    QVERIFY(model.draft().saved);
    const QString savedCustomer = model.draft().customer->id;

    QVERIFY(shell.tapNamed("customerCard"));
    QTRY_VERIFY(shell.object("customerSheet")->property("opened").toBool());
    const Customer other = m_app.server->customers().at(1);
    typeInto(shell.find("customerSearchField"), other.name);
    QTRY_VERIFY(shell.find("customerRow-0"));
    QCOMPARE(model.customersPart()->customers().first().id, other.id);
    shell.tap(shell.find("customerRow-0"));
    QTRY_VERIFY(shell.object("customerChangeConfirmation")->property("opened").toBool());
    QCOMPARE(model.draft().customer->id, savedCustomer); // nothing changes before the answer
    shell.tap(shell.find("confirmButton"));
    QTRY_VERIFY(!shell.object("customerSheet")->property("visible").toBool());
    QCOMPARE(model.draft().customer->id, other.id);
    QVERIFY(!model.draft().saved);

    // A new customer: the reply is lost after the server created it, and the
    // check of the outcome is refused by the gateway.
    shell.tap(shell.find("customerCard"));
    QTRY_VERIFY(shell.object("customerSheet")->property("opened").toBool());
    shell.tap(shell.find("createNewCustomerButton"));
    QTRY_VERIFY(shell.find("campaignPicker") && shell.find("campaignPicker")->property("currentIndex").toInt() >= 0);
    // Another operation runs all through the typing: every keystroke is kept
    // while it runs and after it ends.
    std::function<QCoro::Task<>()> operation = [this] { return untilReleased(this); };
    const auto running = start(model.performBusy(std::move(operation)));
    QVERIFY(model.busy());
    typeInto(shell.find("firstNameField"), QStringLiteral("Rosa"));
    typeInto(shell.find("lastNameField"), QStringLiteral("Lane"));
    typeInto(shell.find("phoneField"), QStringLiteral("555-010-7788"));
    typeInto(shell.find("emailField"), QStringLiteral("rosa.lane@example.com"));
    QVERIFY(model.busy());
    emit operationMayEnd();
    QTRY_VERIFY(running->done && !model.busy());
    QCOMPARE(shell.find("emailField")->property("text").toString(), QStringLiteral("rosa.lane@example.com"));
    typeInto(shell.find("dealAmountField"), QStringLiteral("2500"));
    QCOMPARE(model.draft().customerDraft->firstName, QStringLiteral("Rosa"));
    QCOMPARE(model.draft().customerDraft->email, QStringLiteral("rosa.lane@example.com"));
    const int customersBefore = m_app.server->counts().customers;
    using Kind = standin::StandinFault::Kind;
    m_app.server->injectFault({"POST", QStringLiteral("/api/customers"), Kind::DropAfterCommit, 0, 2});
    m_app.server->injectFault({"POST", QStringLiteral("/api/customers/recover-request"), Kind::BadGateway, 0, 2});
    QQuickItem *create = shell.find("createCustomerButton");
    QVERIFY(create->isEnabled());
    shell.tap(create);
    QTRY_VERIFY_WITH_TIMEOUT(shell.find("editDetailsButton"), 20000);
    QTRY_VERIFY(!model.busy());
    QVERIFY(model.draft().pendingCustomer);
    QVERIFY(!shell.find("firstNameField")); // the sent details are not edited in place
    model.clearError();

    m_app.server->clearFaults();
    shell.tap(shell.find("editDetailsButton"));
    QTRY_VERIFY_WITH_TIMEOUT(!shell.object("customerSheet")->property("visible").toBool(), 20000);
    QCOMPARE(model.draft().customer->name, QStringLiteral("Rosa Lane"));
    QVERIFY(!model.draft().pendingCustomer);
    QCOMPARE(m_app.server->counts().customers, customersBefore + 1);
}

// In Spanish the fields read "1.234,5" and "2,5", keep each keystroke as
// typed, and show the kept number the Spanish way once left; the workspace
// (and so the server) holds the plain form.
void QuoteEditorScreen::numbersTypedInSpanish()
{
    ShellHarness &shell = *m_app.shell;
    CheckoutModel &model = shell.model();
    const QLocale before;
    QLocale::setDefault(QLocale(QStringLiteral("es_ES")));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
    if (model.draft().lines.isEmpty()) {
        QAbstractItemModel *visible = model.catalogPart()->visible();
        const QString sku = visible->data(visible->index(0, 0), visible->roleNames().key("sku")).toString();
        shell.tap(shell.find(QStringLiteral("productCard-") + sku));
        QTRY_COMPARE(model.draft().lines.size(), qsizetype(1));
    }
    QQuickItem *line = shell.find("quoteLine-0");
    QVERIFY(line);
    QQuickItem *rate = child(line, "rateField");
    QQuickItem *quantity = child(line, "quantityField");

    typeInto(rate, QStringLiteral("1.234,5"));
    QCOMPARE(model.draft().lines[0].rate, QStringLiteral("1234.5"));
    typeInto(quantity, QStringLiteral("2,5"));
    QCOMPARE(model.draft().lines[0].quantity, QStringLiteral("2.5"));
    QCOMPARE(rate->property("text").toString(), QStringLiteral("1234,5"));

    // The stepper changes the number under the typing.
    reveal(line);
    shell.tap(child(line, "increaseQuantity"));
    QTRY_COMPARE(model.draft().lines[0].quantity, QStringLiteral("3.5"));
    QCOMPARE(quantity->property("text").toString(), QStringLiteral("3,5"));

    // Text that reads as no number stays as typed, with the reason beside it.
    typeInto(quantity, QStringLiteral("2,,"));
    QCOMPARE(model.draft().lines[0].quantity, QStringLiteral("2,,"));
    QTRY_VERIFY(!child(line, "lineProblem")->property("text").toString().isEmpty());
}

namespace {
QCoro::Task<> untilReleased(QuoteEditorScreen *test)
{
    co_await qCoro(test, &QuoteEditorScreen::operationMayEnd);
}
} // namespace

QTEST_MAIN(QuoteEditorScreen)
#include "tst_quote_editor_screen.moc"
