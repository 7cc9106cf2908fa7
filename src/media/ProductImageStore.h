#pragma once
// Fetches product photos with the session's bearer token, refuses anything
// that is not a small accepted image, and keeps thumbnails and recent
// failures in bounded memory caches.
//
// Main-thread confined. Photos go through a network manager of the store's
// own (no disk cache, no cookies kept, redirects never followed, at most four
// fetches per host at once; the rest wait in line). Decoding happens on a
// worker thread; the result is applied only when the store was not cleared
// and the caller did not cancel in the meantime.
//
// For QML, see ProductPhotoLoader.h: it runs image() for one product and
// publishes an "image://productphoto/<key>" source served from this cache.

#include "server/Cancellation.h"
#include "records/Reference.h"

#include <QCoroTask>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QUuid>

#include <coroutine>
#include <deque>
#include <functional>
#include <list>
#include <memory>

class QNetworkAccessManager;

namespace vantrel {

class APIClient;

// A strict least-recently-used cache: after every insert it holds at most
// maxCount entries whose costs add up to at most maxCost.
template <class Value>
class BoundedCache {
public:
    BoundedCache(int maxCount, qint64 maxCost) : m_maxCount(maxCount), m_maxCost(maxCost) {}

    // An entry costing more than the whole budget is not kept.
    void insert(const QString &key, Value value, qint64 cost)
    {
        remove(key);
        if (cost > m_maxCost || m_maxCount <= 0) return;
        m_order.push_front(key);
        m_entries.insert(key, Entry{std::move(value), cost, m_order.begin()});
        m_cost += cost;
        while (int(m_order.size()) > m_maxCount || m_cost > m_maxCost) remove(m_order.back());
    }
    // Marks the entry as recently used.
    const Value *find(const QString &key)
    {
        auto it = m_entries.find(key);
        if (it == m_entries.end()) return nullptr;
        m_order.splice(m_order.begin(), m_order, it->position);
        return &it->value;
    }
    void remove(const QString &key)
    {
        auto it = m_entries.find(key);
        if (it == m_entries.end()) return;
        m_cost -= it->cost;
        m_order.erase(it->position);
        m_entries.erase(it);
    }
    void clear()
    {
        m_entries.clear();
        m_order.clear();
        m_cost = 0;
    }
    int count() const { return int(m_entries.size()); }
    qint64 totalCost() const { return m_cost; }

private:
    struct Entry {
        Value value;
        qint64 cost;
        std::list<QString>::iterator position;
    };
    int m_maxCount;
    qint64 m_maxCost;
    qint64 m_cost = 0;
    std::list<QString> m_order;
    QHash<QString, Entry> m_entries;
};

class ProductImageStore : public QObject {
    Q_OBJECT
public:
    static constexpr int maxCachedImages = 160;
    static constexpr qint64 maxCachedBytes = 41943040;
    static constexpr int maxFailures = 200;
    static constexpr qint64 failureBlockMs = 30 * 1000;
    static constexpr qint64 maxBodyBytes = 8388608;
    static constexpr int maxThumbnailSide = 640;
    static constexpr int maxFetchesPerHost = 4;
    static constexpr int transferTimeoutMs = 20 * 1000;
    static constexpr int resourceTimeoutMs = 30 * 1000;
    static const char acceptHeader[];

    explicit ProductImageStore(QObject *parent = nullptr);
    ~ProductImageStore() override;

    // The product's thumbnail, or a null image for every kind of failure
    // (never throws). The client is read for its address and token only.
    QCoro::Task<QImage> image(Product product, QPointer<APIClient> api,
                              CancellationToken cancel = {});

    // New generation, both caches emptied; fetches in flight store nothing.
    void clear();

    // The key the photo of this product is cached under for the client's
    // current address and token.
    static QString cacheKey(const Product &product, const QString &base, const QString &token);
    // Only the product's own photo path, for a digits-only id, is fetched.
    static bool isFetchablePath(const Product &product);

    // The first image of the bytes, upright, its longest side at most 640,
    // decoded at the reduced size where the format allows; null on failure
    // and for bytes that are not one of the accepted formats.
    static QImage thumbnail(QByteArray encoded);
    // The accepted format the bytes begin with ("jpeg", "png", "gif",
    // "webp", "bmp"), or empty.
    static QByteArray imageFormat(const QByteArray &bytes);

    // A cached thumbnail by key (null when absent); marks it recently used.
    QImage cached(const QString &key);
    QUuid generation() const { return m_generation; }
    int cachedCount() const { return m_cache.count(); }
    qint64 cachedCost() const { return m_cache.totalCost(); }
    bool isBlocked(const QString &key) const;

    // Milliseconds since the epoch; tests move time forward without waiting.
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }

Q_SIGNALS:
    // Emitted by clear(), so views can ask again under the new session.
    void cleared();

private:
    struct HostGate {
        int active = 0;
        std::deque<std::coroutine_handle<>> waiting;
        bool closed = false;
    };
    struct GateWait;

    static QCoro::Task<QImage> run(QPointer<ProductImageStore> self, Product product,
                                   QPointer<APIClient> api, CancellationToken cancel);
    static QCoro::Task<QImage> fetchAndDecode(QPointer<ProductImageStore> self, QUrl url,
                                              QString token, QString key, QUuid generation,
                                              CancellationToken cancel);
    QNetworkAccessManager *network();
    std::shared_ptr<HostGate> gate(const QString &host);
    static void release(const std::shared_ptr<HostGate> &gate);
    void remember(const QString &key, const QImage &image);
    void rememberFailure(const QString &key);

    BoundedCache<QImage> m_cache{maxCachedImages, maxCachedBytes};
    BoundedCache<qint64> m_failures{maxFailures, maxFailures};
    QUuid m_generation;
    QNetworkAccessManager *m_network = nullptr;
    QHash<QString, std::shared_ptr<HostGate>> m_gates;
    std::function<qint64()> m_now;
};

} // namespace vantrel
