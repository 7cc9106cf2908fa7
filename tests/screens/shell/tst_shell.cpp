// The app shell offscreen: sign-in screen, workspace frame, account sheet,
// notice banner, confirmations and the error card, against the real model.
#include "ShellHarness.h"

#include "screens/shell/ViewLogic.h"
#include "workflow/CheckoutPart.h"

#include <QCoroTimer>

#include "records/CheckoutTransaction.h"

#include <QMetaProperty>
#include <QQuickItem>

#include <functional>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

void signInLocally(CheckoutModel &model, bool demo = false)
{
    model.adoptSession(Session{QStringLiteral("token"), QStringLiteral("Avery Demo"), demo});
}

// Every observed property of the model except the error slot.
QVariantMap modelSnapshot(const QObject &model)
{
    QVariantMap values;
    const QMetaObject *meta = model.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (QLatin1String(property.name()) == QLatin1String("error")) continue;
        values.insert(QString::fromLatin1(property.name()), property.read(&model));
    }
    return values;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void signInScreen_data();
    void signInScreen();
    void narrowTabsKeepThePanes();
    void headerToolsKeepTheirNames_data();
    void headerToolsKeepTheirNames();
    void accountSheet();
    void dismissalsChangeOnlyTheirOwnSlot();
    void serverTextShowsAsWritten_data();
    void serverTextShowsAsWritten();
};

void ShellTest::signInScreen_data()
{
    QTest::addColumn<bool>("preview");
    QTest::newRow("production") << false;
    QTest::newRow("preview") << true;
}

void ShellTest::signInScreen()
{
    QFETCH(bool, preview);
    ShellHarness shell(preview);
    QVERIFY(shell.loaded());
    QVERIFY(shell.find("loginView"));
    QVERIFY(!shell.find("workspaceView"));
    QVERIFY(shell.visibleTexts().contains(screens::serverField(preview).caption));

    QQuickItem *field = shell.find("serverField");
    QVERIFY(field);
    QCOMPARE(field->isEnabled(), !preview);
    QCOMPARE(field->property("text").toString(), shell.model().server());
    if (!preview) {
        // What is typed is the model's address.
        shell.tap(field);
        QTest::keySequence(shell.window(), QKeySequence::SelectAll);
        for (char c : QByteArray("http://localhost:8080")) QTest::keyClick(shell.window(), c);
        shell.settle();
        QCOMPARE(shell.model().server(), QStringLiteral("http://localhost:8080"));
    }

    QQuickItem *button = shell.find("signInButton");
    QVERIFY(button && button->isEnabled());
    // Any user operation that is still running makes the model busy.
    std::function<QCoro::Task<>()> wait = [] { return QCoro::sleepFor(std::chrono::seconds(1)); };
    launch(shell.model().performBusy(wait));
    shell.settle();
    QVERIFY(!button->isEnabled());
}

// The two panes are made once: crossing the side-by-side width moves them,
// so whatever they hold (a typed search, an open sheet) stays. Narrow, the
// tabs and the model's selected tab follow each other.
void ShellTest::narrowTabsKeepThePanes()
{
    ShellHarness shell;
    signInLocally(shell.model());
    shell.resize(1280);
    QQuickItem *catalog = shell.find("catalogView");
    QQuickItem *panel = shell.find("quotePanel");
    QVERIFY(catalog && panel);
    shell.resize(849);
    QVERIFY(shell.find("workspaceTabs"));
    QCOMPARE(shell.find("catalogView"), catalog);
    QVERIFY(!shell.find("quoteEditor"));
    QQuickItem *quoteTab = shell.find("quoteTab");
    QVERIFY(quoteTab);
    QCOMPARE(accessibleName(quoteTab), QStringLiteral("Quote"));
    shell.tap(quoteTab);
    QCOMPARE(shell.model().selectedWorkspaceTab(), WorkspaceTab::quote);
    QVERIFY(!shell.find("catalogView") && shell.find("quoteEditor"));
    QCOMPARE(shell.find("catalogView", false), catalog);
    QCOMPARE(shell.find("quotePanel"), panel);
    shell.model().setSelectedWorkspaceTab(WorkspaceTab::products);
    shell.settle();
    QVERIFY(shell.find("catalogView"));
    QVERIFY(!shell.find("quoteEditor"));
}

void ShellTest::headerToolsKeepTheirNames_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("titlesShown");
    QTest::newRow("wide") << 1180 << true;
    QTest::newRow("narrow") << 560 << false;
}

void ShellTest::headerToolsKeepTheirNames()
{
    QFETCH(int, width);
    QFETCH(bool, titlesShown);
    ShellHarness shell;
    signInLocally(shell.model(), true);
    shell.resize(width);
    const QStringList texts = shell.visibleTexts();
    const QList<QPair<QString, QString>> tools{{"customersButton", "Customers"},
                                               {"transactionsButton", "Transactions"},
                                               {"resetWorkspaceButton", "Reset workspace"}};
    for (const auto &[name, title] : tools) {
        QQuickItem *button = shell.find(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(accessibleName(button), title);
        QCOMPARE(texts.contains(title), titlesShown);
        // Nothing in the header spills past the window.
        QVERIFY(button->mapToScene(QPointF(button->width(), 0)).x() <= width);
    }
    QQuickItem *account = shell.find("accountButton");
    QVERIFY(account && account->mapToScene(QPointF(account->width(), 0)).x() <= width);
}

// The sheet shows what the summary decides; its rows and captions are bound, not re-decided.
void ShellTest::accountSheet()
{
    // Register and not set up: every row and caption but the daily import's has a text.
    const bool enabled = false;
    ShellHarness shell;
    signInLocally(shell.model());
    Me account;
    account.paymentsEnabled = enabled;
    account.paymentRoute = QStringLiteral("square_register");
    account.accountingMode = QStringLiteral("individual_zoho");
    CheckoutPart &checkout = *shell.model().checkoutPart();
    checkout.applyAccount(account);
    shell.settle();
    shell.tap(shell.find("accountButton"));
    QTRY_VERIFY(shell.object("accountSheet")->property("opened").toBool());

    const screens::AccountSummary summary = screens::accountSummary(
        enabled, checkout.paymentRoute(), checkout.usesDailySquareImport(), checkout.paymentsSetupNotice());
    const QList<std::pair<const char *, QString>> rows{{"paymentsRow", summary.payments},
                                                       {"collectOnRow", summary.collectOn},
                                                       {"accountingRow", summary.accounting},
                                                       {"businessDayRow", summary.businessDay}};
    for (const auto &[name, value] : rows) QCOMPARE(shell.find(name)->property("value").toString(), value);
    const QList<std::pair<const char *, QString>> captions{{"setupCaption", summary.setupCaption},
                                                           {"registerCaption", summary.registerCaption},
                                                           {"accountingCaption", summary.accountingCaption}};
    for (const auto &[name, text] : captions) {
        QQuickItem *caption = shell.find(name);
        QCOMPARE(caption ? caption->property("text").toString() : QString(), text);
    }
    QVERIFY(!shell.find("demoNotice"));
    QCOMPARE(shell.find("signedInServer")->property("text").toString(), shell.model().server());

    shell.tap(shell.find("accountDoneButton"));
    QTRY_VERIFY(!shell.object("accountSheet")->property("visible").toBool());
}

void ShellTest::dismissalsChangeOnlyTheirOwnSlot()
{
    ShellHarness shell;
    signInLocally(shell.model());
    shell.model().setNotice(QStringLiteral("A notice that stays."));
    Me account;
    account.paymentsEnabled = true;
    shell.model().checkoutPart()->applyAccount(account);
    // A finished checkout: nothing polls in the background while the card is up.
    shell.model().checkoutPart()->watch(transaction(QStringLiteral("TX-1"), QStringLiteral("complete")));
    // A long server message scrolls inside the card; the button stays in the window.
    shell.model().setError(QStringLiteral("Square Terminal is offline.") + QStringLiteral("\nDetail.").repeated(40));
    shell.settle();
    const QVariantMap before = modelSnapshot(shell.model());
    QVERIFY(shell.find("errorCard"));
    QCOMPARE(shell.find("errorMessage")->property("text").toString(), shell.model().errorText());
    QCOMPARE(shell.find("errorMessageArea")->height(), screens::errorMessageMaximumHeight);
    QQuickItem *dismiss = shell.find("dismissErrorButton");
    QVERIFY(dismiss->mapToScene(QPointF(0, dismiss->height())).y() <= shell.window()->height());
    shell.tap(dismiss);
    QVERIFY(!shell.model().error().has_value());
    QTRY_VERIFY(!shell.find("errorCard"));
    QCOMPARE(modelSnapshot(shell.model()), before);

    // The reset question answered "Cancel" changes nothing either.
    shell.tap(shell.find("resetWorkspaceButton"));
    QTRY_VERIFY(shell.object("resetConfirmation")->property("opened").toBool());
    shell.tap(shell.find("cancelButton"));
    QTRY_VERIFY(!shell.object("resetConfirmation")->property("visible").toBool());
    QCOMPARE(modelSnapshot(shell.model()), before);

    // Closing the notice clears it and gives its room back.
    QQuickItem *content = shell.find("workspaceContent");
    const qreal top = content->mapToScene(QPointF()).y();
    QVERIFY(shell.visibleTexts().contains(QStringLiteral("A notice that stays.")));
    shell.tap(shell.find("noticeCloseButton"));
    QVERIFY(!shell.model().notice().has_value());
    QVERIFY(!shell.find("noticeBanner"));
    QVERIFY(content->mapToScene(QPointF()).y() < top);
}

// Names and notes are data, never markup: an <img> in a name fetches nothing
// and a tag shows as typed, wherever the screens show it.
void ShellTest::serverTextShowsAsWritten_data()
{
    QTest::addColumn<QString>("markup"); // "%1" stands for the recording server's address
    QTest::newRow("remote image") << QStringLiteral(R"(<img src="%1/probe">)");
    QTest::newRow("styled text") << QStringLiteral(R"(<font color="red">Paid</font> &amp; <br>done)");
}

void ShellTest::serverTextShowsAsWritten()
{
    QFETCH(QString, markup);
    RecordingServer server;
    const QString text = markup.arg(server.base());
    const Product product{.id = QStringLiteral("P1"), .name = text, .sku = QStringLiteral("SKU-1"),
                          .description = text, .rate = QStringLiteral("10"), .category = text};
    server.on("GET", QStringLiteral("/api/catalog"), {200, encode(Catalog{.at = 1, .products = {product}}, KeyStyle::Wire)});
    Workspace ws(server.base());
    ws.signIn();
    finish(ws->catalogPart()->refreshCatalog());
    QCOMPARE(ws->catalogPart()->products().size(), 1);
    QVERIFY(ws->quotePart()->addProduct(product));
    Draft draft = ws->draft();
    draft.customer = Customer{.id = QStringLiteral("C1"), .name = text, .email = text};
    draft.notes = text;
    ws->setDraft(draft);
    ws->setNotice(text);
    ShellHarness shell(ws);
    shell.resize(1400, 1000);
    shell.settle();

    // Every text element that shows it reads it as plain text.
    int shown = 0;
    std::function<void(QQuickItem *)> visit = [&](QQuickItem *item) {
        if (item->inherits("QQuickText") || item->inherits("QQuickTextEdit")) {
            if (item->property("text").toString().contains(text)) {
                ++shown;
                if (item->property("textFormat").toInt() != 0) // Text.PlainText, TextEdit.PlainText
                    QFAIL(qPrintable(QStringLiteral("%1 reads %2 as markup").arg(item->objectName(), text)));
            }
        }
        for (QQuickItem *child : item->childItems()) visit(child);
    };
    visit(shell.window()->contentItem());
    QVERIFY2(shown >= 4, qPrintable(QString::number(shown))); // product, line, customer, notice at least
    (void)shell.window()->grabWindow(); // lays out and draws every text
    QVERIFY(!QTest::qWaitFor([&] { return server.count("GET", QStringLiteral("/probe")) > 0; }, 1000));
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
