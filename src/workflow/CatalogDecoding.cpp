#include "CatalogDecoding.h"

#include "VoiceVocabulary.h"

#include <QCoroFuture>
#include <QFuture>
#include <QPromise>
#include <QThreadPool>
#include <QTimer>

#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace vantrel {

namespace {

// What the worker hands back; failures travel as text because exceptions do
// not cross the future unchanged.
struct DecodedCatalog {
    std::optional<PreparedCatalog> prepared;
    QString failure;
};

// One thread for every catalog: a parser keeps buffers the size of the
// largest document it read, per thread that used it, so decoding on any
// thread of the global pool left one such set behind on each.
QThreadPool &catalogThread()
{
    static QThreadPool *const pool = [] {
#ifdef __GLIBC__
        // glibc raises its threshold for mapping a block of its own each
        // time such a block is freed, up to 32 MB, and its threshold for
        // giving back the top of a thread's heap with it; after the first
        // catalog's reply and parser buffers went, the next ones were carved
        // from the threads' heaps and their tops stayed resident (some 20 MB
        // at 10,000 products, beyond malloc_trim's reach). A fixed threshold
        // keeps large blocks mapped, so freeing one gives it back.
        mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
        // Small blocks are merged with their neighbours when freed rather
        // than parked for a later merge: a replaced catalog's strings are
        // freed on a worker, and with them parked the main thread's next
        // larger allocation merged them all at once (some 25 ms inside a
        // frame at 50,000 products).
        mallopt(M_MXFAST, 0);
#endif
        auto *made = new QThreadPool;
        made->setMaxThreadCount(1);
        return made;
    }();
    return *pool;
}

// Catalog work yields the processor to the screens: on a two-core device the
// decoding and the search keys took a core each right when the first cards
// were built, and the frame waited for a turn. Linux gives each thread its
// own niceness; a modest one still leaves this work all of an idle core. A
// pool thread keeps it for whatever it runs later, all of it background work.
void yieldToTheScreens()
{
#ifdef Q_OS_LINUX
    thread_local bool lowered = false;
    if (lowered) return;
    lowered = true;
    setpriority(PRIO_PROCESS, id_t(gettid()), 5);
#endif
}

// A new parser for this thread: the old one's buffers, sized for the
// largest document it read, are freed.
void releaseParser() { codec::threadParser() = simdjson::ondemand::parser(); }

// After the catalog is applied, the old list and the decoding's leftovers
// are freed on workers; this long after, they are.
constexpr int returnMemoryAfterMs = 250;

} // namespace

QCoro::Task<PreparedCatalog> decodeCatalogInBackground(QByteArray bytes, QList<Product> shown)
{
    // The result is moved out of a slot of its own: a future hands out
    // copies, which here would copy the search index on the main thread and
    // leave the future holding the decoded list until the main thread frees it.
    auto slot = std::make_shared<DecodedCatalog>();
    auto promise = std::make_shared<QPromise<void>>();
    QFuture<void> future = promise->future();
    promise->start();
    catalogThread().start([promise, slot, bytes = std::move(bytes), shown = std::move(shown)]() mutable {
        yieldToTheScreens();
        DecodedCatalog &result = *slot;
        try {
            PreparedCatalog prepared{
                decode<Catalog>(bytes, KeyStyle::Wire, QT_TRANSLATE_NOOP("Records", "Catalog")), std::nullopt,
                std::nullopt, std::nullopt};
            bytes = QByteArray();
            releaseParser();
            QList<Product> &products = prepared.catalog.products;
            if (products.size() != shown.size()) {
                prepared.keys = catalogSearchKeys(products);
                prepared.sources = catalogSearchSources(products);
                prepared.index.emplace(*prepared.keys);
            } else {
                for (qsizetype row = 0; row < products.size(); ++row) {
                    if (products.at(row) == shown.at(row)) products[row] = shown.at(row);
                }
            }
            result.prepared = std::move(prepared);
        } catch (const DecodingError &e) {
            result.failure = e.text();
        } catch (const std::exception &e) {
            result.failure = QString::fromLocal8Bit(e.what());
        }
        bytes = QByteArray();
        releaseParser();
        // Let go of the shown list before the caller resumes: it edits its
        // rows in place, which would copy them all while this still held them.
        shown = QList<Product>();
        slot.reset();
        promise->finish();
    });
    co_await future;
    DecodedCatalog decoded = std::move(*slot);
    slot.reset();
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
            yieldToTheScreens();
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
    // Moved, not copied, into the work: with a copy left here the worker
    // could finish first and this thread free the list after all.
    QThreadPool::globalInstance()->start([products = std::move(products)]() mutable {
        yieldToTheScreens();
        products = {};
    });
}

void returnFreedMemorySoon(QObject *context)
{
#ifdef __GLIBC__
    // glibc keeps freed memory in its arenas for the next allocation; a
    // catalog's worth of strings would stay resident after every refresh.
    QTimer::singleShot(returnMemoryAfterMs, context, [] { catalogThread().start([] { malloc_trim(0); }); });
#else
    Q_UNUSED(context);
#endif
}

} // namespace vantrel
