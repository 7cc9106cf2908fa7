// The customer quote browser driven as a person would, in the real app window
// against the stand-in: a customer found by typing, their quotes listed, a
// quote that moved to another customer meanwhile, a quote locked by a
// colleague's checkout, and a saved quote put into the workspace.
#include "DemoApp.h"

#include "records/Uuid.h"
#include "screens/customers/QuoteBrowserRules.h"
#include "server/Endpoints.h"

#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;
namespace bt = vantrel::screens::browserText;

namespace {

// Key by key, as a person types.
void typeText(QWindow *window, const QString &text)
{
    for (const QChar c : text) QTest::keyClick(window, c.toLatin1());
}

// The text of a visible item; empty while it is not shown.
QString textOf(const ShellHarness &shell, const char *name)
{
    const QQuickItem *item = shell.find(QString::fromLatin1(name));
    return item ? item->property("text").toString() : QString();
}

} // namespace

// A helper's failed check ends the test, not only the helper.
#define QVERIFY_RESULT(call) \
    do { \
        call; \
        if (QTest::currentTestFailed()) return; \
    } while (false)

class QuoteBrowserScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void browseAndUseASavedQuote();
    void cleanupTestCase();

private:
    void openQuoteRow(const QString &number);
    void backToList();

    DemoApp m_app;
};

void QuoteBrowserScreen::initTestCase()
{
    m_app.open({});
    if (QTest::currentTestFailed()) return;
    QTRY_VERIFY(m_app.shell->find("customersButton") != nullptr);
}

void QuoteBrowserScreen::cleanupTestCase()
{
    m_app.close();
}

void QuoteBrowserScreen::openQuoteRow(const QString &number)
{
    QQuickItem *row = m_app.shell->find(QStringLiteral("quoteRow-") + number);
    QVERIFY2(row, qPrintable(number));
    m_app.shell->tap(row);
    QTRY_VERIFY(m_app.shell->find("quoteDetail"));
    QTRY_COMPARE(m_app.shell->find("detailTitleBar")->property("title").toString(), number);
}

void QuoteBrowserScreen::backToList()
{
    m_app.shell->tap(m_app.shell->find("detailBackButton"));
    QTRY_VERIFY(!m_app.shell->find("quoteDetail"));
}

void QuoteBrowserScreen::browseAndUseASavedQuote()
{
    ShellHarness &shell = *m_app.shell;
    CheckoutModel &model = shell.model();
    APIClient &api = model.api();

    // The demo customer with a colleague's live checkout on one quote and an
    // openable quote beside it.
    Customer customer;
    Quote locked, openable;
    for (const Customer &c : m_app.server->customers()) {
        const QuotesResponse listed = finish(CheckoutAPI::quotes(api, c.id));
        locked = openable = Quote{};
        for (const Quote &q : listed.quotes) {
            if (q.checkoutReadOnly.value_or(false)) locked = q;
            else if (!q.transaction && !q.paymentSummary) openable = q;
        }
        if (!locked.id.isEmpty() && !openable.id.isEmpty()) {
            customer = c;
            break;
        }
    }
    QVERIFY(!customer.id.isEmpty());
    const Customer other = m_app.server->customers().constLast();
    QVERIFY(other.id != customer.id);
    // A third quote of theirs, which is moved to another customer once listed.
    SaveQuoteRequest request{newUuidString(), {}, customer.id, {}, openable.lines, {}, {}, QStringLiteral("0"),
                             QStringLiteral("0"), QStringLiteral("0")};
    const Quote moving = finish(CheckoutAPI::saveQuote(api, request));

    // The header's "Customers" opens the browser on an empty search.
    shell.tap(shell.find("customersButton"));
    QTRY_VERIFY(shell.find("browserSearchField"));

    QQuickItem *search = shell.find("browserSearchField");
    shell.tap(search);
    typeText(shell.window(), customer.name);
    QTRY_VERIFY_WITH_TIMEOUT(shell.find("customerRow-0"), 10000);
    QQuickItem *row = nullptr;
    for (int i = 0; !row && shell.find(QStringLiteral("customerRow-%1").arg(i)); ++i) {
        QQuickItem *candidate = shell.find(QStringLiteral("customerRow-%1").arg(i));
        if (accessibleName(candidate) == customer.name) row = candidate;
    }
    QVERIFY2(row, qPrintable(customer.name));

    // Choosing them lists their quotes under their name; the lock marks the colleague's.
    shell.tap(row);
    QTRY_VERIFY(shell.find(QStringLiteral("quoteRow-") + moving.number));
    QCOMPARE(shell.find("browsedCustomerName")->property("text").toString(), customer.name);
    QCOMPARE(child(shell.find(QStringLiteral("quoteRow-") + locked.number), "trailingSymbol")->property("symbol"),
             QVariant(QStringLiteral("lock")));
    QVERIFY(shell.find("lockedQuotesNote"));
    QVERIFY(model.customersPart()->quotes().isEmpty()); // the workspace's lists stay as they were

    // Revised for another customer after the list was fetched: the detail
    // says so and keeps showing the list's copy.
    request.requestId = newUuidString();
    request.sourceId = moving.id;
    request.customerId = other.id;
    const Quote moved = finish(CheckoutAPI::saveQuote(api, request));
    QCOMPARE(moved.id, moving.id);
    QVERIFY_RESULT(openQuoteRow(moving.number));
    QTRY_COMPARE(textOf(shell, "detailMessageText"), bt::quoteMismatch.toString());
    QCOMPARE(shell.find("detailTitleBar")->property("title").toString(), moving.number);
    QVERIFY_RESULT(backToList());

    // A colleague's checkout: view only.
    QVERIFY_RESULT(openQuoteRow(locked.number));
    QTRY_VERIFY(shell.find("checkedAt"));
    QVERIFY(shell.find("viewOnlyNote"));
    QVERIFY(!shell.find("useQuoteButton"));
    QVERIFY_RESULT(backToList());

    // An openable quote goes into the workspace and the sheet closes.
    QVERIFY_RESULT(openQuoteRow(openable.number));
    QTRY_VERIFY(shell.find("useQuoteButton") && shell.find("useQuoteButton")->isEnabled());
    shell.tap(shell.find("useQuoteButton"));
    QTRY_COMPARE_WITH_TIMEOUT(model.draft().sourceId, openable.id, 10000);
    QCOMPARE(model.draft().customer->id, customer.id);
    QTRY_VERIFY(!shell.find("quoteDetail"));
    QVERIFY2(!model.error(), qPrintable(model.error().value_or(QString())));
}

QTEST_MAIN(QuoteBrowserScreen)
#include "tst_quote_browser_screen.moc"
