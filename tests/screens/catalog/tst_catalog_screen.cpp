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

// The cards the grid shows: a card out of sight, or in a row kept for reuse, is hidden.
QList<QQuickItem *> visibleCards(QQuickItem *grid)
{
    QList<QQuickItem *> cards;
    for (QQuickItem *row : grid->property("contentItem").value<QQuickItem *>()->childItems())
        for (QQuickItem *item : row->childItems())
            if (item->isVisible() && item->objectName().startsWith(QLatin1String("productCard-"))) cards.append(item);
    return cards;
}

// The items of the card's content that reach past the card's edge; a text
// counts as wide as it draws.
QStringList overflowing(QQuickItem *card)
{
    auto *content = card->property("contentItem").value<QQuickItem *>();
    if (!content) return {card->objectName() + QStringLiteral(": no content")};
    QStringList found;
    for (QQuickItem *item : visibleBelow(content)) {
        QRectF drawn(0, 0, item->width(), item->height());
        if (item->inherits("QQuickText"))
            drawn |= QRectF(0, 0, item->property("contentWidth").toReal(), item->property("contentHeight").toReal());
        const QRectF inCard = item->mapRectToItem(card, drawn);
        const qreal slack = 0.5;
        if (inCard.left() >= -slack && inCard.top() >= -slack && inCard.right() <= card->width() + slack &&
            inCard.bottom() <= card->height() + slack)
            continue;
        const QString text = item->property("text").toString();
        found << QStringLiteral("%1: %2 at %3 in a %4 card")
                     .arg(card->objectName(), text.isEmpty() ? item->metaObject()->className() : text,
                          QDebug::toString(inCard), QDebug::toString(card->size()));
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

// A row scrolling into sight shows its own products in that very frame,
// however far and fast the grid moved (rows out of sight fill in between
// frames): a third of a row a frame, a jump of 25 rows and back, a row down
// and half up; moves in rows, each checked before any event is handled.
void CatalogScreen::cardsInSightShowTheirPlaces()
{
    VisibleProducts *products = m_app.shell->model().catalogPart()->visible();
    products->setQuery({});
    QQuickItem *grid = nullptr;
    QTRY_VERIFY((grid = m_app.shell->find(QStringLiteral("productGrid"))) != nullptr);
    const int skuRole = products->roleNames().key("sku");
    qreal y = 0;
    for (qreal move : QList<qreal>(12, 1.0 / 3) + QList<qreal>{25, -25, 1, -0.5, 1, -0.5}) {
        grid->setProperty("contentY", y += move * grid->property("cellHeight").toReal());
        for (QQuickItem *card : visibleCards(grid)) {
            const int place = card->parentItem()->property("first").toInt() + card->property("index").toInt();
            QCOMPARE(card->objectName(), "productCard-" + products->index(place, 0).data(skuRole).toString());
        }
        m_app.shell->settle();
    }
}

QTEST_MAIN(CatalogScreen)
#include "tst_catalog_screen.moc"
