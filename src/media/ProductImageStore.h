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
#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QUuid>

#include <coroutine>
#include <deque>
#include <functional>
#include <memory>

class QNetworkAccessManager;

namespace vantrel {

class APIClient;

// A strict least-recently-used cache: after every insert it holds at most
// maxCount entries whose costs add up to at most maxCost.
template <class Value> class BoundedCache {
public:
    // QCache has a single cost budget, so every entry is charged at least an
    // equal share of it (ceil(maxCost / maxCount)): charges that fit the
    // budget then also fit the count (160 entries of 262144 make 40 MiB).
    BoundedCache(int maxCount, qint64 maxCost)
        : m_maxCount(maxCount), m_share(maxCount > 0 ? (maxCost + maxCount - 1) / maxCount : maxCost)
    {
        m_cache.setMaxCost(maxCost);
    }
    BoundedCache(const BoundedCache &) = delete;
    BoundedCache &operator=(const BoundedCache &) = delete;

    // An entry costing more than the whole budget is not kept.
    void insert(const QString &key, Value value, qint64 cost)
    {
        if (m_maxCount <= 0) return;
        m_cache.insert(key, new Entry(std::move(value), cost, m_cost), qMax(cost, m_share));
    }
    // Marks the entry as recently used.
    const Value *find(const QString &key) const
    {
        const Entry *entry = m_cache.object(key);
        return entry ? &entry->value : nullptr;
    }
    void remove(const QString &key) { m_cache.remove(key); }
    void clear() { m_cache.clear(); }
    int count() const { return int(m_cache.count()); }
    // The entries' own costs, without the share they are charged.
    qint64 totalCost() const { return m_cost; }

private:
    // Keeps the sum of real costs right whenever QCache drops an entry.
    struct Entry {
        Entry(Value v, qint64 c, qint64 &sum) : value(std::move(v)), cost(c), total(sum) { total += cost; }
        ~Entry() { total -= cost; }
        Value value;
        qint64 cost;
        qint64 &total;
    };
    int m_maxCount;
    qint64 m_share;
    qint64 m_cost = 0; // declared before the cache: entries update it while it dies
    QCache<QString, Entry> m_cache;
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
    // `box` is where the photo is shown, in device pixels: the photo is
    // decoded to fit it (see decodeBox) and cached under that size, so a card
    // holds no more pixels than it shows. No box means the largest thumbnail.
    QCoro::Task<QImage> image(Product product, QPointer<APIClient> api, CancellationToken cancel = {},
                              QSize box = {});

    // New generation, both caches emptied; fetches in flight store nothing.
    void clear();

    // The key the photo of this product is cached under for the client's
    // current address and token.
    static QString cacheKey(const Product &product, const QString &base, const QString &token);
    // The key of the photo's thumbnail for a box: its cache key and the box
    // that decodeBox makes of it.
    static QString sizedKey(const QString &key, QSize box);
    // The box a photo is decoded to fit: each side rounded up to a multiple
    // of 32 (a few pixels more or less of a box decode the same) and at most
    // 640; no box, or an empty one, is the largest.
    static QSize decodeBox(QSize box);
    // Only the product's own photo path, for a digits-only id, is fetched.
    static bool isFetchablePath(const Product &product);

    // The first image of the bytes, upright, fitted inside decodeBox(box)
    // (its longest side at most 640), decoded at the reduced size where the
    // format allows; null on failure and for bytes that are not one of the
    // accepted formats.
    static QImage thumbnail(QByteArray encoded, QSize box = {});
    // The accepted format the bytes begin with ("jpeg", "png", "gif",
    // "webp", "bmp"), or empty.
    static QByteArray imageFormat(const QByteArray &bytes);

    // A cached thumbnail by its sized key (null when absent); marks it
    // recently used.
    QImage cached(const QString &key);
    QUuid generation() const { return m_generation; }
    int cachedCount() const { return m_cache.count(); }
    qint64 cachedCost() const { return m_cache.totalCost(); }
    bool isBlocked(const QString &key) const;

    // Milliseconds since the epoch; tests move time forward without waiting.
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }

signals:
    // Emitted by clear(), so views can ask again under the new session.
    void cleared();

private:
    // Qt 6.4 cannot cap connections per host below six (that arrives in 6.5), so extra fetches queue here.
    struct HostGate {
        int active = 0;
        std::deque<std::coroutine_handle<>> waiting;
        bool closed = false;
    };
    struct GateWait;

    static QCoro::Task<QImage> run(QPointer<ProductImageStore> self, Product product, QPointer<APIClient> api,
                                   CancellationToken cancel, QSize box);
    static QCoro::Task<QImage> fetchAndDecode(QPointer<ProductImageStore> self, QUrl url, QString token,
                                              QString key, QSize box, QUuid generation,
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
