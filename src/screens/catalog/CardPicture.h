#pragma once
// A catalog card as one picture: where its blocks go (the photo well, the
// name row, the SKU, the price row with the add disc) and how each is drawn.

#include "ProductRows.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QStringList>

class QPainter;

namespace vantrel::screens {

// The colours, type and words a card is drawn with: the theme's, and the
// screen's texts as translated.
struct CardLook {
    QColor backdrop, surface, edge, edgeHovered, photoWell, primaryText, secondaryText, ink;
    QFont nameFont, badgeFont, captionFont, priceFont;
    qreal radius = 0;
    QString assembled, loadingPhoto, photoUnavailable;
    // What a card's blank (all but the product's words) is drawn from.
    QString blankKey;

    // The theme's properties of the same names (none without a theme), and
    // the words: "assembled", "loading photo", "photo unavailable".
    static CardLook make(const QObject *theme, const QStringList &texts);
};

// What a card shows beside its product.
struct CardState {
    bool hovered = false;
    bool photoShown = false; // a photo is drawn over the well: no placeholder
    bool photoLoading = false;
};

// One card laid out at one size, in the card's own coordinates.
class CardPicture {
public:
    CardPicture(const CatalogCard &product, const CardLook &look, QSizeF size, qreal padding);

    QRectF photoRect() const { return m_photo; }
    // The name as drawn: at most two lines, the second elided.
    QStringList nameLines() const { return m_nameLines; }
    // Opaque: the corners outside the rounded edge take the backdrop's colour.
    QImage draw(const CardState &state, qreal devicePixelRatio) const;

private:
    QImage drawBlank(const CardState &state, qreal devicePixelRatio) const;
    void drawBody(QPainter &painter) const;
    void drawPlaceholder(QPainter &painter, bool loading) const;

    CatalogCard m_product;
    CardLook m_look;
    QSizeF m_size;
    QRectF m_photo;
    QStringList m_nameLines;
    QRectF m_name, m_badge, m_sku, m_price, m_add;
};

} // namespace vantrel::screens
