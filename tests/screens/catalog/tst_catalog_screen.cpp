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
    QList<QQuickItem *> cards = visibleBelow(grid->property("contentItem").value<QQuickItem *>());
    cards.removeIf([](QQuickItem *item) { return !item->objectName().startsWith(QLatin1String("productCard-")); });
    return cards;
}

// What is wrong with a card in the window's picture: it is not its product's
// picture drawn anew (inside the grid's view, the photo's box blanked: the
// photo is an item over the face), or its picture has marks in the band
// between its edge and its padding's inner side (corners aside), where only
// its surface shows. Empty when nothing is.
QString cardFault(const QImage &screen, QQuickItem *grid, QQuickItem *card)
{
    auto *face = qobject_cast<screens::ProductCardFace *>(card->property("background").value<QQuickItem *>());
    if (!face) return card->objectName() + QStringLiteral(": no face; ");
    const QImage drawn = screens::CardPicture(face->product(), screens::CardLook::make(face->theme(), face->texts()),
                                              face->size(), face->padding())
                             .draw({face->hovered(), face->photoShown(), face->photoLoading()}, 1);
    const QRect at = face->mapRectToScene(face->boundingRect()).toRect();
    const QRect seen = (at & grid->mapRectToScene(grid->boundingRect()).toRect()).translated(-at.topLeft());
    if (seen.isEmpty()) return {}; // only its gap shows
    QImage shown = screen.copy(seen.translated(at.topLeft())).convertToFormat(QImage::Format_RGB32),
           part = drawn.copy(seen);
    for (QImage *image : {&shown, &part}) QPainter(image).fillRect(face->photoRect().translated(-seen.topLeft()), Qt::black);
    if (shown != part) return card->objectName() + QStringLiteral(": not its product's picture; ");
    const int pad = int(face->padding()), corner = 20, w = drawn.width(), h = drawn.height();
    int marks = 0;
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x)
            marks += (x < pad || x >= w - pad || y < pad || y >= h - pad) &&
                     !((x < corner || x >= w - corner) && (y < corner || y >= h - corner)) &&
                     drawn.pixel(x, y) != drawn.pixel(w / 2, 2);
    return marks ? QStringLiteral("%1: %2 marks in its padding; ").arg(card->objectName()).arg(marks) : QString();
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
// line and try the change of columns alone.
void CatalogScreen::cardsKeepTheirContentInside_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("one, wide to narrow") << "B30-WSX" << 1600 << 800;
    QTest::newRow("two, narrow to wide") << "2-WSX" << 600 << 1600;
    QTest::newRow("assembled, narrow to wide") << "Assembled" << 600 << 1280;
    QTest::newRow("all, wide to narrow") << "" << 1600 << 800;
}

void CatalogScreen::cardsKeepTheirContentInside()
{
    QFETCH(QString, query);
    QFETCH(int, from);
    QFETCH(int, to);
    ShellHarness &shell = *m_app.shell;
    VisibleProducts *products = shell.model().catalogPart()->visible();
    products->setQuery(query);
    QVERIFY(products->count() > 0);
    for (int width : {from, to}) {
        shell.resize(width, 900);
        QQuickItem *grid = nullptr;
        QTRY_VERIFY((grid = shell.find(QStringLiteral("productGrid"))) != nullptr);
        // A few show at once: wait for them all; more, for a row at least.
        QTRY_VERIFY(visibleCards(grid).size() >= std::min<qsizetype>(products->count(), 3));
        shell.settle();
        const QImage screen = shell.window()->grabWindow();
        QString found;
        for (QQuickItem *card : visibleCards(grid)) found += cardFault(screen, grid, card);
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("at %1: ").arg(width) + found));
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
        const QImage screen = m_app.shell->window()->grabWindow(); // renders, handles no event
        for (QQuickItem *card : visibleCards(grid)) {
            const int place = card->parentItem()->property("first").toInt() + card->property("index").toInt();
            QCOMPARE(card->objectName(), "productCard-" + products->index(place, 0).data(skuRole).toString());
            QVERIFY2(cardFault(screen, grid, card).isEmpty(), qPrintable(cardFault(screen, grid, card)));
        }
        m_app.shell->settle();
    }
}

QTEST_MAIN(CatalogScreen)
#include "tst_catalog_screen.moc"
