#include "SymbolImage.h"

#include "SymbolImageProvider.h"

#include <QPainter>
#include <QSvgRenderer>

namespace vantrel {

SymbolImage::SymbolImage(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

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

void SymbolImage::paint(QPainter *painter)
{
    QSvgRenderer renderer(tintedSymbolSvg(m_symbol, m_color.name(QColor::HexRgb).mid(1)));
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
