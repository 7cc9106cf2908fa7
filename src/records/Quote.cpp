#include "Quote.h"
#include "Uuid.h"

namespace vantrel {

QuoteLine QuoteLine::fromProduct(const Product &product)
{
    return QuoteLine{.id = newUuidString(),
                     .itemId = product.id,
                     .sku = product.sku,
                     .name = product.name,
                     .description = product.description,
                     .quantity = QStringLiteral("1"),
                     .rate = product.rate,
                     .discount = QStringLiteral("0"),
                     .taxId = product.taxId};
}

} // namespace vantrel
