#include "ProductPhotoLoader.h"

#include "server/APIClient.h"

#include <QThread>
#include <QCoreApplication>

#include <cmath>

namespace vantrel {

ProductPhotoLoader::ProductPhotoLoader(QObject *parent) : QObject(parent) {}

ProductPhotoLoader::~ProductPhotoLoader() { m_cancel.cancel(); }

QString ProductPhotoLoader::accessibleName() const
{
    return m_source.isEmpty() ? QCoreApplication::translate("Catalog", "Product photo unavailable")
                              : QCoreApplication::translate("Catalog", "Photo of %1").arg(m_product.name);
}

void ProductPhotoLoader::setStore(ProductImageStore *store)
{
    if (m_store == store) return;
    disconnect(m_cleared);
    m_store = store;
    if (store) m_cleared = connect(store, &ProductImageStore::cleared, this, &ProductPhotoLoader::reload);
    emit inputsChanged();
    restart();
}

void ProductPhotoLoader::setApi(APIClient *api)
{
    if (m_api == api) return;
    m_api = api;
    emit inputsChanged();
    restartIfKeyChanged();
}

void ProductPhotoLoader::setProductId(const QString &id)
{
    if (m_product.id == id) return;
    m_product.id = id;
    emit inputsChanged();
    restartIfKeyChanged();
}

void ProductPhotoLoader::setImagePath(const QString &path)
{
    if (imagePath() == path && m_product.imagePath.has_value() == !path.isEmpty()) return;
    m_product.imagePath = path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    emit inputsChanged();
    restartIfKeyChanged();
}

void ProductPhotoLoader::setImageVersion(const QString &version)
{
    if (imageVersion() == version && m_product.imageVersion.has_value() == !version.isEmpty()) return;
    m_product.imageVersion = version.isEmpty() ? std::nullopt : std::optional<QString>(version);
    emit inputsChanged();
    restartIfKeyChanged();
}

void ProductPhotoLoader::setProductName(const QString &name)
{
    if (m_product.name == name) return;
    m_product.name = name;
    emit inputsChanged();
    emit stateChanged(); // the accessible name follows the product name
}

void ProductPhotoLoader::setPixelSize(QSizeF pixels)
{
    const QSize box = pixels.isValid()
                          ? QSize(int(std::ceil(pixels.width())), int(std::ceil(pixels.height())))
                          : QSize(-1, -1);
    if (m_box == box) return;
    const bool hadBox = hasBox();
    m_box = box;
    emit inputsChanged();
    if (!m_source.isEmpty()) {
        // The photo on show stays while it has the pixels the box needs; for
        // a box that grew it stays until the larger decode is in.
        const QSize shown = ProductImageStore::decodeBox(m_shownBox);
        const QSize wanted = ProductImageStore::decodeBox(box);
        if (!hasBox() || (wanted.width() <= shown.width() && wanted.height() <= shown.height())) return;
        restart(true);
        return;
    }
    if (!hadBox || (m_loading && ProductImageStore::sizedKey(photoKey(), box) != m_key)) restart();
}

void ProductPhotoLoader::setProduct(const Product &product)
{
    m_product = product;
    emit inputsChanged();
    emit stateChanged();
    restartIfKeyChanged();
}

void ProductPhotoLoader::reload() { restart(); }

QUrl ProductPhotoLoader::sourceFor(const QString &key)
{
    // Hex keeps the key's slashes and colons out of the URL's structure.
    return QUrl(QStringLiteral("image://productphoto/") + QString::fromLatin1(key.toUtf8().toHex()));
}

QString ProductPhotoLoader::photoKey() const
{
    return m_api ? ProductImageStore::cacheKey(m_product, m_api->base(), m_api->token()) : QString();
}

void ProductPhotoLoader::restartIfKeyChanged()
{
    if (photoKey() == m_photoKey && (m_loading || !m_source.isEmpty())) return;
    restart();
}

void ProductPhotoLoader::restart(bool keepShown)
{
    m_cancel.cancel();
    m_cancel = CancellationToken::make();
    m_photoKey = photoKey();
    m_key = ProductImageStore::sizedKey(m_photoKey, m_box);
    const QUrl shown = m_source;
    const bool wasLoading = m_loading;
    if (!keepShown) m_source.clear();
    m_loading = m_store && m_api && m_source.isEmpty();
    // A reused card restarts once for each of its product's id, path and
    // version: only a change of what shows is signalled.
    if (m_source != shown || m_loading != wasLoading) emit stateChanged();
    if (!m_store || !m_api || !hasBox() || m_startPending) return;
    m_startPending = true;
    QMetaObject::invokeMethod(this, &ProductPhotoLoader::startLoad, Qt::QueuedConnection);
}

void ProductPhotoLoader::startLoad()
{
    m_startPending = false;
    if (m_store && m_api && hasBox() && (m_loading || !m_source.isEmpty()))
        load(QPointer<ProductPhotoLoader>(this), m_cancel, m_key, m_box);
}

QCoro::Task<void> ProductPhotoLoader::load(QPointer<ProductPhotoLoader> self, CancellationToken cancel,
                                           QString key, QSize box)
{
    try {
        QPointer<ProductImageStore> store = self->m_store;
        QCoro::Task<QImage> task = store->image(self->m_product, self->m_api, cancel, box);
        const QImage image = co_await task;
        if (!self || cancel.isCancelled()) co_return;
        // A larger decode that could not be had leaves the photo on show.
        if (image.isNull() && !self->m_source.isEmpty()) co_return;
        self->m_loading = false;
        self->m_source = image.isNull() ? QUrl() : sourceFor(key);
        self->m_shownBox = box;
        emit self->stateChanged();
    } catch (...) {}
}

ProductPhotoProvider::ProductPhotoProvider(ProductImageStore *store)
    : QQuickImageProvider(QQuickImageProvider::Image), m_store(store)
{}

QImage ProductPhotoProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const QString key = QString::fromUtf8(QByteArray::fromHex(id.toLatin1()));
    QImage image;
    ProductImageStore *store = m_store.data();
    if (store) {
        if (QThread::currentThread() == store->thread()) {
            image = store->cached(key);
        } else {
            QMetaObject::invokeMethod(
                store, [&image, store, key] { image = store->cached(key); }, Qt::BlockingQueuedConnection);
        }
    }
    if (size) *size = image.size();
    if (!image.isNull() && requestedSize.isValid()) {
        image = image.scaled(requestedSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

} // namespace vantrel
