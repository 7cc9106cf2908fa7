#include "ProductCardFace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QTimer>

namespace vantrel::screens {

namespace {

// Faces waiting for a picture, drawn in turns of the event loop of at most a
// few milliseconds each: a screenful of cards made or rebound at once must
// not hold the main thread for all their pictures in one go. A face still
// waiting when its frame comes is drawn then.
class DrawTurns : public QObject {
public:
    static void add(ProductCardFace *face)
    {
        static QPointer<DrawTurns> turns;
        if (!turns) turns = new DrawTurns(QCoreApplication::instance());
        turns->m_waiting.append(face);
        if (!turns->m_next.isActive()) turns->m_next.start();
    }

private:
    static constexpr qint64 turnNs = 3'000'000;

    explicit DrawTurns(QObject *parent) : QObject(parent)
    {
        m_next.setSingleShot(true);
        m_next.setInterval(0);
        connect(&m_next, &QTimer::timeout, this, &DrawTurns::turn);
    }
    void turn()
    {
        QElapsedTimer spent;
        spent.start();
        while (!m_waiting.isEmpty() && spent.nsecsElapsed() < turnNs)
            if (QPointer<ProductCardFace> face = m_waiting.takeFirst()) face->drawIfStale();
        if (!m_waiting.isEmpty()) m_next.start();
    }

    QList<QPointer<ProductCardFace>> m_waiting;
    QTimer m_next;
};

} // namespace

ProductCardFace::ProductCardFace(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    // Scaled (a pressed card), the picture is filtered; at rest it is copied
    // pixel for pixel.
    connect(this, &QQuickItem::scaleChanged, this, &QQuickItem::update);
}

void ProductCardFace::setProduct(const CatalogCard &product)
{
    m_product = product;
    emit productChanged();
    relayout();
}

void ProductCardFace::setTheme(QObject *theme)
{
    if (m_theme == theme) return;
    m_theme = theme;
    m_look = CardLook::make(theme, texts());
    emit lookChanged();
    relayout();
}

void ProductCardFace::setPadding(qreal padding)
{
    if (qFuzzyCompare(m_padding, padding)) return;
    m_padding = padding;
    emit lookChanged();
    relayout();
}

void ProductCardFace::setTexts(const QStringList &texts)
{
    if (texts == this->texts()) return;
    m_look = CardLook::make(m_theme, texts);
    emit lookChanged();
    relayout();
}

void ProductCardFace::changeState(bool &member, bool value)
{
    if (member == value) return;
    member = value;
    emit stateChanged();
    redrawSoon();
}

void ProductCardFace::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size()) relayout();
}

void ProductCardFace::relayout()
{
    const QRectF photoBefore = photoRect();
    // A card being made has no size yet: it is laid out once it has one.
    if (width() > 0 && height() > 0)
        m_picture.emplace(m_product, m_look, size(), m_padding);
    else
        m_picture.reset();
    if (photoRect() != photoBefore) emit photoRectChanged();
    redrawSoon();
}

void ProductCardFace::redrawSoon()
{
    m_stale = true;
    polish();
    update();
    if (m_redrawQueued) return;
    m_redrawQueued = true;
    DrawTurns::add(this);
}

void ProductCardFace::drawIfStale()
{
    m_redrawQueued = false;
    if (m_stale) redrawNow();
}

void ProductCardFace::redrawNow()
{
    m_stale = false;
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    m_image = m_picture ? m_picture->draw(m_state, ratio) : QImage();
    update();
}

void ProductCardFace::updatePolish()
{
    if (m_stale) redrawNow();
}

QSGNode *ProductCardFace::updatePaintNode(QSGNode *old, UpdatePaintNodeData *)
{
    auto *node = static_cast<QSGImageNode *>(old);
    if (!m_picture || width() <= 0 || height() <= 0) {
        delete node;
        return nullptr;
    }
    if (!node) {
        node = window()->createImageNode();
        node->setOwnsTexture(true);
        // A node made anew (the scene was rebuilt) needs the picture again.
        if (m_image.isNull()) m_image = m_picture->draw(m_state, window()->effectiveDevicePixelRatio());
    }
    if (!m_image.isNull()) {
        // The texture keeps the only copy of the pixels.
        node->setTexture(window()->createTextureFromImage(m_image));
        m_image = QImage();
    }
    node->setFiltering(qFuzzyCompare(scale(), 1.0) ? QSGTexture::Nearest : QSGTexture::Linear);
    node->setRect(boundingRect());
    node->setSourceRect(QRectF(QPointF(0, 0), node->texture()->textureSize()));
    return node;
}

void ProductCardFace::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickItem::itemChange(change, value);
    // Drawn for the pixels of the window it shows in.
    if (change == ItemDevicePixelRatioHasChanged || (change == ItemSceneChange && value.window)) redrawSoon();
}

} // namespace vantrel::screens
