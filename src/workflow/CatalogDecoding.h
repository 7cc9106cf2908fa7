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

namespace vantrel {

// A decoded catalog, with its products' search keys when they were made too.
struct PreparedCatalog {
    Catalog catalog;
    std::optional<QList<CatalogSearchKey>> keys; // catalogSearchKeys(catalog.products)
    std::optional<CatalogSearchIndex> index; // over those keys
};

// Decodes the reply on a pool thread and resumes the caller on its own
// thread. Throws DecodingError there when the bytes are not a catalog. A
// catalog of other than `shownCount` products replaces the shown rows rather
// than updating them, so its search keys and their index are made on the pool
// thread too.
QCoro::Task<PreparedCatalog> decodeCatalogInBackground(QByteArray bytes, qsizetype shownCount);

// Frees a replaced product list on a pool thread; tens of thousands of
// strings take several milliseconds to free.
void releaseInBackground(QList<Product> products);

// The recogniser's phrases for the products (catalogPhrases), worked out on
// a pool thread; nullopt when they are `previous` unchanged.
QCoro::Task<std::optional<QStringList>> catalogPhrasesInBackground(QList<Product> products,
                                                                   std::optional<QStringList> previous);

} // namespace vantrel
