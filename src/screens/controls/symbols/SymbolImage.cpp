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
    painter->setRenderHint(QPainter::Antialiasing);
    if (m_disc.alpha() > 0) {
        // Drawn as a rounded rectangle as round as it can be, the way the
        // scene draws a Rectangle whose radius is half its side.
        const qreal radius = std::floor(std::min(width(), height()) / 2);
        painter->setPen(Qt::NoPen);
        painter->setBrush(m_disc);
        painter->drawRoundedRect(QRectF(0, 0, 2 * radius, 2 * radius), radius, radius);
    }
    QSvgRenderer &renderer = vantrel::renderer(m_symbol, m_color);
    if (!renderer.isValid()) return;
    QSizeF natural = renderer.defaultSize();
    if (natural.isEmpty()) natural = QSizeF(24, 24);
    const QSizeF box(std::max(0.0, width() - 2 * m_padding), std::max(0.0, height() - 2 * m_padding));
    const QSizeF fitted = natural.scaled(box, Qt::KeepAspectRatio);
    const qreal x = m_padding + (m_alignLeft ? 0 : (box.width() - fitted.width()) / 2);
    const qreal y = m_padding + (box.height() - fitted.height()) / 2;
    renderer.render(painter, QRectF(QPointF(x, y), fitted));
}

} // namespace vantrel
