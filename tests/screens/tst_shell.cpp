// The app shell offscreen: sign-in screen, workspace frame, account sheet,
// notice banner, confirmations and the error card, against the real model.
#include "ShellHarness.h"

#include "workflow/CheckoutPart.h"

#include <QCoroTimer>

#include "records/CheckoutTransaction.h"

#include <QMetaProperty>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

void signInLocally(CheckoutModel &model, bool demo = false)
{
    model.adoptSession(Session{QStringLiteral("token"), QStringLiteral("Avery Demo"), demo});
}

CheckoutTransaction transactionWithStatus(const QString &status)
{
    CheckoutTransaction tx;
    tx.id = QStringLiteral("TX-1");
    tx.quoteId = QStringLiteral("Q-1");
    tx.quoteNumber = QStringLiteral("QT-000101");
    tx.status = status;
    tx.amountCents = 18550;
    tx.tender = QStringLiteral("card");
    return tx;
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
    void serverFieldWritesTheModel();
    void signedInShowsWorkspace();
    void layout_data();
    void layout();
    void narrowTabsFollowTheModel();
    void headerToolsKeepTheirNames_data();
    void headerToolsKeepTheirNames();
    void quotePanel_data();
    void quotePanel();
    void accountSheet_data();
    void accountSheet();
    void closingTheNoticeClearsIt();
    void confirmationIcon_data();
    void confirmationIcon();
    void resetCancelChangesNothing();
    void errorCardMessageArea_data();
    void errorCardMessageArea();
    void dismissingTheErrorChangesNothingElse();
};

void ShellTest::signInScreen_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<bool>("serverEditable");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("server");
    QTest::newRow("production") << false << true << "Use your Checkout server address."
                                << "https://checkout.vantrel.com";
    QTest::newRow("preview") << true << false << "This preview is pinned to its PR server."
                             << "https://pr-42.checkout.vantrel.com";
}

void ShellTest::signInScreen()
{
    QFETCH(bool, preview);
    QFETCH(bool, serverEditable);
    QFETCH(QString, caption);
    QFETCH(QString, server);
    ShellHarness shell(preview ? previewBuild() : productionBuild());
    QVERIFY(shell.loaded());
    QVERIFY(shell.find("loginView"));
    QVERIFY(!shell.find("workspaceView"));

    const QStringList texts = shell.visibleTexts();
    for (const char *expected : {"Vantrel checkout", "Sign in", "Access products, customers, and quotes.",
                                 "Checkout server", "Sign in with Zoho", "Credentials stay with Zoho"})
        QVERIFY2(texts.contains(QLatin1String(expected)), expected);
    QVERIFY(texts.contains(caption));

    QQuickItem *field = shell.find("serverField");
    QVERIFY(field);
    QCOMPARE(field->isEnabled(), serverEditable);
    QCOMPARE(field->property("text").toString(), server);
    QCOMPARE(field->property("placeholderText").toString(), QStringLiteral("https://checkout.vantrel.com"));
    QCOMPARE(accessibleName(field), QStringLiteral("Checkout server"));

    QQuickItem *button = shell.find("signInButton");
    QVERIFY(button && button->isEnabled());
    // Any user operation that is still running makes the model busy.
    std::function<QCoro::Task<>()> wait = [] { return QCoro::sleepFor(std::chrono::seconds(1)); };
    launch(shell.model().performBusy(wait));
    shell.settle();
    QVERIFY(!button->isEnabled());
}

void ShellTest::serverFieldWritesTheModel()
{
    ShellHarness shell;
    QQuickItem *field = shell.find("serverField");
    QVERIFY(field);
    shell.tap(field);
    QTest::keySequence(shell.window(), QKeySequence::SelectAll);
    for (char c : QByteArray("http://localhost:8080")) QTest::keyClick(shell.window(), c);
    shell.settle();
    QCOMPARE(shell.model().server(), QStringLiteral("http://localhost:8080"));
}

void ShellTest::signedInShowsWorkspace()
{
    ShellHarness shell;
    signInLocally(shell.model(), true);
    shell.settle();
    QVERIFY(shell.find("workspaceView"));
    QVERIFY(!shell.find("loginView"));
    QVERIFY(shell.find("demoLabel"));
    shell.model().adoptSession(Session{QStringLiteral("t"), QStringLiteral("Sam"), false});
    shell.settle();
    QVERIFY(!shell.find("demoLabel"));
    shell.model().signOut();
    shell.settle();
    QVERIFY(shell.find("loginView"));
}

void ShellTest::layout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("tabs");
    QTest::addColumn<double>("panelWidth");
    QTest::newRow("849 tabs") << 849 << true << 849.0;
    QTest::newRow("850 side by side") << 850 << false << 365.5;
    QTest::newRow("1000") << 1000 << false << 430.0;
    QTest::newRow("1200 capped") << 1200 << false << 460.0;
}

// The two panes are made once: crossing the side-by-side width moves them,
// so whatever they hold (a typed search, an open sheet) stays.
void ShellTest::layout()
{
    QFETCH(int, width);
    QFETCH(bool, tabs);
    QFETCH(double, panelWidth);
    ShellHarness shell;
    signInLocally(shell.model());
    shell.model().setSelectedWorkspaceTab(WorkspaceTab::quote);
    shell.resize(1280);
    QQuickItem *catalog = shell.find("catalogView");
    QQuickItem *panel = shell.find("quotePanel");
    QVERIFY(catalog && panel);
    shell.resize(width);
    QCOMPARE(shell.find("workspaceTabs") != nullptr, tabs);
    QCOMPARE(shell.find("catalogView") != nullptr, !tabs);
    QCOMPARE(shell.find("catalogView", false), catalog);
    QCOMPARE(shell.find("quotePanel"), panel);
    QCOMPARE(panel->width(), panelWidth);
}

void ShellTest::narrowTabsFollowTheModel()
{
    ShellHarness shell;
    signInLocally(shell.model());
    shell.resize(700);
    QVERIFY(shell.find("catalogView"));
    QVERIFY(!shell.find("quoteEditor"));
    QQuickItem *quoteTab = shell.find("quoteTab");
    QVERIFY(quoteTab);
    QCOMPARE(accessibleName(quoteTab), QStringLiteral("Quote"));
    shell.tap(quoteTab);
    QCOMPARE(shell.model().selectedWorkspaceTab(), WorkspaceTab::quote);
    QVERIFY(shell.find("quoteEditor"));
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
    QVERIFY(account);
    QCOMPARE(accessibleName(account), QStringLiteral("Account and settings"));
    QVERIFY(account->mapToScene(QPointF(account->width(), 0)).x() <= width);
}

void ShellTest::quotePanel_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("place");
    QTest::newRow("no transaction") << QString() << "quoteEditor";
    QTest::newRow("canceled shows the editor") << "canceled" << "quoteEditor";
    QTest::newRow("waiting for payment") << "awaiting_payment" << "paymentStatusView";
    QTest::newRow("complete") << "complete" << "paymentStatusView";
}

void ShellTest::quotePanel()
{
    QFETCH(QString, status);
    QFETCH(QString, place);
    ShellHarness shell;
    signInLocally(shell.model());
    if (!status.isEmpty()) shell.model().checkoutPart()->watch(transactionWithStatus(status));
    shell.settle();
    QVERIFY2(shell.find(place), qPrintable(place));
    const QString other = place == QLatin1String("quoteEditor") ? "paymentStatusView" : "quoteEditor";
    QVERIFY(!shell.find(other));
}

void ShellTest::accountSheet_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("captions"); // setup, register, accounting; "" = hidden

    const QString registerCaption =
        "Create the invoice here. Collect card or cash under Invoices on Square Register.";
    const QString pickup = "Pickup fulfillment continues when the app is closed.";
    const QString daily =
        "Daily Square import handles accounting. No separate Zoho invoice or pickup shipment is created.";

    QTest::newRow("terminal, enabled")
        << true << "square_terminal" << "individual_zoho" << "" << false
        << QStringList{"Enabled", "Square Terminal", "Individual Zoho invoices", "America/New_York"}
        << QStringList{"", "", pickup};
    QTest::newRow("register, daily import, demo")
        << true << "square_register" << "native_square_summary" << "" << true
        << QStringList{"Enabled", "Square Register", "Daily Square import", "America/New_York"}
        << QStringList{"", registerCaption, daily};
    QTest::newRow("register, other accounting mode")
        << true << "square_register" << "individual_zoho" << "" << false
        << QStringList{"Enabled", "Square Register", "Individual Zoho invoices", "America/New_York"}
        << QStringList{"", registerCaption, pickup};
    QTest::newRow("register, setup needed, blank message")
        << false << "square_register" << "individual_zoho" << "  \n " << false
        << QStringList{"Setup required", "Square Register", "Individual Zoho invoices", "America/New_York"}
        << QStringList{"Square Register setup needs to be completed before preparing invoices.",
                       registerCaption, pickup};
    QTest::newRow("terminal, setup needed, server message")
        << false << "square_terminal" << "individual_zoho" << "  Connect Square first. " << false
        << QStringList{"Setup required", "Square Terminal", "Individual Zoho invoices", "America/New_York"}
        << QStringList{"Connect Square first.", "", pickup};
    QTest::newRow("terminal, setup needed, no message")
        << false << "square_terminal" << "individual_zoho" << "" << false
        << QStringList{"Setup required", "Square Terminal", "Individual Zoho invoices", "America/New_York"}
        << QStringList{"Payment setup is required on the server.", "", pickup};
}

void ShellTest::accountSheet()
{
    QFETCH(bool, enabled);
    QFETCH(QString, route);
    QFETCH(QString, mode);
    QFETCH(QString, message);
    QFETCH(bool, demo);
    QFETCH(QStringList, values);
    QFETCH(QStringList, captions);
    ShellHarness shell;
    signInLocally(shell.model(), demo);
    Me account;
    account.paymentsEnabled = enabled;
    account.paymentRoute = route;
    account.accountingMode = mode;
    account.paymentsSetupMessage = message;
    shell.model().checkoutPart()->applyAccount(account);
    shell.settle();
    shell.tap(shell.find("accountButton"));
    QTRY_VERIFY(shell.object("accountSheet")->property("opened").toBool());

    const QStringList rows{"paymentsRow", "collectOnRow", "accountingRow", "businessDayRow"};
    for (int i = 0; i < rows.size(); ++i) {
        QQuickItem *row = shell.find(rows[i]);
        QVERIFY2(row, qPrintable(rows[i]));
        QCOMPARE(row->property("value").toString(), values[i]);
    }
    const QStringList names{"setupCaption", "registerCaption", "accountingCaption"};
    for (int i = 0; i < names.size(); ++i) {
        QQuickItem *caption = shell.find(names[i]);
        QCOMPARE(caption != nullptr, !captions[i].isEmpty());
        if (caption) QCOMPARE(caption->property("text").toString(), captions[i]);
    }
    QCOMPARE(shell.find("demoNotice") != nullptr, demo);
    QCOMPARE(shell.find("signedInUser")->property("text").toString(), QStringLiteral("Avery Demo"));
    QCOMPARE(shell.find("signedInServer")->property("text").toString(), shell.model().server());

    shell.tap(shell.find("accountDoneButton"));
    QTRY_VERIFY(!shell.object("accountSheet")->property("visible").toBool());
}

void ShellTest::closingTheNoticeClearsIt()
{
    ShellHarness shell;
    signInLocally(shell.model());
    shell.model().setNotice(QStringLiteral("QT-000101 saved and marked sent."));
    shell.settle();
    QQuickItem *content = shell.find("workspaceContent");
    const qreal top = content->mapToScene(QPointF()).y();
    QVERIFY(shell.visibleTexts().contains(QStringLiteral("QT-000101 saved and marked sent.")));
    shell.tap(shell.find("noticeCloseButton"));
    QVERIFY(!shell.model().notice().has_value());
    QVERIFY(!shell.find("noticeBanner"));
    QVERIFY(content->mapToScene(QPointF()).y() < top);
}

void ShellTest::confirmationIcon_data()
{
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("symbol");
    QTest::newRow("destructive") << "destructive" << "exclamationmark.circle";
    QTest::newRow("none") << "" << "arrow.right.circle";
}

void ShellTest::confirmationIcon()
{
    QFETCH(QString, role);
    QFETCH(QString, symbol);
    ShellHarness shell;
    QQmlComponent component(qmlEngine(shell.window()));
    component.setData("import Vantrel.Checkout\nBrandedConfirmation { title: \"Open saved work?\"; "
                      "confirmTitle: \"Open saved work\"; objectName: \"probe\" }",
                      QUrl());
    std::unique_ptr<QObject> sheet(component.createWithInitialProperties(
        {{"role", role}, {"parent", QVariant::fromValue<QObject *>(shell.window()->contentItem())}}));
    QVERIFY2(sheet, qPrintable(component.errorString()));
    QSignalSpy confirmed(sheet.get(), SIGNAL(confirm()));
    QMetaObject::invokeMethod(sheet.get(), "open");
    QTRY_VERIFY(sheet->property("opened").toBool());
    QCOMPARE(shell.find("confirmationIcon")->property("symbol").toString(), symbol);
    QCOMPARE(accessibleName(shell.find("confirmButton")), QStringLiteral("Open saved work"));
    shell.tap(shell.find("confirmButton"));
    QCOMPARE(confirmed.count(), 1);
}

void ShellTest::resetCancelChangesNothing()
{
    ShellHarness shell;
    signInLocally(shell.model());
    shell.model().setNotice(QStringLiteral("kept"));
    shell.settle();
    const QVariantMap before = modelSnapshot(shell.model());
    shell.tap(shell.find("resetWorkspaceButton"));
    QTRY_VERIFY(shell.object("resetConfirmation")->property("opened").toBool());
    QVERIFY(shell.visibleTexts().contains(QStringLiteral("Reset workspace?")));
    QCOMPARE(shell.find("confirmationIcon")->property("symbol").toString(),
             QStringLiteral("exclamationmark.circle"));
    shell.tap(shell.find("cancelButton"));
    QTRY_VERIFY(!shell.object("resetConfirmation")->property("visible").toBool());
    QCOMPARE(modelSnapshot(shell.model()), before);
}

void ShellTest::errorCardMessageArea_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("capped");
    QTest::newRow("one short line") << 1 << false;
    QTest::newRow("forty lines") << 40 << true;
}

void ShellTest::errorCardMessageArea()
{
    QFETCH(int, lines);
    QFETCH(bool, capped);
    ShellHarness shell;
    QStringList text;
    for (int i = 0; i < lines; ++i) text << QStringLiteral("Line %1 of the server's message.").arg(i + 1);
    shell.model().setError(text.join(QLatin1Char('\n')));
    shell.settle();
    QQuickItem *area = shell.find("errorMessageArea");
    QVERIFY(area);
    QQuickItem *message = shell.find("errorMessage");
    if (capped) {
        QCOMPARE(area->height(), 230.0);
        QVERIFY(area->property("interactive").toBool());
    } else {
        QCOMPARE(area->height(), message->property("implicitHeight").toDouble());
        QVERIFY(area->height() < 40);
    }
    // The button stays on the card, inside the window.
    QQuickItem *dismiss = shell.find("dismissErrorButton");
    QVERIFY(dismiss);
    QVERIFY(dismiss->mapToScene(QPointF(0, dismiss->height())).y() <= shell.window()->height());
}

void ShellTest::dismissingTheErrorChangesNothingElse()
{
    ShellHarness shell;
    signInLocally(shell.model());
    shell.model().setNotice(QStringLiteral("A notice that stays."));
    Me account;
    account.paymentsEnabled = true;
    shell.model().checkoutPart()->applyAccount(account);
    shell.model().checkoutPart()->watch(transactionWithStatus(QStringLiteral("awaiting_payment")));
    shell.model().setError(QStringLiteral("Square Terminal is offline."));
    shell.settle();
    const QVariantMap before = modelSnapshot(shell.model());
    QVERIFY(shell.find("errorCard"));
    QCOMPARE(shell.find("errorMessage")->property("text").toString(), QStringLiteral("Square Terminal is offline."));
    shell.tap(shell.find("dismissErrorButton"));
    QVERIFY(!shell.model().error().has_value());
    QTRY_VERIFY(!shell.find("errorCard"));
    QCOMPARE(modelSnapshot(shell.model()), before);
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
