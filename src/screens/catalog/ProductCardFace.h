#pragma once
// A catalog card's face, drawn as one opaque picture: the grid shows a
// screenful of cards on every frame of a scroll, and one picture per card
// draws in a fraction of the time of the dozen items it stands for. The
// picture is redrawn when what it shows changes, in the time between frames
// where it can (a change made just before a frame is drawn in that frame),
// never on a frame where nothing changed. The photo itself is an item of its
// own over `photoRect`.

#include "CardPicture.h"

#include <QImage>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

class ProductCardFace : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(vantrel::screens::CatalogCard product READ product WRITE setProduct NOTIFY productChanged)
    // The theme singleton: colours and type are read from it by name.
    Q_PROPERTY(QObject *theme READ theme WRITE setTheme NOTIFY lookChanged)
    Q_PROPERTY(qreal padding READ padding WRITE setPadding NOTIFY lookChanged)
    Q_PROPERTY(bool hovered READ hovered WRITE setHovered NOTIFY stateChanged)
    Q_PROPERTY(bool photoShown READ photoShown WRITE setPhotoShown NOTIFY stateChanged)
    Q_PROPERTY(bool photoLoading READ photoLoading WRITE setPhotoLoading NOTIFY stateChanged)
    // The words drawn on the card, as translated where it is declared.
    Q_PROPERTY(QStringList texts READ texts WRITE setTexts NOTIFY lookChanged)
    Q_PROPERTY(QRectF photoRect READ photoRect NOTIFY photoRectChanged)

public:
    explicit ProductCardFace(QQuickItem *parent = nullptr);

    CatalogCard product() const { return m_product; }
    void setProduct(const CatalogCard &product);
    QObject *theme() const { return m_theme; }
    void setTheme(QObject *theme);
    qreal padding() const { return m_padding; }
    void setPadding(qreal padding);
    bool hovered() const { return m_state.hovered; }
    void setHovered(bool hovered) { changeState(m_state.hovered, hovered); }
    bool photoShown() const { return m_state.photoShown; }
    void setPhotoShown(bool shown) { changeState(m_state.photoShown, shown); }
    bool photoLoading() const { return m_state.photoLoading; }
    void setPhotoLoading(bool loading) { changeState(m_state.photoLoading, loading); }
    QStringList texts() const { return {m_look.assembled, m_look.loadingPhoto, m_look.photoUnavailable}; }
    void setTexts(const QStringList &texts);
    QRectF photoRect() const { return m_picture ? m_picture->photoRect() : QRectF(); }
    // Draws the picture now if what it shows changed since it was drawn.
    void drawIfStale();

signals:
    void productChanged();
    void lookChanged();
    void stateChanged();
    void photoRectChanged();

protected:
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void updatePolish() override;
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;

private:
    void changeState(bool &member, bool value);
    // Lays the card out again (what it shows or its size changed), then
    // redraws it.
    void relayout();
    // Asks for a new picture: soon after, or at the latest before the next
    // frame.
    void redrawSoon();
    void redrawNow();

    CatalogCard m_product;
    QPointer<QObject> m_theme;
    CardLook m_look;
    qreal m_padding = 0;
    CardState m_state;
    std::optional<CardPicture> m_picture;
    QImage m_image; // drawn, until the scene takes it as a texture
    bool m_stale = false;
    bool m_redrawQueued = false;
};

} // namespace vantrel::screens
