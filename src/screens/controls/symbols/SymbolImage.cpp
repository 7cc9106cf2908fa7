#include "SymbolImage.h"

#include "SymbolImageProvider.h"

#include <QPainter>
#include <QHash>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vantrel {

SymbolImage::SymbolImage(QQuickItem *parent) : QQuickPaintedItem(parent) { setAntialiasing(true); }

template <class T> void SymbolImage::change(T &member, const T &value, void (SymbolImage::*changed)())
{
    if (value == member) return;
    member = value;
    emit(this->*changed)();
    update();
}

void SymbolImage::setSymbol(const QString &symbol) { change(m_symbol, symbol, &SymbolImage::symbolChanged); }
void SymbolImage::setColor(const QColor &color) { change(m_color, color, &SymbolImage::colorChanged); }
void SymbolImage::setAlignLeft(bool alignLeft)
{
    change(m_alignLeft, alignLeft, &SymbolImage::alignLeftChanged);
}
void SymbolImage::setDisc(const QColor &disc) { change(m_disc, disc, &SymbolImage::discChanged); }
void SymbolImage::setPadding(qreal padding) { change(m_padding, padding, &SymbolImage::paddingChanged); }

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
    if (m_disc.alpha() > 0) drawDisc(painter, QRectF(0, 0, width(), height()), m_disc);
    const QRectF box(m_padding, m_padding, std::max(0.0, width() - 2 * m_padding),
                     std::max(0.0, height() - 2 * m_padding));
    drawSymbol(painter, m_symbol, m_color, box, m_alignLeft);
}

void SymbolImage::drawDisc(QPainter *painter, const QRectF &square, const QColor &color)
{
    // Drawn as a rounded rectangle as round as it can be, the way the scene
    // draws a Rectangle whose radius is half its side.
    const qreal radius = std::floor(std::min(square.width(), square.height()) / 2);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawRoundedRect(QRectF(square.topLeft(), QSizeF(2 * radius, 2 * radius)), radius, radius);
    painter->restore();
}

void SymbolImage::drawSymbol(QPainter *painter, const QString &symbol, const QColor &color, const QRectF &box,
                             bool alignLeft)
{
    QSvgRenderer &renderer = vantrel::renderer(symbol, color);
    if (!renderer.isValid()) return;
    QSizeF natural = renderer.defaultSize();
    if (natural.isEmpty()) natural = QSizeF(24, 24);
    const QSizeF fitted = natural.scaled(box.size(), Qt::KeepAspectRatio);
    const qreal x = box.x() + (alignLeft ? 0 : (box.width() - fitted.width()) / 2);
    const qreal y = box.y() + (box.height() - fitted.height()) / 2;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // The tint is opaque; a colour's alpha is the icon's opacity.
    painter->setOpacity(painter->opacity() * color.alphaF());
    renderer.render(painter, QRectF(QPointF(x, y), fitted));
    painter->restore();
}

} // namespace vantrel
