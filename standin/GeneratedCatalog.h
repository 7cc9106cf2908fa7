#pragma once
// A large made-up catalog for trying the client with tens of thousands of
// products. Product i is a pure function of i, so the catalog is the same on
// every machine and every start, a smaller catalog is the start of a larger
// one, and ids in saved quotes stay valid without storing the products.

#include "records/Reference.h"

#include <QList>

namespace standin {

inline constexpr int maxGeneratedProducts = 200000;

// Whether an id belongs to the generated range (never handed out otherwise).
bool isGeneratedProductId(const QString &id);

// Product `index` (from 0); `taxId` goes on most of them.
vantrel::Product generatedProduct(int index, const QString &taxId);
QList<vantrel::Product> generatedCatalog(int count, const QString &taxId);

} // namespace standin
