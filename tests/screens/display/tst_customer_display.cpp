// The customer display through a whole cash sale on the stand-in: what its
// window says to a screen reader at each stage, that its figures are the
// editor's, and that nothing about who the customer is ever shows on it.
#include "DemoApp.h"
#include "records/Money.h"
#include "workflow/QuoteValidation.h"

#include "screens/checkout/CheckoutRules.h"
#include "screens/checkout/CheckoutSheetState.h"
#include "screens/display/CustomerDisplayState.h"
#include "screens/display/DisplayPlacement.h"
#include "screens/display/DisplayRules.h"
#include "screens/quote/QuoteEditorState.h"

#include <QAccessible>
#include <QDir>
#include <QQmlEngine>
#include <QStandardPaths>
#include <QPointer>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

QString money(qint64 cents) { return moneyText(Decimal::fromCents(cents)); }

void readBelow(QAccessibleInterface *face, QStringList &out)
{
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface *child = face->child(i);
        if (!child || child->state().invisible) continue;
        if (const QString name = child->text(QAccessible::Name); !name.isEmpty()) out.append(name);
        readBelow(child, out);
    }
}

QStringList rowsOf(const screens::RowsModel *rows)
{
    QStringList out;
    for (int i = 0; i < rows->rowCount(); ++i) {
        const QModelIndex index = rows->index(i);
        out.append(rows->data(index, Qt::UserRole + 1).toString() + QLatin1Char('=') +
                   rows->data(index, Qt::UserRole + 2).toString());
    }
    return out;
}

} // namespace

class CustomerDisplayScreen : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void cashSaleStages();

private:
    // The display window's visible accessible names, after the layout settles.
    QStringList displayTexts();
    // Checks the stage's texts are there and no contact detail is; writes the
    // stage's pictures when asked to.
    void checkStage(const QString &stage, const QStringList &expected);

    std::unique_ptr<DemoApp> m_app;
    QPointer<QQuickWindow> m_display; // made while the display is on
    Customer m_customer;
};

void CustomerDisplayScreen::placement_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QStringList>("screens");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("fullScreen");
    const QStringList one{"eDP-1"};
    const QStringList two{"eDP-1", "HDMI-1"};
    const QStringList three{"eDP-1", "HDMI-1", "DP-2"};
    QTest::newRow("off") << false << two << "HDMI-1" << false << "" << false;
    QTest::newRow("one screen: a window") << true << one << "" << true << "" << false;
    QTest::newRow("one screen, chosen there") << true << one << "eDP-1" << true << "" << false;
    QTest::newRow("second screen by default") << true << two << "" << true << "HDMI-1" << true;
    QTest::newRow("chosen of three") << true << three << "DP-2" << true << "DP-2" << true;
    QTest::newRow("the associate's own screen chosen: a window") << true << two << "eDP-1" << true << "" << false;
    QTest::newRow("chosen screen unplugged") << true << one << "HDMI-1" << false << "" << false;
    QTest::newRow("no screens") << true << QStringList() << "" << false << "" << false;
}

void CustomerDisplayScreen::placement()
{
    QFETCH(bool, on);
    QFETCH(QStringList, screens);
    QFETCH(QString, chosen);
    const screens::Placement placed = screens::placeDisplay(on, screens, QStringLiteral("eDP-1"), chosen);
    QTEST(placed.shown, "shown");
    QTEST(placed.screen, "screen");
    QTEST(placed.fullScreen, "fullScreen");
}

QStringList CustomerDisplayScreen::displayTexts()
{
    m_app->shell->settle();
    QStringList texts;
    if (QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_display)) readBelow(window, texts);
    return texts;
}

void CustomerDisplayScreen::checkStage(const QString &stage, const QStringList &expected)
{
    const QStringList texts = displayTexts();
    for (const QString &text : expected)
        QVERIFY2(texts.contains(text), qPrintable(stage + QStringLiteral(": no \"") + text +
                                                  QStringLiteral("\" in ") + texts.join(QStringLiteral(" | "))));
    for (const QString &contact : {m_customer.name, m_customer.email, m_customer.phone}) {
        if (contact.isEmpty()) continue;
        for (const QString &text : texts)
            QVERIFY2(!text.contains(contact), qPrintable(stage + QStringLiteral(" shows ") + contact));
    }
    const QString shots = qEnvironmentVariable("VANTREL_DISPLAY_SHOTS");
    if (shots.isEmpty()) return;
    QDir().mkpath(shots);
    const QSize before = m_display->size();
    for (const QSize size : {QSize(1920, 1080), QSize(1024, 600)}) {
        m_display->resize(size);
        m_app->shell->settle();
        m_display->grabWindow().save(QStringLiteral("%1/display-%2-%3x%4.png")
                                         .arg(shots, stage)
                                         .arg(size.width())
                                         .arg(size.height()));
    }
    m_display->resize(before);
}

void CustomerDisplayScreen::cashSaleStages()
{
    QStandardPaths::setTestModeEnabled(true);
    m_app = std::make_unique<DemoApp>();
    m_app->open({.window = QSize(1280, 1300), .demoSession = false, .pollInterval = std::chrono::milliseconds(100)});
    if (QTest::currentTestFailed()) return;
    CheckoutModel &model = m_app->shell->model();
    QQmlEngine *engine = qmlEngine(m_app->shell->window());
    auto *placement = engine->singletonInstance<DisplayPlacement *>(
        qmlTypeId("Vantrel.Checkout", 1, 0, "DisplayPlacement"));
    QVERIFY(placement);
    placement->setOn(true);
    const auto displayWindow = [] {
        for (QWindow *window : QGuiApplication::topLevelWindows())
            if (window->objectName() == QLatin1String("customerDisplayWindow"))
                return qobject_cast<QQuickWindow *>(window);
        return static_cast<QQuickWindow *>(nullptr);
    };
    QTRY_VERIFY((m_display = displayWindow()));
    QTRY_VERIFY(m_display->isVisible());
    QVERIFY(m_display->flags() & Qt::WindowDoesNotAcceptFocus);
    QTRY_COMPARE(QGuiApplication::focusWindow(), m_app->shell->window());

    checkStage(QStringLiteral("idle"), {QStringLiteral("Welcome")});
    if (QTest::currentTestFailed()) return;

    // Two lines for a customer with every contact detail filled in.
    m_customer = m_app->server->customers().first();
    QVERIFY(!m_customer.email.isEmpty() || !m_customer.phone.isEmpty());
    const qint64 due = m_app->saveQuote();
    QVERIFY(due > 0);
    const auto *editor = m_app->shell->find(QStringLiteral("quoteEditor"))->findChild<QuoteEditorState *>();
    const auto *face = m_display->findChild<CustomerDisplayState *>();
    QVERIFY(editor && face);
    m_app->shell->settle();
    QCOMPARE(rowsOf(face->totals()), rowsOf(editor->totals()));
    QStringList lines;
    for (const QuoteLine &line : model.draft().lines) lines << line.name << moneyText(lineNetAmount(line));
    const QString total = editor->totals()->data(editor->totals()->index(editor->totals()->rowCount() - 1),
                                                 Qt::UserRole + 2)
                              .toString();
    checkStage(QStringLiteral("building"), lines + QStringList{total});
    if (QTest::currentTestFailed()) return;

    // The checkout sheet open on card: the amount due and what to do.
    QVERIFY(m_app->shell->tapNamed(QStringLiteral("checkoutButton")));
    QTRY_VERIFY(m_app->shell->object(QStringLiteral("paymentSheet"))->property("opened").toBool());
    checkStage(QStringLiteral("checkout"),
               {money(due), QStringLiteral("Card"), QStringLiteral("Tap, insert or swipe your card on the terminal")});
    if (QTest::currentTestFailed()) return;

    // Cash typed in the sheet: received and change, before anything is sent.
    auto *relay = engine->singletonInstance<CheckoutSheetRelay *>(
        qmlTypeId("Vantrel.Checkout", 1, 0, "CheckoutSheetRelay"));
    CheckoutSheetState *sheet = relay ? relay->sheet() : nullptr;
    QVERIFY(sheet);
    const qint64 given = (due / 10000 + 1) * 10000;
    sheet->setTender(QStringLiteral("cash"));
    sheet->setCash(amountFromCents(given));
    checkStage(QStringLiteral("cash"), {money(due), QStringLiteral("Cash"), money(given), money(given - due)});
    if (QTest::currentTestFailed()) return;

    sheet->setCashConfirmed(true);
    QVERIFY(m_app->shell->tapNamed(QStringLiteral("startCheckoutButton")));
    QTRY_COMPARE_WITH_TIMEOUT(face->stage(), QStringLiteral("complete"), 20000);
    checkStage(QStringLiteral("complete"),
               {QStringLiteral("Thank you"), QStringLiteral("Your change: ") + money(given - due)});
    if (QTest::currentTestFailed()) return;

    model.checkoutPart()->nextSale();
    checkStage(QStringLiteral("next"), {QStringLiteral("Welcome")});
    placement->setOn(false);
    QTRY_VERIFY(!m_display || !m_display->isVisible());
    m_app.reset();
}

QTEST_MAIN(CustomerDisplayScreen)
#include "tst_customer_display.moc"
