#pragma once
// Draws one bundled SVG icon or brand mark straight into the scene, tinted,
// at whatever size the item has; no image cache is involved.

#include <QColor>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

namespace vantrel {

class SymbolImage : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString symbol READ symbol WRITE setSymbol NOTIFY symbolChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    // Leading-aligned instead of centred inside a wider box (word marks).
    Q_PROPERTY(bool alignLeft READ alignLeft WRITE setAlignLeft NOTIFY alignLeftChanged)
    // A filled circle the size of the item drawn under the icon, with the
    // icon kept `padding` inside the item's edges: a round button's face in
    // one item (transparent, the default: none).
    Q_PROPERTY(QColor disc READ disc WRITE setDisc NOTIFY discChanged)
    Q_PROPERTY(qreal padding READ padding WRITE setPadding NOTIFY paddingChanged)

public:
    explicit SymbolImage(QQuickItem *parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    bool alignLeft() const { return m_alignLeft; }
    void setAlignLeft(bool alignLeft);
    QColor disc() const { return m_disc; }
    void setDisc(const QColor &disc);
    qreal padding() const { return m_padding; }
    void setPadding(qreal padding);

    void paint(QPainter *painter) override;

    // What paint() draws, for pictures drawn whole elsewhere: a symbol
    // tinted `color`, fitted into `box` (centred, or against its left edge),
    // and a disc filling a square.
    static void drawSymbol(QPainter *painter, const QString &symbol, const QColor &color, const QRectF &box,
                           bool alignLeft = false);
    static void drawDisc(QPainter *painter, const QRectF &square, const QColor &color);

signals:
    void symbolChanged();
    void colorChanged();
    void alignLeftChanged();
    void discChanged();
    void paddingChanged();

private:
    // Takes a new value of a property, then tells and repaints.
    template <class T> void change(T &member, const T &value, void (SymbolImage::*changed)());
    QString m_symbol;
    QColor m_color = Qt::black;
    bool m_alignLeft = false;
    QColor m_disc = Qt::transparent;
    qreal m_padding = 0;
};

} // namespace vantrel
