// The catalog grid in the app window against the demo stand-in: whatever the
// window's width and however many products the search leaves, every card
// draws its photo and lines inside its own edge.
#include "DemoApp.h"

#include "screens/catalog/ProductCardFace.h"
#include "workflow/CatalogPart.h"
#include "workflow/VisibleProducts.h"

#include <QPainter>
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

screens::ProductCardFace *faceOf(QQuickItem *card)
{
    return qobject_cast<screens::ProductCardFace *>(card->property("background").value<QQuickItem *>());
}

// The card's product drawn anew at the card's size, as the face draws it.
QImage drawnFace(screens::ProductCardFace *face)
{
    const screens::CardState state{face->hovered(), face->photoShown(), face->photoLoading()};
    return screens::CardPicture(face->product(), screens::CardLook::make(face->theme(), face->texts()), face->size(),
                                face->padding())
        .draw(state, 1);
}

// Marks a card draws in the band between its edge and its padding's inner
// side (corners aside), where only its surface shows.
QStringList overflowing(QQuickItem *card)
{
    screens::ProductCardFace *face = faceOf(card);
    if (!face) return {card->objectName() + QStringLiteral(": no face")};
    const QImage drawn = drawnFace(face);
    const int pad = int(face->padding()), corner = 20, w = drawn.width(), h = drawn.height();
    const QRgb surface = drawn.pixel(w / 2, 2);
    int marks = 0;
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            const bool band = x < pad || x >= w - pad || y < pad || y >= h - pad;
            const bool inCorner = (x < corner || x >= w - corner) && (y < corner || y >= h - corner);
            marks += band && !inCorner && drawn.pixel(x, y) != surface;
        }
    if (!marks) return {};
    return {QStringLiteral("%1: %2 marks in its padding").arg(card->objectName()).arg(marks)};
}

// The card as the window shows it, inside the grid's view, against its
// product drawn anew; the photo's box is blanked in both (the photo is an
// item of its own over the face).
bool showsItsProduct(const QImage &screen, QQuickItem *grid, QQuickItem *card)
{
    screens::ProductCardFace *face = faceOf(card);
    if (!face) return false;
    const QRect at = face->mapRectToScene(face->boundingRect()).toRect();
    const QRect seen = at & grid->mapRectToScene(grid->boundingRect()).toRect();
    if (seen.isEmpty()) return true; // only its gap shows
    QImage shown = screen.copy(seen).convertToFormat(QImage::Format_RGB32);
    QImage drawn = drawnFace(face).copy(seen.translated(-at.topLeft()));
    for (QImage *image : {&shown, &drawn})
        QPainter(image).fillRect(face->photoRect().translated(at.topLeft() - seen.topLeft()), Qt::black);
    return shown == drawn;
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
        // ... and the frame shows each card's own picture.
        const QImage screen = m_app.shell->window()->grabWindow();
        for (QQuickItem *card : visibleCards(grid)) QVERIFY2(showsItsProduct(screen, grid, card), qPrintable(card->objectName()));
        m_app.shell->settle();
    }
}

QTEST_MAIN(CatalogScreen)
#include "tst_catalog_screen.moc"
