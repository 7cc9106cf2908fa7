// The catalog grid in the app window against the demo stand-in: whatever the
// window's width and however many products the search leaves, every card
// draws its photo and lines inside its own edge.
#include "DemoApp.h"

#include "workflow/CatalogPart.h"
#include "workflow/VisibleProducts.h"

#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

void visibleBelow(QQuickItem *item, QList<QQuickItem *> &out)
{
    for (QQuickItem *child : item->childItems()) {
        if (!child->isVisible()) continue;
        out.append(child);
        visibleBelow(child, out);
    }
}

// The cards of the rows the grid shows (rows it keeps for reuse stay
// "visible" but are not drawn).
QList<QQuickItem *> visibleCards(QQuickItem *grid)
{
    QList<QQuickItem *> cards;
    for (int index = 0; index < grid->property("count").toInt(); ++index) {
        QQuickItem *row = nullptr;
        QMetaObject::invokeMethod(grid, "itemAtIndex", Q_RETURN_ARG(QQuickItem *, row), Q_ARG(int, index));
        if (!row) continue;
        for (QQuickItem *item : row->childItems())
            if (item->isVisible() && item->objectName().startsWith(QLatin1String("productCard-"))) cards.append(item);
    }
    return cards;
}

// The items of the card's content that reach past the card's edge; a text
// counts as wide as it draws.
QStringList overflowing(QQuickItem *card)
{
    auto *content = card->property("contentItem").value<QQuickItem *>();
    if (!content) return {card->objectName() + QStringLiteral(": no content")};
    QList<QQuickItem *> items{content};
    visibleBelow(content, items);
    QStringList found;
    for (QQuickItem *item : std::as_const(items)) {
        QRectF drawn(0, 0, item->width(), item->height());
        if (item->inherits("QQuickText"))
            drawn |= QRectF(0, 0, item->property("contentWidth").toReal(), item->property("contentHeight").toReal());
        const QRectF inCard = item->mapRectToItem(card, drawn);
        const qreal slack = 0.5;
        if (inCard.left() >= -slack && inCard.top() >= -slack && inCard.right() <= card->width() + slack &&
            inCard.bottom() <= card->height() + slack)
            continue;
        const QString text = item->property("text").toString();
        found << QStringLiteral("%1: %2 at %3,%4 %5x%6 in a %7x%8 card")
                     .arg(card->objectName(), text.isEmpty() ? QString::fromLatin1(item->metaObject()->className()) : text)
                     .arg(inCard.x())
                     .arg(inCard.y())
                     .arg(inCard.width())
                     .arg(inCard.height())
                     .arg(card->width())
                     .arg(card->height());
    }
    return found;
}

} // namespace

class CatalogScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cardsKeepTheirContentInside_data();
    void cardsKeepTheirContentInside();
    void cardsInSightShowTheirPlaces_data();
    void cardsInSightShowTheirPlaces();

private:
    DemoApp m_app;
};

void CatalogScreen::initTestCase()
{
    m_app.open({.window = QSize(1280, 900)});
}

void CatalogScreen::cleanupTestCase()
{
    m_app.close();
}

// The assembled units' "Assembled from … and a hardware kit" line is wider
// than a card at all these widths; the whole catalog's first rows have no such
// line and try the change of columns alone. `count` is how many products the
// search leaves, or -1 for more than a screenful.
void CatalogScreen::cardsKeepTheirContentInside_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("one, wide to narrow") << "B30-WSX" << 1 << 1600 << 800;
    QTest::newRow("two, narrow to wide") << "2-WSX" << 2 << 600 << 1600;
    QTest::newRow("assembled, narrow to wide") << "Assembled" << -1 << 600 << 1280;
    QTest::newRow("all, wide to narrow") << "" << -1 << 1600 << 800;
}

void CatalogScreen::cardsKeepTheirContentInside()
{
    QFETCH(QString, query);
    QFETCH(int, count);
    QFETCH(int, from);
    QFETCH(int, to);
    ShellHarness &shell = *m_app.shell;
    VisibleProducts *products = shell.model().catalogPart()->visible();
    products->setQuery(query);
    if (count >= 0) QCOMPARE(products->count(), count);
    else QVERIFY(products->count() > 3);
    for (int width : {from, to}) {
        shell.resize(width, 900);
        QQuickItem *grid = nullptr;
        QTRY_VERIFY((grid = shell.find(QStringLiteral("productGrid"))) != nullptr);
        // A few show at once: wait for them all; more, for a row at least.
        if (count >= 0) QTRY_COMPARE(visibleCards(grid).size(), qsizetype(count));
        else QTRY_VERIFY(visibleCards(grid).size() >= 3);
        shell.settle();
        QStringList found;
        for (QQuickItem *card : visibleCards(grid)) found << overflowing(card);
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("at %1: ").arg(width) + found.join(QStringLiteral("; "))));
    }
}

// Rows out of sight take their products a card at a time between frames; a
// row that scrolls into sight shows its own products in that very frame,
// however far and fast the grid moved. `moves` are in rows; after each one
// the grid is checked before any event is handled, then again once settled.
void CatalogScreen::cardsInSightShowTheirPlaces_data()
{
    QTest::addColumn<QList<qreal>>("moves");
    QTest::newRow("down a third of a row a frame") << QList<qreal>(12, 1.0 / 3);
    QTest::newRow("a jump of many rows, and back") << QList<qreal>{25, -25};
    QTest::newRow("down a row, up half a row") << QList<qreal>{1, -0.5, 1, -0.5, 1, -0.5};
}

void CatalogScreen::cardsInSightShowTheirPlaces()
{
    QFETCH(QList<qreal>, moves);
    ShellHarness &shell = *m_app.shell;
    VisibleProducts *products = shell.model().catalogPart()->visible();
    products->setQuery({});
    shell.resize(1280, 900);
    QQuickItem *grid = nullptr;
    QTRY_VERIFY((grid = shell.find(QStringLiteral("productGrid"))) != nullptr);
    QTRY_VERIFY(visibleCards(grid).size() >= 3);
    grid->setProperty("contentY", 0);
    shell.settle();
    const int skuRole = products->roleNames().key("sku");
    const qreal rowHeight = grid->property("cellHeight").toReal();
    const auto misplaced = [&] {
        QStringList found;
        for (QQuickItem *card : visibleCards(grid)) {
            const int place = card->parentItem()->property("first").toInt() + card->property("index").toInt();
            const QString sku = products->index(place, 0).data(skuRole).toString();
            if (card->objectName() != QLatin1String("productCard-") + sku)
                found << QStringLiteral("%1 at %2 (%3)").arg(card->objectName()).arg(place).arg(sku);
        }
        return found;
    };
    qreal y = 0;
    for (qreal move : std::as_const(moves)) {
        y += move * rowHeight;
        grid->setProperty("contentY", y);
        QStringList found = misplaced();
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("at once at %1: ").arg(y) + found.join(QStringLiteral("; "))));
        shell.settle();
        found = misplaced();
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("settled at %1: ").arg(y) + found.join(QStringLiteral("; "))));
    }
}

QTEST_MAIN(CatalogScreen)
#include "tst_catalog_screen.moc"
