#pragma once
// Catalog work away from the main thread: a 10,000-product catalog takes
// tens of milliseconds to decode and several to spell out for the
// recogniser, longer than a frame.

#include "CatalogSearch.h"
#include "CatalogSearchIndex.h"

#include "records/Reference.h"

#include <QByteArray>
#include <QCoroTask>
#include <QStringList>

#include <optional>

class QObject;

namespace vantrel {

// A decoded catalog, with its products' search keys when they were made too.
struct PreparedCatalog {
    Catalog catalog;
    std::optional<QList<CatalogSearchKey>> keys; // catalogSearchKeys(catalog.products)
    std::optional<QList<CatalogSearchSources>> sources; // catalogSearchSources(catalog.products)
    std::optional<CatalogSearchIndex> index; // over those keys
};

// Decodes the reply on the catalog's own thread and resumes the caller on
// its own thread. Throws DecodingError there when the bytes are not a
// catalog. A catalog of other than `shown`'s size replaces the shown rows
// rather than updating them, so its search keys and their index are made on
// that thread too; one of the same size takes every product equal to the
// shown one at its row from `shown`, so that the decoded copies are freed
// there and the rows that stay hold no second copy. The reply's bytes and
// the parser's buffers are let go as soon as the decoding is done.
QCoro::Task<PreparedCatalog> decodeCatalogInBackground(QByteArray bytes, QList<Product> shown);

// Frees a replaced product list on a pool thread; tens of thousands of
// strings take several milliseconds to free.
void releaseInBackground(QList<Product> products);

// A little after a catalog was applied (while `context` lives), hands the
// memory its decoding freed back to the system, on the catalog's thread.
void returnFreedMemorySoon(QObject *context);

// The recogniser's phrases for the products (catalogPhrases), worked out on
// a pool thread; nullopt when they are `previous` unchanged.
QCoro::Task<std::optional<QStringList>> catalogPhrasesInBackground(QList<Product> products,
                                                                   std::optional<QStringList> previous);

} // namespace vantrel
