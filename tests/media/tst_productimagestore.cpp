// Product photos against a loopback HTTP server that records every request.

#include "media/ProductImageStore.h"
#include "media/ProductPhotoLoader.h"
#include "server/APIClient.h"

#include "RecordingServer.h"
#include "Run.h"

#include <QBuffer>
#include <QCoroTask>
#include <QImageWriter>
#include <QTest>

#include <numeric>

using namespace vantrel;
using namespace vantrel::testing;

Q_DECLARE_METATYPE(vantrel::testing::Reply)

namespace {

// A photo reply: the body with its claimed type.
Reply photo(int status, const QByteArray &type, const QByteArray &body, bool sized = true)
{
    Reply reply{status, body, type};
    reply.unsized = !sized;
    return reply;
}

QByteArray encoded(QSize size, const char *format,
                   QImageIOHandler::Transformations transform = QImageIOHandler::TransformationNone)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setTransformation(transform);
    writer.write(image);
    return bytes;
}

Product product(const QString &id, std::optional<QString> version = std::nullopt)
{
    return Product{.id = id, .name = QStringLiteral("Cabinet ") + id,
                   .imagePath = QStringLiteral("/api/items/") + id + QStringLiteral("/image"),
                   .imageVersion = version};
}

QImage fetch(ProductImageStore &store, const Product &p, APIClient &api)
{
    return settle(store.image(p, &api)).value.value_or(QImage());
}

} // namespace

class TestProductImageStore : public QObject {
    Q_OBJECT

    std::unique_ptr<RecordingServer> server;
    std::unique_ptr<APIClient> api;
    std::unique_ptr<ProductImageStore> store;
    qint64 now = 1'000'000;

    using Fetches = QList<std::shared_ptr<Outcome<QImage>>>;
    // Six photos of one host asked for at once, their replies held by the server.
    Fetches sixHeldFetches()
    {
        Reply held = photo(200, "image/jpeg", encoded({10, 10}, "jpeg"));
        held.hold = true;
        Fetches images;
        for (int i = 0; i < 6; ++i) {
            server->on("GET", QStringLiteral("/api/items/%1/image").arg(i + 1), held);
            images.append(start(store->image(product(QString::number(i + 1)), api.get())));
        }
        return images;
    }

private slots:
    void init()
    {
        server = std::make_unique<RecordingServer>();
        api = std::make_unique<APIClient>();
        api->setBase(server->base());
        api->setToken(QStringLiteral("token-1"));
        store = std::make_unique<ProductImageStore>();
        store->setClock([this] { return now; });
    }
    void cleanup()
    {
        store.reset();
        QTest::qWait(0);
        api.reset();
        server.reset();
    }

    void neverRequestsOtherPaths_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("token");
        QTest::newRow("another item's photo") << "12" << "/api/items/13/image" << "t";
        QTest::newRow("path with query") << "12" << "/api/items/12/image?x=1" << "t";
        QTest::newRow("absolute address") << "12" << "http://127.0.0.1:1/api/items/12/image" << "t";
        QTest::newRow("letter in id") << "12a" << "/api/items/12a/image" << "t";
        QTest::newRow("dot segments in id") << ".." << "/api/items/../image" << "t";
        QTest::newRow("non-ascii digit") << QString::fromUtf8("1٣") << QString::fromUtf8("/api/items/1٣/image") << "t";
        QTest::newRow("signed out") << "12" << "/api/items/12/image" << "";
    }
    void neverRequestsOtherPaths()
    {
        QFETCH(QString, id);
        QFETCH(QString, path);
        QFETCH(QString, token);
        server->on("GET", path, photo(200, "image/jpeg", encoded({10, 10}, "jpeg")));
        api->setToken(token);
        Product p = product(id);
        p.imagePath = path;
        QVERIFY(fetch(*store, p, *api).isNull());
        QTest::qWait(50);
        QCOMPARE(int(server->requests().size()), 0);
    }

    void refusedRepliesBlockTheKey_data()
    {
        QTest::addColumn<Reply>("reply");
        QTest::newRow("redirect") << [] { Reply r = photo(302, "image/jpeg", ""); r.headers = {{"Location", "/api/items/8/image"}}; return r; }();
        QTest::newRow("html") << photo(200, "text/html; charset=utf-8", "<html></html>");
        QTest::newRow("201") << photo(201, "image/jpeg", encoded({10, 10}, "jpeg"));
        // The media type is only a claim: what decides is what the bytes are.
        QTest::newRow("svg labelled png")
            << photo(200, "image/png", "<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>");
    }
    void refusedRepliesBlockTheKey()
    {
        QFETCH(Reply, reply);
        server->on("GET", QStringLiteral("/api/items/7/image"), reply);
        server->on("GET", QStringLiteral("/api/items/8/image"), photo(200, "image/jpeg", encoded({10, 10}, "jpeg")));
        const Product p = product(QStringLiteral("7"));
        QVERIFY(fetch(*store, p, *api).isNull());
        QCOMPARE(server->count("GET", QStringLiteral("/api/items/7/image")), 1);
        QCOMPARE(server->count("GET", QStringLiteral("/api/items/8/image")), 0); // redirect not followed
        QCOMPARE(store->cachedCount(), 0);

        // The real photo is in place now, but the key stays blocked ...
        server->on("GET", QStringLiteral("/api/items/7/image"), photo(200, "image/jpeg", encoded({10, 10}, "jpeg")));
        now += ProductImageStore::failureBlockMs - 1;
        QVERIFY(fetch(*store, p, *api).isNull());
        QCOMPARE(server->count("GET", QStringLiteral("/api/items/7/image")), 1);
        // ... except for a new version of the photo, which is a new key ...
        QVERIFY(!fetch(*store, product(QStringLiteral("7"), QStringLiteral("v2")), *api).isNull());
        QCOMPARE(server->count("GET", QStringLiteral("/api/items/7/image")), 2);

        // ... and the old key shows it once the block has passed.
        now += 2;
        QVERIFY(!fetch(*store, p, *api).isNull());
        QCOMPARE(server->count("GET", QStringLiteral("/api/items/7/image")), 3);
    }

    void onlyTheFiveFormatsAreDecoded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("format"); // empty: refused
        QTest::addColumn<QSize>("shown");
        for (const char *format : {"jpeg", "png", "bmp", "webp"})
            QTest::newRow(format) << encoded({12, 8}, format) << QByteArray(format) << QSize(12, 8);
        // Qt reads GIF but cannot write it: a red 3x2 image made elsewhere.
        QTest::newRow("gif") << QByteArray::fromHex("47494638396103000200f00000ff000000000021f90400000000002c00"
                                                    "00000003000200000202845f003b")
                             << QByteArray("gif") << QSize(3, 2);
        QTest::newRow("portable pixmap") << encoded({12, 8}, "ppm") << QByteArray() << QSize();
    }
    void onlyTheFiveFormatsAreDecoded()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, format);
        if (bytes.isEmpty()) QSKIP("This Qt cannot write the format of this row.");
        QCOMPARE(ProductImageStore::imageFormat(bytes), format);
        const QImage image = ProductImageStore::thumbnail(bytes);
        QTEST(image.isNull() ? QSize() : image.size(), "shown");
    }

    void bodyLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("declared");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("limit, streamed") << ProductImageStore::maxBodyBytes << false << true;
        QTest::newRow("one more, declared") << ProductImageStore::maxBodyBytes + 1 << true << false;
        QTest::newRow("one more, streamed") << ProductImageStore::maxBodyBytes + 1 << false << false;
    }
    void bodyLimit()
    {
        QFETCH(qint64, size);
        QFETCH(bool, declared);
        QFETCH(bool, accepted);
        // A JPEG decoder ignores whatever follows the end-of-image marker.
        QByteArray body = encoded({64, 48}, "jpeg");
        body.append(QByteArray(size - body.size(), '\0'));
        server->on("GET", QStringLiteral("/api/items/5/image"), photo(200, "image/jpeg", body, declared));
        const QImage image = fetch(*store, product(QStringLiteral("5")), *api);
        QCOMPARE(!image.isNull(), accepted);
        if (accepted) QCOMPARE(image.size(), QSize(64, 48));
    }

    void keyFollowsSessionAndVersion()
    {
        const QString path = QStringLiteral("/api/items/3/image");
        server->on("GET", path, photo(200, "image/jpeg", encoded({20, 10}, "jpeg")));
        QVERIFY(!fetch(*store, product(QStringLiteral("3"), QStringLiteral("v1")), *api).isNull());
        QVERIFY(server->requests().last().header("authorization") == "Bearer token-1");
        QVERIFY(server->requests().last().header("accept") == ProductImageStore::acceptHeader);
        QVERIFY(!fetch(*store, product(QStringLiteral("3"), QStringLiteral("v1")), *api).isNull());
        QCOMPARE(server->count("GET", path), 1); // cached; a new version is a new key (refusedRepliesBlockTheKey)

        api->setToken(QStringLiteral("token-2"));
        QVERIFY(!fetch(*store, product(QStringLiteral("3"), QStringLiteral("v1")), *api).isNull());
        QCOMPARE(server->count("GET", path), 2);
        QVERIFY(server->requests().last().header("authorization") == "Bearer token-2");
    }

    void clearDuringFetchCachesNothing()
    {
        Reply held = photo(200, "image/jpeg", encoded({10, 10}, "jpeg"));
        held.hold = true;
        server->on("GET", QStringLiteral("/api/items/4/image"), held);
        auto image = start(store->image(product(QStringLiteral("4")), api.get()));
        QTRY_COMPARE(server->held(), 1);
        store->clear();
        server->release();
        QTRY_VERIFY(image->done);
        QVERIFY(image->value->isNull());
        QCOMPARE(store->cachedCount(), 0);
        QVERIFY(!store->isBlocked(ProductImageStore::cacheKey(product(QStringLiteral("4")), api->base(), api->token())));
    }

    void atMostFourFetchesPerHost()
    {
        const Fetches images = sixHeldFetches();
        const auto allDone = [&] { return std::all_of(images.cbegin(), images.cend(), [](const auto &i) { return i->done; }); };
        QTRY_COMPARE(server->held(), 4);
        QTest::qWait(100);
        QCOMPARE(int(server->requests().size()), 4);
        server->release();
        QTRY_COMPARE(server->held(), 2);
        server->release();
        QTRY_VERIFY(allDone());
        for (const auto &image : images) QVERIFY(!image->value->isNull());
    }

    void storeGoneWhileFetchesRunAndWait()
    {
        const Fetches images = sixHeldFetches();
        const auto allDone = [&] { return std::all_of(images.cbegin(), images.cend(), [](const auto &i) { return i->done; }); };
        QTRY_COMPARE(server->held(), 4);
        store.reset();
        QTRY_VERIFY(allDone());
        for (const auto &image : images) QVERIFY(image->value->isNull());
        server->release();
        QTest::qWait(50);
        QCOMPARE(int(server->requests().size()), 4);
    }

    // Each photo is decoded to fit the box it is shown in (no box: 640 at
    // most), upright; each box gets its own decode, fetched again.
    void thumbnailFitsItsBoxAndIsUpright_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("transform");
        QTest::addColumn<QList<QSize>>("boxes"); // asked for in turn
        QTest::addColumn<QSize>("shown"); // for the last box
        QTest::addColumn<int>("fetches");
        const int none = QImageIOHandler::TransformationNone;
        const int rotated = QImageIOHandler::TransformationRotate90;
        const QSize card(189, 136), twice(378, 272);
        QTest::newRow("landscape") << QSize(1600, 1200) << none << QList<QSize>{QSize()} << QSize(640, 480) << 1;
        QTest::newRow("rotated by its orientation tag") << QSize(1200, 800) << rotated << QList<QSize>{QSize()} << QSize(427, 640) << 1;
        QTest::newRow("a card's box") << QSize(1600, 1200) << none << QList<QSize>{card} << QSize(192, 144) << 1;
        QTest::newRow("smaller than the box") << QSize(120, 90) << none << QList<QSize>{card} << QSize(120, 90) << 1;
        QTest::newRow("the same box again") << QSize(1600, 1200) << none << QList<QSize>{card, card} << QSize(192, 144) << 1;
        QTest::newRow("a bigger box after a smaller one") << QSize(1600, 1200) << none << QList<QSize>{card, twice} << QSize(384, 288) << 2;
        QTest::newRow("a smaller box after a bigger one") << QSize(1600, 1200) << none << QList<QSize>{twice, card} << QSize(192, 144) << 2;
        QTest::newRow("a box past the largest") << QSize(1600, 1200) << none << QList<QSize>{QSize(2000, 1500)} << QSize(640, 480) << 1;
    }
    void thumbnailFitsItsBoxAndIsUpright()
    {
        QFETCH(QSize, stored);
        QFETCH(int, transform);
        QFETCH(QList<QSize>, boxes);
        QFETCH(QSize, shown);
        const QString path = QStringLiteral("/api/items/9/image");
        server->on("GET", path, photo(200, "image/jpeg", encoded(stored, "jpeg", QImageIOHandler::Transformations(transform))));
        const Product p = product(QStringLiteral("9"));
        const QString key = ProductImageStore::cacheKey(p, api->base(), api->token());
        QImage image;
        QHash<QString, qint64> costs;
        for (const QSize &box : std::as_const(boxes)) {
            image = settle(store->image(p, api.get(), {}, box)).value.value_or(QImage());
            QVERIFY(!image.isNull());
            costs[ProductImageStore::sizedKey(key, box)] = qint64(image.bytesPerLine()) * image.height();
        }
        QVERIFY2(qAbs(image.width() - shown.width()) <= 1 && qAbs(image.height() - shown.height()) <= 1,
                 qPrintable(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
        QTEST(server->count("GET", path), "fetches");
        // Each size is kept under its own key, at its own cost.
        QCOMPARE(store->cached(ProductImageStore::sizedKey(key, boxes.last())), image);
        QCOMPARE(store->cachedCost(), std::accumulate(costs.cbegin(), costs.cend(), qint64(0)));
    }

    void cacheLimitsHoldAfterEveryInsert_data()
    {
        QTest::addColumn<int>("inserts");
        QTest::addColumn<qint64>("cost");
        QTest::newRow("many small thumbnails") << 400 << qint64(10 * 1024);
        QTest::newRow("just under the budget") << 5 << ProductImageStore::maxCachedBytes - 1;
        QTest::newRow("over the budget alone") << 3 << ProductImageStore::maxCachedBytes + 1;
    }
    void cacheLimitsHoldAfterEveryInsert()
    {
        QFETCH(int, inserts);
        QFETCH(qint64, cost);
        BoundedCache<int> cache(ProductImageStore::maxCachedImages, ProductImageStore::maxCachedBytes);
        for (int i = 0; i < inserts; ++i) {
            cache.insert(QString::number(i), i, cost + (i % 3));
            QVERIFY(cache.count() <= ProductImageStore::maxCachedImages);
            QVERIFY(cache.totalCost() <= ProductImageStore::maxCachedBytes);
            if (cost + (i % 3) <= ProductImageStore::maxCachedBytes) QVERIFY(cache.find(QString::number(i)));
        }
    }

    // What the loader shows is what the store gives it; refusals are the store's.
    void loaderPublishesThePhoto()
    {
        server->on("GET", QStringLiteral("/api/items/21/image"), photo(200, "image/jpeg", encoded({30, 20}, "jpeg")));
        ProductPhotoProvider provider(store.get());
        ProductPhotoLoader loader;
        loader.setProductName(QStringLiteral("Vanity 21"));
        loader.setProductId(QStringLiteral("21"));
        loader.setImagePath(QStringLiteral("/api/items/21/image"));
        loader.setApi(api.get());
        loader.setStore(store.get());
        QTRY_VERIFY(!loader.loading());
        QVERIFY(!loader.source().isEmpty());
        QCOMPARE(loader.accessibleName(), QStringLiteral("Photo of Vanity 21"));
        const QString id = loader.source().toString().mid(QStringLiteral("image://productphoto/").size());
        QSize size;
        QCOMPARE(provider.requestImage(id, &size, QSize()).size(), QSize(30, 20));
        // A clear of the store makes the loader ask again under the session now in place.
        api->setToken(QStringLiteral("token-2"));
        store->clear();
        QTRY_VERIFY(!loader.loading() && !loader.source().isEmpty());
        QCOMPARE(server->count("GET", QStringLiteral("/api/items/21/image")), 2);
        QVERIFY(server->requests().last().header("authorization") == "Bearer token-2");
    }

    // A box not laid out yet asks for nothing; a smaller box keeps the photo
    // on show; a bigger one gets a larger decode with the smaller photo shown
    // until it is in.
    void loaderFollowsItsBox()
    {
        const QString path = QStringLiteral("/api/items/22/image");
        server->on("GET", path, photo(200, "image/jpeg", encoded({600, 400}, "jpeg")));
        ProductPhotoProvider provider(store.get());
        ProductPhotoLoader loader;
        loader.setProductId(QStringLiteral("22"));
        loader.setImagePath(path);
        loader.setPixelSize(QSize(0, 0));
        loader.setApi(api.get());
        loader.setStore(store.get());
        QTest::qWait(50);
        QCOMPARE(server->count("GET", path), 0);
        QVERIFY(loader.loading());
        const auto shown = [&] {
            const QString id = loader.source().toString().mid(QStringLiteral("image://productphoto/").size());
            return provider.requestImage(id, nullptr, QSize()).size();
        };
        loader.setPixelSize(QSize(90, 60));
        QTRY_VERIFY(!loader.loading() && !loader.source().isEmpty());
        QCOMPARE(shown(), QSize(96, 64));
        loader.setPixelSize(QSize(80, 50));
        QCOMPARE(shown(), QSize(96, 64));
        loader.setPixelSize(QSize(300, 200));
        QVERIFY(!loader.loading());
        QCOMPARE(shown(), QSize(96, 64));
        QTRY_COMPARE(shown(), QSize(320, 213)); // the box rounded up to 320 x 224
        QCOMPARE(server->count("GET", path), 2);
    }

    // Eviction order is QCache's; what is ours is the cost kept exact on replacing.
    void replacingKeepsTheCostExact()
    {
        BoundedCache<int> cache(2, 100);
        cache.insert(QStringLiteral("a"), 1, 10);
        cache.insert(QStringLiteral("b"), 2, 10);
        cache.insert(QStringLiteral("a"), 4, 95);
        QCOMPARE(cache.totalCost(), 95);
        QCOMPARE(cache.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestProductImageStore)
#include "tst_productimagestore.moc"
