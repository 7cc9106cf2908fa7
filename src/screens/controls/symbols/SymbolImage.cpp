#include "SymbolImage.h"

#include "SymbolImageProvider.h"

#include <QPainter>
#include <QHash>
#include <QSvgRenderer>

#include <memory>

namespace vantrel {

SymbolImage::SymbolImage(QQuickItem *parent) : QQuickPaintedItem(parent) { setAntialiasing(true); }

void SymbolImage::setSymbol(const QString &symbol)
{
    if (symbol == m_symbol) return;
    m_symbol = symbol;
    emit symbolChanged();
    update();
}

void SymbolImage::setColor(const QColor &color)
{
    if (color == m_color) return;
    m_color = color;
    emit colorChanged();
    update();
}

void SymbolImage::setAlignLeft(bool alignLeft)
{
    if (alignLeft == m_alignLeft) return;
    m_alignLeft = alignLeft;
    emit alignLeftChanged();
    update();
}

namespace {

// Parsed icons by symbol and colour: a screen paints the same few dozen over
// and over, and parsing the SVG on every paint showed in scrolling.
QSvgRenderer &renderer(const QString &symbol, const QColor &color)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> parsed;
    const QString hex = color.name(QColor::HexRgb).mid(1);
    const QString key = symbol + QLatin1Char('#') + hex;
    std::shared_ptr<QSvgRenderer> &entry = parsed[key];
    if (!entry) entry = std::make_shared<QSvgRenderer>(tintedSymbolSvg(symbol, hex));
    return *entry;
}

} // namespace

void SymbolImage::paint(QPainter *painter)
{
    QSvgRenderer &renderer = vantrel::renderer(m_symbol, m_color);
    if (!renderer.isValid()) return;
    QSizeF natural = renderer.defaultSize();
    if (natural.isEmpty()) natural = QSizeF(24, 24);
    const QSizeF fitted = natural.scaled(size(), Qt::KeepAspectRatio);
    const qreal x = m_alignLeft ? 0 : (width() - fitted.width()) / 2;
    const qreal y = (height() - fitted.height()) / 2;
    painter->setRenderHint(QPainter::Antialiasing);
    renderer.render(painter, QRectF(QPointF(x, y), fitted));
}

} // namespace vantrel
