#pragma once
// Decoding of catalog replies away from the main thread: a 10,000-product
// catalog takes tens of milliseconds to decode, longer than a frame.

#include "records/Reference.h"

#include <QByteArray>
#include <QCoroTask>

namespace vantrel {

// Decodes the reply on a pool thread and resumes the caller on its own
// thread. Throws DecodingError there when the bytes are not a catalog.
QCoro::Task<Catalog> decodeCatalogInBackground(QByteArray bytes);

// Frees a replaced product list on a pool thread; tens of thousands of
// strings take several milliseconds to free.
void releaseInBackground(QList<Product> products);

} // namespace vantrel
