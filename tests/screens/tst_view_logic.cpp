// The shell's view decisions and the icon table.
#include "screens/controls/Format.h"
#include "screens/controls/symbols/IconTable.h"
#include "screens/catalog/ProductRows.h"
#include "screens/controls/RowsModel.h"
#include "screens/controls/symbols/SymbolImageProvider.h"
#include "screens/controls/text/LanguageChoice.h"
#include "screens/shell/ViewLogic.h"
#include "workflow/WorkspaceLists.h"

#include <QAbstractItemModelTester>
#include <QDirIterator>
#include <QFile>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTest>

using namespace vantrel;
using namespace vantrel::screens;

class ViewLogicTest : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void quotePanelChoice_data();
    void quotePanelChoice();
    void accountSummary_data();
    void accountSummary();
    void errorMessageArea_data();
    void errorMessageArea();
    void everySymbolRenders();
    void initTestCase() { LanguageChoice::instance()->use(QString()); }
    void formatting_data();
    void formatting();
    void languageLocale_data();
    void languageLocale();
    void screensSymbolsAreInTheTable();
    void unknownSymbolAndBadColour();
    void productRowsFollowTheList_data();
    void productRowsFollowTheList();
    void productCardReadsItsRoles_data();
    void productCardReadsItsRoles();
    void rowsModelTellsOnlyWhatChanged_data();
    void rowsModelTellsOnlyWhatChanged();
};

void ViewLogicTest::layout_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<bool>("sideBySide");
    QTest::addColumn<double>("panel");
    QTest::newRow("849 uses tabs") << 849.0 << false << 365.07;
    QTest::newRow("850 side by side") << 850.0 << true << 365.5;
    QTest::newRow("1200 capped at 460") << 1200.0 << true << 460.0;
    QTest::newRow("negative width") << -5.0 << false << 0.0;
}

void ViewLogicTest::layout()
{
    QFETCH(double, width);
    QFETCH(double, panel);
    QTEST(isSideBySide(width), "sideBySide");
    QVERIFY2(qAbs(quotePanelWidth(width) - panel) < 1e-6, qPrintable(QString::number(quotePanelWidth(width))));
}

void ViewLogicTest::quotePanelChoice_data()
{
    QTest::addColumn<bool>("hasTransaction");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("own");
    QTest::addColumn<bool>("paymentStatus");
    QTest::newRow("none") << false << "" << true << false;
    QTest::newRow("own canceled gives the editor back") << true << "canceled" << true << false;
    QTest::newRow("followed canceled is shown") << true << "canceled" << false << true;
    QTest::newRow("waiting") << true << "awaiting_payment" << true << true;
    QTest::newRow("complete") << true << "complete" << true << true;
}

void ViewLogicTest::quotePanelChoice()
{
    QFETCH(bool, hasTransaction);
    QFETCH(QString, status);
    QFETCH(bool, own);
    QTEST(screens::showsPaymentStatus(hasTransaction, status, own), "paymentStatus");
}

// Which rows and captions the account sheet shows; the caption texts are the summary's own.
void ViewLogicTest::accountSummary_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("route");
    QTest::addColumn<bool>("daily");
    QTest::addColumn<QString>("shown"); // collect-on value, then the captions shown

    QTest::newRow("terminal, enabled") << true << "square_terminal" << false << "Square Terminal";
    QTest::newRow("terminal, not enabled") << false << "square_terminal" << false << "Square Terminal setup";
    QTest::newRow("register, daily import") << true << "square_register" << true << "Square Register register daily";
    QTest::newRow("register, not enabled") << false << "square_register" << false << "Square Register setup register";
    QTest::newRow("unknown route counts as terminal") << true << "carrier_pigeon" << false << "Square Terminal";
}

void ViewLogicTest::accountSummary()
{
    QFETCH(bool, enabled);
    QFETCH(QString, route);
    QFETCH(bool, daily);
    const QString notice = QStringLiteral("Call the office.");
    const AccountSummary s = screens::accountSummary(enabled, route, daily, notice);
    QStringList actual{s.collectOn};
    if (!s.setupCaption.isEmpty()) actual << (s.setupCaption == notice ? "setup" : s.setupCaption);
    if (!s.registerCaption.isEmpty()) actual << "register";
    if (s.accountingCaption != screens::accountSummary(true, {}, false, {}).accountingCaption) actual << "daily";
    QTEST(actual.join(u' '), "shown");
    QCOMPARE(s.payments == screens::accountSummary(true, route, daily, notice).payments, enabled);
    QCOMPARE(s.accounting != screens::accountSummary(enabled, route, false, notice).accounting, daily);
}

void ViewLogicTest::errorMessageArea_data()
{
    QTest::addColumn<double>("measured");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("before layout") << 0.0 << 1.0 << false;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 1.0 << false;
    QTest::newRow("one line") << 19.0 << 19.0 << false;
    QTest::newRow("exactly the cap") << 230.0 << 230.0 << false;
    QTest::newRow("forty lines") << 760.0 << 230.0 << true;
}

void ViewLogicTest::errorMessageArea()
{
    QFETCH(double, measured);
    QTEST(errorMessageAreaHeight(measured), "height");
    QTEST(errorMessageScrolls(measured), "scrolls");
}

void ViewLogicTest::everySymbolRenders()
{
    SymbolImageProvider provider;
    // A missing file, an invalid SVG or a colour left as "currentColor" draws
    // nothing in the colour asked for.
    for (const QString &symbol : iconSymbols()) {
        QSize size;
        const QImage image = provider.requestImage(symbol + "/c2560a", &size, QSize(96, 96));
        QVERIFY(size.height() <= 96 && size.width() <= 96);
        // Something was drawn, in the colour asked for.
        bool inked = false;
        for (int y = 0; y < image.height() && !inked; ++y)
            for (int x = 0; x < image.width() && !inked; ++x) {
                const QColor c = image.pixelColor(x, y);
                inked = c.alpha() == 255 && c.red() == 0xc2 && c.green() == 0x56 && c.blue() == 0x0a;
            }
        QVERIFY2(inked, qPrintable(symbol));
    }
}

void ViewLogicTest::formatting_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("secondsAgo");
    QTest::addColumn<QString>("relative");
    QTest::newRow("future clock skew") << "" << -5 << "0 seconds";
    QTest::newRow("seconds") << "" << 59 << "59 seconds";
    QTest::newRow("one minute") << "" << 60 << "1 minute";
    QTest::newRow("one day") << "" << 86400 << "1 day";
    QTest::newRow("Spanish, one second") << "es" << 1 << "1 segundo";
    QTest::newRow("Spanish, minutes") << "es" << 150 << "2 minutos";
    QTest::newRow("unknown language: English") << "xx" << 120 << "2 minutes";
}

void ViewLogicTest::formatting()
{
    QFETCH(QString, language);
    QFETCH(int, secondsAgo);
    LanguageChoice::instance()->use(language);
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
    const QString relative = screens::relativeText(now.addSecs(-secondsAgo), now);
    LanguageChoice::instance()->use(QString());
    QTEST(relative, "relative");
}

void ViewLogicTest::languageLocale_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("locale");
    QTest::newRow("system") << "" << "es_MX" << "es_MX";
    QTest::newRow("Spanish on an English system") << "es" << "en_US" << "es_ES";
    QTest::newRow("Spanish on a US Spanish system") << "es" << "es_US" << "es_US";
    QTest::newRow("English on a Spanish system") << "en" << "es_ES" << "en_US";
    QTest::newRow("unknown choice") << "fr" << "en_GB" << "en_GB";
}

void ViewLogicTest::languageLocale()
{
    QFETCH(QString, choice);
    QFETCH(QString, system);
    QTEST(localeForChoice(choice, QLocale(system)).name(), "locale");
}

// Every symbol the screens name literally is in the table.
void ViewLogicTest::screensSymbolsAreInTheTable()
{
    const QStringList table = iconSymbols();
    const QRegularExpression named(QStringLiteral("[sS]ymbol: *\"([^\"]+)\""));
    int found = 0;
    QDirIterator files(QStringLiteral(SCREENS_SOURCE_DIR), {QStringLiteral("*.qml")}, QDir::Files,
                      QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QRegularExpressionMatch &m : named.globalMatch(QString::fromUtf8(file.readAll()))) {
            QVERIFY2(table.contains(m.captured(1)), qPrintable(file.fileName() + ": " + m.captured(1)));
            ++found;
        }
    }
    QVERIFY(found > 10);
}

void ViewLogicTest::unknownSymbolAndBadColour()
{
    QVERIFY(iconResourcePath(QStringLiteral("no.such.symbol")).isEmpty());
    QVERIFY(tintedSymbolSvg(QStringLiteral("no.such.symbol"), QStringLiteral("000000")).isEmpty());
    // A colour that is not six hex digits never reaches the SVG text.
    const QByteArray svg = tintedSymbolSvg(QStringLiteral("xmark"), QStringLiteral("\"/><script>"));
    QVERIFY(!svg.contains("script"));
    QVERIFY(svg.contains("#000000"));
    SymbolImageProvider provider;
    QSize size;
    const QImage blank = provider.requestImage(QStringLiteral("no.such.symbol/000000"), &size, QSize(16, 16));
    QCOMPARE(blank.size(), QSize(16, 16));
}

// The grid's rows after the product list changes: products added or dropped
// (a refresh, a keystroke) are followed once the list is done changing; after
// a reset the rows come in a step at a time until a screenful is there, then
// the rest at once. Whatever happens on the way, they end as the list's rows
// and nothing more comes. Products are named by their number; the filter
// keeps the numbers it matches.
void ViewLogicTest::productRowsFollowTheList_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("changes"); // "insert|remove <at> <n>", "reset <n>", "filter <regex>", ';' between
    QTest::addColumn<int>("rowsAfter");
    QTest::addColumn<int>("firstRenewed"); // -1: none
    QTest::newRow("added into the last row") << 3 << 7 << "insert 7 1" << 3 << 2;
    QTest::newRow("added, a new row") << 3 << 9 << "insert 9 1" << 4 << 3;
    QTest::newRow("added at the top") << 4 << 8 << "insert 0 1" << 3 << 0;
    QTest::newRow("dropped in the middle") << 4 << 10 << "remove 5 2" << 2 << 1;
    QTest::newRow("the last row dropped") << 3 << 10 << "remove 9 1" << 3 << -1;
    QTest::newRow("all dropped") << 5 << 12 << "remove 0 12" << 0 << -1;
    QTest::newRow("a large list") << 5 << 0 << "reset 2000" << 400 << 0;
    QTest::newRow("fewer than a screenful") << 4 << 0 << "reset 10" << 3 << 0;
    QTest::newRow("reset again while filling") << 5 << 0 << "reset 2000;reset 1203" << 241 << 0;
    QTest::newRow("reset to a few while filling") << 3 << 0 << "reset 600;reset 4" << 2 << 0;
    QTest::newRow("filtered while filling") << 4 << 0 << "reset 1000;filter ^9" << 28 << 0; // 9, 90-99, 900-999
    QTest::newRow("filtered to nothing while filling") << 4 << 0 << "reset 1000;filter x" << 0 << 0;
}

void ViewLogicTest::productRowsFollowTheList()
{
    QFETCH(int, columns);
    QFETCH(int, before);
    QFETCH(QString, changes);
    QFETCH(int, rowsAfter);
    QFETCH(int, firstRenewed);
    const auto numbers = [](int count) {
        QStringList names;
        for (int i = 0; i < count; ++i) names << QString::number(i);
        return names;
    };
    QStringListModel list(numbers(before));
    QSortFilterProxyModel filtered;
    filtered.setSourceModel(&list);
    ProductRows rows;
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::QtTest);
    rows.setColumns(columns);
    rows.setSource(&filtered);
    QSignalSpy renewed(&rows, &QAbstractItemModel::dataChanged);
    const QStringList steps = changes.split(u';');
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QStringList word = steps[i].split(u' ');
        if (word[0] == u"insert") list.insertRows(word[1].toInt(), word[2].toInt());
        if (word[0] == u"remove") list.removeRows(word[1].toInt(), word[2].toInt());
        if (word[0] == u"reset") list.setStringList(numbers(word[1].toInt()));
        if (word[0] == u"filter") filtered.setFilterRegularExpression(QRegularExpression(word[1]));
        if (i > 0) continue;
        QCOMPARE(renewed.count(), 0); // the rows follow once the list is done changing
        QCoreApplication::processEvents();
        if (word[0] != u"reset") continue;
        const int full = (filtered.rowCount() + columns - 1) / columns;
        QVERIFY(rows.rowCount() > 0);
        if (full > 3) QVERIFY2(rows.rowCount() < full, "the rows came all at once");
    }
    QTRY_COMPARE(rows.rowCount(), rowsAfter);
    const int count = filtered.rowCount();
    const auto role = [&](int row, const char *name) {
        return rows.data(rows.index(row), rows.roleNames().key(name)).toInt();
    };
    for (int row = 0; row < rows.rowCount(); ++row) {
        QCOMPARE(role(row, "first"), row * columns);
        QCOMPARE(role(row, "cards"), std::min(columns, count - row * columns));
    }
    QCOMPARE(renewed.isEmpty() ? -1 : renewed.first().at(0).toModelIndex().row(), firstRenewed);
    // Settled: nothing more comes (only a reset fills a step at a time).
    if (!changes.contains(u"reset")) return;
    QTest::qWait(100);
    QCOMPARE(rows.rowCount(), rowsAfter);
}

// Every field of a card holds the product list's role of its name, for the
// product asked for; past either end the card is empty.
void ViewLogicTest::productCardReadsItsRoles_data()
{
    QTest::addColumn<int>("at");
    QTest::newRow("last") << 1;
    QTest::newRow("before the first") << -1;
    QTest::newRow("past the last") << 2;
}

void ViewLogicTest::productCardReadsItsRoles()
{
    QFETCH(int, at);
    std::unique_ptr<ProductListModel> products(makeProductList(nullptr));
    products->assign({Product{.id = QStringLiteral("P1"), .name = QStringLiteral("Chair"), .sku = QStringLiteral("CH-1"),
                              .rate = QStringLiteral("12.5"), .imagePath = QStringLiteral("/p1.jpg"),
                              .imageVersion = QStringLiteral("v1")},
                      Product{.id = QStringLiteral("P2"), .name = QStringLiteral("Desk"), .sku = QStringLiteral("DK-2WSX"),
                              .rate = QStringLiteral("99"), .stock = QStringLiteral("4")}});
    ProductRows rows;
    rows.setSource(products.get());
    const CatalogCard card = rows.productAt(at);
    const QHash<int, QByteArray> roles = products->roleNames();
    const QMetaObject &meta = CatalogCard::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        const QVariant value = property.readOnGadget(&card);
        const int role = roles.key(property.name(), -1);
        QVERIFY2(role >= 0, property.name());
        const QVariant expected = at >= 0 && at < products->rowCount() ? products->index(at).data(role)
                                                                       : QVariant(value.metaType());
        QVERIFY2(value == expected, qPrintable(QString::fromLatin1(property.name()) + u'=' + value.toString()));
    }
    if (at == 1) QVERIFY(card.assembled); // a field that is not text reads through too
}

// A state hands its rows over whole; the view hears of each changed row
// (with the roles that changed), rows added or dropped at the end, and
// never a reset. Rows are written "kind:text".
void ViewLogicTest::rowsModelTellsOnlyWhatChanged_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("changed"); // row:roles of each dataChanged
    QTest::addColumn<int>("inserted");
    QTest::addColumn<int>("removed");
    QTest::newRow("the same again") << QStringList{"a:1", "b:2"} << QStringList{"a:1", "b:2"} << "" << 0 << 0;
    QTest::newRow("one text") << QStringList{"a:1", "b:2"} << QStringList{"a:1", "b:3"} << "1:text" << 0 << 0;
    QTest::newRow("added at the end") << QStringList{"a:1"} << QStringList{"a:1", "b:2", "c:3"} << "" << 2 << 0;
    QTest::newRow("changed and added") << QStringList{"a:1"} << QStringList{"b:1", "c:2"} << "0:kind" << 1 << 0;
    QTest::newRow("dropped at the end") << QStringList{"a:1", "b:2", "c:3"} << QStringList{"a:2"} << "0:text" << 0 << 2;
    QTest::newRow("all dropped") << QStringList{"a:1"} << QStringList{} << "" << 0 << 1;
}

void ViewLogicTest::rowsModelTellsOnlyWhatChanged()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    const auto rowsOf = [](const QStringList &texts) {
        QList<QVariantMap> rows;
        for (const QString &t : texts) rows.append({{"kind", t.section(':', 0, 0)}, {"text", t.section(':', 1)}});
        return rows;
    };
    RowsModel model({"kind", "text"});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRows(rowsOf(before));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged), inserted(&model, &QAbstractItemModel::rowsInserted),
        removed(&model, &QAbstractItemModel::rowsRemoved), reset(&model, &QAbstractItemModel::modelReset),
        count(&model, &RowsModel::countChanged);
    model.setRows(rowsOf(after));
    QStringList told;
    for (const QList<QVariant> &signal : std::as_const(changed)) {
        QStringList roles;
        for (int role : signal.at(2).value<QList<int>>()) roles << QString::fromUtf8(model.roleNames().value(role));
        told << QString::number(signal.at(0).toModelIndex().row()) + ':' + roles.join('+');
    }
    QTEST(told.join(' '), "changed");
    QTEST(inserted.isEmpty() ? 0 : inserted.first().at(2).toInt() - inserted.first().at(1).toInt() + 1, "inserted");
    QTEST(removed.isEmpty() ? 0 : removed.first().at(2).toInt() - removed.first().at(1).toInt() + 1, "removed");
    QCOMPARE(reset.count(), 0);
    QCOMPARE(count.count(), before.size() == after.size() ? 0 : 1);
    const auto role = [&](int row, const char *name) { return model.index(row).data(model.roleNames().key(name)).toString(); };
    QStringList now;
    for (int row = 0; row < model.rowCount(); ++row) now << role(row, "kind") + ':' + role(row, "text");
    QCOMPARE(now, after);
}

QTEST_GUILESS_MAIN(ViewLogicTest)
#include "tst_view_logic.moc"
