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

public:
    explicit SymbolImage(QQuickItem *parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    bool alignLeft() const { return m_alignLeft; }
    void setAlignLeft(bool alignLeft);

    void paint(QPainter *painter) override;

signals:
    void symbolChanged();
    void colorChanged();
    void alignLeftChanged();

private:
    QString m_symbol;
    QColor m_color = Qt::black;
    bool m_alignLeft = false;
};

} // namespace vantrel
