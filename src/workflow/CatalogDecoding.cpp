#include "CatalogDecoding.h"

#include "VoiceVocabulary.h"

#include <QCoroFuture>
#include <QFuture>
#include <QPromise>
#include <QThreadPool>

#include <memory>

namespace vantrel {

namespace {

// What the worker hands back; failures travel as text because exceptions do
// not cross the future unchanged.
struct DecodedCatalog {
    std::optional<PreparedCatalog> prepared;
    QString failure;
};

} // namespace

QCoro::Task<PreparedCatalog> decodeCatalogInBackground(QByteArray bytes, qsizetype shownCount)
{
    auto promise = std::make_shared<QPromise<DecodedCatalog>>();
    QFuture<DecodedCatalog> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, bytes, shownCount]() {
        DecodedCatalog result;
        try {
            PreparedCatalog prepared{
                decode<Catalog>(bytes, KeyStyle::Wire, QT_TRANSLATE_NOOP("Records", "Catalog")), std::nullopt,
                std::nullopt};
            if (prepared.catalog.products.size() != shownCount) {
                prepared.keys = catalogSearchKeys(prepared.catalog.products);
                prepared.index.emplace(*prepared.keys);
            }
            result.prepared = std::move(prepared);
        } catch (const DecodingError &e) {
            result.failure = e.text();
        } catch (const std::exception &e) {
            result.failure = QString::fromLocal8Bit(e.what());
        }
        promise->addResult(std::move(result));
        promise->finish();
    });
    DecodedCatalog decoded = co_await future;
    if (!decoded.prepared) throw DecodingError(decoded.failure);
    co_return std::move(*decoded.prepared);
}

QCoro::Task<std::optional<QStringList>> catalogPhrasesInBackground(QList<Product> products,
                                                                   std::optional<QStringList> previous)
{
    auto promise = std::make_shared<QPromise<std::optional<QStringList>>>();
    QFuture<std::optional<QStringList>> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start(
        [promise, products = std::move(products), previous = std::move(previous)]() mutable {
            QStringList phrases = catalogPhrases(products);
            // The product list goes here, not on the main thread, when this was its last holder.
            products = {};
            promise->addResult(phrases == previous ? std::nullopt
                                                   : std::optional<QStringList>(std::move(phrases)));
            promise->finish();
        });
    std::optional<QStringList> phrases = co_await future;
    co_return phrases;
}

void releaseInBackground(QList<Product> products)
{
    // Only this copy may hold the last reference for the work to move away.
    if (!products.isDetached()) return;
    QThreadPool::globalInstance()->start([products]() mutable { products = {}; });
}

} // namespace vantrel
