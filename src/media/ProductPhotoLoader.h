#pragma once
// QML side of product photos: a loader that runs the image store for one
// product, and the "productphoto" image provider that shows its result.
//
// Usage from QML (after registering ProductPhotoLoader and adding
// ProductPhotoProvider to the engine under "productphoto"):
//
//   ProductPhotoLoader { id: photo; store: model.images; api: model.api
//                        productId: p.id; imagePath: p.imagePath; imageVersion: p.imageVersion
//                        productName: p.name }
//   Image { source: photo.source; Accessible.name: photo.accessibleName }
//
// The loader restarts whenever its inputs change the photo's key (another
// product, a new image version, another client, a box that needs more
// pixels than the photo on show has) or the store is cleared, and
// cancels its fetch when it goes away. A restart drops the old photo at once
// but asks the store on the next turn of the event loop, so a reused card
// whose product id, path and version change one by one fetches once. The
// client has no change signal: a tile that outlives a sign-in is refreshed
// by the store's clear() at sign-out, or by reload(). Image.asynchronous may
// be on or off: the provider reads the store on the main thread either way.
//
// Why not QCoro::ImageProvider fetching straight from an image:// source:
// its responses ignore cancel(), so a card scrolled away would keep its fetch
// and hold one of the host's four slots ahead of the cards now on screen.

#include "ProductImageStore.h"
#include "server/APIClient.h"

#include <QPointer>
#include <QQuickImageProvider>
#include <QUrl>

namespace vantrel {

class ProductPhotoLoader : public QObject {
    Q_OBJECT
    Q_PROPERTY(vantrel::ProductImageStore *store READ store WRITE setStore NOTIFY inputsChanged)
    Q_PROPERTY(vantrel::APIClient *api READ api WRITE setApi NOTIFY inputsChanged)
    Q_PROPERTY(QString productId READ productId WRITE setProductId NOTIFY inputsChanged)
    Q_PROPERTY(QString imagePath READ imagePath WRITE setImagePath NOTIFY inputsChanged)
    Q_PROPERTY(QString imageVersion READ imageVersion WRITE setImageVersion NOTIFY inputsChanged)
    Q_PROPERTY(QString productName READ productName WRITE setProductName NOTIFY inputsChanged)
    // Where the photo is shown, in device pixels (a fraction counts as a
    // whole pixel): the store decodes it to fit (see
    // ProductImageStore::decodeBox). Unset, the largest thumbnail; empty (a
    // box not laid out yet), nothing is asked for until it has a size.
    Q_PROPERTY(QSizeF pixelSize READ pixelSize WRITE setPixelSize NOTIFY inputsChanged)
    // "image://productphoto/…" once a photo is in; empty otherwise.
    Q_PROPERTY(QUrl source READ source NOTIFY stateChanged)
    Q_PROPERTY(bool loading READ loading NOTIFY stateChanged)
    Q_PROPERTY(QString accessibleName READ accessibleName NOTIFY stateChanged)

public:
    explicit ProductPhotoLoader(QObject *parent = nullptr);
    ~ProductPhotoLoader() override;

    ProductImageStore *store() const { return m_store; }
    APIClient *api() const { return m_api; }
    QString productId() const { return m_product.id; }
    QString imagePath() const { return m_product.imagePath.value_or(QString()); }
    QString imageVersion() const { return m_product.imageVersion.value_or(QString()); }
    QString productName() const { return m_product.name; }
    QSizeF pixelSize() const { return m_box; }
    QUrl source() const { return m_source; }
    bool loading() const { return m_loading; }
    QString accessibleName() const;

    void setStore(ProductImageStore *store);
    void setApi(APIClient *api);
    void setProductId(const QString &id);
    void setImagePath(const QString &path);
    void setImageVersion(const QString &version);
    void setProductName(const QString &name);
    void setPixelSize(QSizeF pixels);
    void setProduct(const Product &product);

    // Asks again even when the key did not change (the session may have).
    Q_INVOKABLE void reload();

    static QUrl sourceFor(const QString &key);

signals:
    void inputsChanged();
    void stateChanged();

private:
    static QCoro::Task<void> load(QPointer<ProductPhotoLoader> self, CancellationToken cancel, QString key,
                                  QSize box);
    QString photoKey() const;
    // Unset, or laid out with a size.
    bool hasBox() const { return !m_box.isValid() || !m_box.isEmpty(); }
    void restartIfKeyChanged();
    // `keepShown`: the photo on show stays until the new one is in (a box
    // that grew), instead of giving way to the placeholder at once.
    void restart(bool keepShown = false);
    void startLoad();

    QPointer<ProductImageStore> m_store;
    QPointer<APIClient> m_api;
    Product m_product;
    QSize m_box{-1, -1};
    QSize m_shownBox{-1, -1}; // the box the photo on show was decoded for
    QString m_photoKey; // the photo's key at any size
    QString m_key; // ... and at the size asked for
    QUrl m_source;
    bool m_loading = false;
    bool m_startPending = false;
    CancellationToken m_cancel;
    QMetaObject::Connection m_cleared;
};

// Serves "image://productphoto/<key>" from the store's thumbnail cache.
class ProductPhotoProvider : public QQuickImageProvider {
public:
    explicit ProductPhotoProvider(ProductImageStore *store);
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

private:
    QPointer<ProductImageStore> m_store;
};

} // namespace vantrel
