#include "CardPicture.h"

#include "screens/controls/symbols/SymbolImage.h"

#include <QFontMetricsF>
#include <QCache>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace vantrel::screens {

namespace {

constexpr qreal blockGap = 8; // between the four blocks
constexpr qreal addSide = 32; // the add disc
constexpr qreal wellRadius = 12;
constexpr qreal placeholderIcon = 26;

qreal lineHeight(const QFont &font) { return std::ceil(QFontMetricsF(font).height()); }

// A field shown on one line: line breaks and tabs read as spaces.
QString oneLine(const QString &text) { return text.simplified(); }

// Where each of the four blocks starts, given their heights, stacked
// `blockGap` apart in `available`: the height they leave over is shared out
// in proportion to their whole-pixel heights, and each block sits centred in
// its share, on a whole pixel.
std::array<qreal, 4> blockTops(const std::array<qreal, 4> &heights, qreal available)
{
    std::array<qreal, 4> whole{};
    std::transform(heights.begin(), heights.end(), whole.begin(), [](qreal h) { return std::ceil(h); });
    const qreal sum = whole[0] + whole[1] + whole[2] + whole[3];
    const qreal leftOver = available - (sum + 3 * blockGap);
    // What each block grows by, and where the next one starts before and
    // after rounding.
    std::array<qreal, 4> grows{};
    for (int i = 0; i < 4; ++i) grows[i] = leftOver > 0 && sum > 0 ? leftOver * whole[i] / sum : 0;
    std::array<qreal, 4> start{}, rounded{};
    qreal plain = 0, grown = 0;
    for (int i = 1; i < 4; ++i) {
        plain += whole[i - 1] + blockGap;
        grown += grows[i - 1];
        start[i] = plain + grown;
        rounded[i] = std::floor(start[i] + 0.5);
    }
    std::array<qreal, 4> tops{};
    for (int i = 0; i < 4; ++i) {
        // The share on whole pixels: what rounding the starts took from or
        // gave to this block; the last takes what is left.
        const qreal size =
            i == 3 ? available - rounded[3]
                   : whole[i] + grows[i] - (rounded[i] - start[i]) + (rounded[i + 1] - start[i + 1]);
        const qreal share = std::max(std::ceil(heights[i]), std::floor(size + 0.5));
        tops[i] = std::floor(rounded[i] + (share - std::min(heights[i], share)) / 2 + 0.5);
    }
    return tops;
}

// `text` broken into lines at most `width` wide, at words where it can; the
// last line allowed takes the rest, elided.
QStringList wrapped(const QString &text, const QFont &font, qreal width, int maxLines)
{
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(shown, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const QFontMetricsF metrics(font);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            lines.append(metrics.elidedText(oneLine(text.mid(line.textStart())), Qt::ElideRight, width));
            break;
        }
        lines.append(shown.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    if (lines.isEmpty()) lines.append(QString());
    return lines;
}

void drawLine(QPainter &painter, const QRectF &box, const QFont &font, const QColor &color,
              const QString &text)
{
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QPointF(box.x(), box.y() + std::round(metrics.ascent())),
                     metrics.elidedText(oneLine(text), Qt::ElideRight, box.width()));
}

} // namespace

CardLook CardLook::make(const QObject *theme, const QStringList &texts)
{
    CardLook look;
    look.assembled = texts.value(0);
    look.loadingPhoto = texts.value(1);
    look.photoUnavailable = texts.value(2);
    if (theme) {
        const auto colour = [theme](const char *name) { return theme->property(name).value<QColor>(); };
        const QString family = theme->property("fontFamily").toString();
        const auto font = [theme, &family](const char *size, QFont::Weight weight) {
            QFont font(family);
            font.setPixelSize(std::max(1, theme->property(size).toInt()));
            font.setWeight(weight);
            return font;
        };
        look.backdrop = colour("canvas");
        look.surface = colour("surface");
        look.edge = colour("cardEdge");
        look.edgeHovered = colour("cardEdgeHovered");
        look.photoWell = colour("photoWell");
        look.primaryText = colour("primaryText");
        look.secondaryText = colour("secondaryText");
        look.ink = colour("ink");
        look.nameFont = font("subheadline", QFont::DemiBold);
        look.badgeFont = font("caption2", QFont::Bold);
        look.captionFont = font("caption", QFont::Normal);
        look.priceFont = font("headline", QFont::Bold);
        look.radius = theme->property("cardRadius").toReal();
    }
    QStringList key{look.loadingPhoto, look.photoUnavailable, look.captionFont.toString(),
                    QString::number(look.radius)};
    for (const QColor &colour : {look.backdrop, look.surface, look.edge, look.edgeHovered, look.photoWell,
                                 look.secondaryText, look.ink})
        key << colour.name(QColor::HexArgb);
    look.blankKey = key.join(QLatin1Char('|'));
    return look;
}

CardPicture::CardPicture(const CatalogCard &product, const CardLook &look, QSizeF size, qreal padding)
    : m_product(product), m_look(look), m_size(size)
{
    const qreal width = std::max(0.0, size.width() - 2 * padding);
    const qreal height = std::max(0.0, size.height() - 2 * padding);
    const qreal photoHeight = width * 0.72;
    const QSizeF badge =
        product.assembled
            ? QSizeF(std::ceil(QFontMetricsF(look.badgeFont).horizontalAdvance(look.assembled) + 12),
                     std::ceil(lineHeight(look.badgeFont) + 6))
            : QSizeF();
    const qreal nameWidth = width - (product.assembled ? badge.width() + 6 : 0);
    m_nameLines = wrapped(product.name, look.nameFont, std::max(0.0, nameWidth), 2);
    const qreal nameHeight = m_nameLines.size() * lineHeight(look.nameFont);
    const qreal nameRow = std::max(nameHeight, badge.height());
    const qreal caption = lineHeight(look.captionFont);
    const qreal price = lineHeight(look.priceFont);
    const bool composite = !product.compositeStockLine.isEmpty();
    const qreal priceRow = std::max(price + 2 + caption + (composite ? 2 + caption : 0), addSide);
    const auto tops = blockTops({photoHeight, nameRow, caption, priceRow}, height);

    m_photo = QRectF(padding, padding + tops[0], width, photoHeight);
    m_name = QRectF(padding, padding + tops[1] + std::floor((nameRow - nameHeight) / 2 + 0.5), nameWidth,
                    nameHeight);
    m_badge = QRectF(QPointF(padding + width - badge.width(), padding + tops[1]), badge);
    m_sku = QRectF(padding, padding + tops[2], width, caption);
    m_price = QRectF(padding, padding + tops[3], std::max(0.0, width - addSide - 10), price);
    m_add = QRectF(padding + width - addSide, padding + tops[3] + priceRow - addSide, addSide, addSide);
}

QImage CardPicture::draw(const CardState &state, qreal devicePixelRatio) const
{
    // What is the same on many cards (the surface, the well and its
    // placeholder, the add disc) is drawn once per place and state and copied;
    // only the product's words are drawn on each.
    QStringList key{m_look.blankKey};
    for (qreal number : {m_size.width(), m_size.height(), devicePixelRatio, m_photo.x(), m_photo.y(),
                         m_photo.width(), m_photo.height(), m_add.x(), m_add.y()})
        key << QString::number(number);
    key << QString::number(int(state.hovered) + 2 * int(state.photoShown) + 4 * int(state.photoLoading));
    thread_local QCache<QString, QImage> blanks(4096); // in KiB
    QImage image;
    const QString joined = key.join(QLatin1Char('|'));
    if (const QImage *blank = blanks.object(joined))
        image = *blank;
    else {
        image = drawBlank(state, devicePixelRatio);
        blanks.insert(joined, new QImage(image), int(image.sizeInBytes() / 1024));
    }
    if (image.isNull()) return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBody(painter);
    return image;
}

QImage CardPicture::drawBlank(const CardState &state, qreal devicePixelRatio) const
{
    const QSize pixels(int(std::ceil(m_size.width() * devicePixelRatio)),
                       int(std::ceil(m_size.height() * devicePixelRatio)));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(m_look.backdrop);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The surface, its one-pixel edge inside its bounds.
    painter.setPen(QPen(state.hovered ? m_look.edgeHovered : m_look.edge, 1));
    painter.setBrush(m_look.surface);
    const qreal radius = std::max(0.0, m_look.radius - 0.5);
    painter.drawRoundedRect(QRectF(QPointF(0.5, 0.5), m_size - QSizeF(1, 1)), radius, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_look.photoWell);
    painter.drawRoundedRect(m_photo, wellRadius, wellRadius);
    if (!state.photoShown) drawPlaceholder(painter, state.photoLoading);
    SymbolImage::drawDisc(&painter, m_add, m_look.ink);
    SymbolImage::drawSymbol(&painter, QStringLiteral("plus"), m_look.surface, m_add.adjusted(8, 8, -8, -8));
    return image;
}

void CardPicture::drawBody(QPainter &painter) const
{
    const qreal nameLine = lineHeight(m_look.nameFont);
    for (int i = 0; i < m_nameLines.size(); ++i)
        drawLine(painter, m_name.translated(0, i * nameLine), m_look.nameFont, m_look.primaryText,
                 m_nameLines.at(i));
    if (m_product.assembled) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_look.ink);
        painter.drawRoundedRect(m_badge, 6, 6);
        painter.setFont(m_look.badgeFont);
        painter.setPen(m_look.surface);
        painter.drawText(m_badge, Qt::AlignCenter, m_look.assembled);
    }
    drawLine(painter, m_sku, m_look.captionFont, m_look.secondaryText, m_product.sku);
    drawLine(painter, m_price, m_look.priceFont, m_look.primaryText, m_product.priceText);
    QRectF line = m_price.translated(0, m_price.height() + 2);
    line.setHeight(lineHeight(m_look.captionFont));
    drawLine(painter, line, m_look.captionFont, m_look.secondaryText, m_product.stockLine);
    if (!m_product.compositeStockLine.isEmpty())
        drawLine(painter, line.translated(0, line.height() + 2), m_look.captionFont, m_look.secondaryText,
                 m_product.compositeStockLine);
}

// An icon over a note, centred in the well: the photo is still loading, or
// there is none to be had.
void CardPicture::drawPlaceholder(QPainter &painter, bool loading) const
{
    const QString note = loading ? m_look.loadingPhoto : m_look.photoUnavailable;
    const qreal noteHeight = lineHeight(m_look.captionFont);
    const qreal top = m_photo.center().y() - (placeholderIcon + 6 + noteHeight) / 2;
    const QRectF icon(m_photo.center().x() - placeholderIcon / 2, top, placeholderIcon, placeholderIcon);
    SymbolImage::drawSymbol(&painter, QStringLiteral("photo"), QColor(0, 0, 0, 56), icon);
    painter.setFont(m_look.captionFont);
    painter.setPen(m_look.secondaryText);
    painter.drawText(QRectF(m_photo.x(), top + placeholderIcon + 6, m_photo.width(), noteHeight),
                     Qt::AlignHCenter | Qt::AlignTop, note);
}

} // namespace vantrel::screens
