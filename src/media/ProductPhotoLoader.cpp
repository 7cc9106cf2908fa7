#include "ProductPhotoLoader.h"

#include "server/APIClient.h"

#include <QThread>
#include <QCoreApplication>

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

void ProductPhotoLoader::restartIfKeyChanged()
{
    const QString key =
        m_api ? ProductImageStore::cacheKey(m_product, m_api->base(), m_api->token()) : QString();
    if (key == m_key && (m_loading || !m_source.isEmpty())) return;
    restart();
}

void ProductPhotoLoader::restart()
{
    m_cancel.cancel();
    m_cancel = CancellationToken::make();
    m_key = m_api ? ProductImageStore::cacheKey(m_product, m_api->base(), m_api->token()) : QString();
    m_source.clear();
    m_loading = m_store && m_api;
    emit stateChanged();
    if (!m_loading || m_startPending) return;
    m_startPending = true;
    QMetaObject::invokeMethod(this, &ProductPhotoLoader::startLoad, Qt::QueuedConnection);
}

void ProductPhotoLoader::startLoad()
{
    m_startPending = false;
    if (m_loading && m_store && m_api) load(QPointer<ProductPhotoLoader>(this), m_cancel, m_key);
}

QCoro::Task<void> ProductPhotoLoader::load(QPointer<ProductPhotoLoader> self, CancellationToken cancel,
                                           QString key)
{
    try {
        QPointer<ProductImageStore> store = self->m_store;
        QCoro::Task<QImage> task = store->image(self->m_product, self->m_api, cancel);
        const QImage image = co_await task;
        if (!self || cancel.isCancelled()) co_return;
        self->m_loading = false;
        self->m_source = image.isNull() ? QUrl() : sourceFor(key);
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
