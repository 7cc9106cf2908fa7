#include "Reference.h"

#include <QHashFunctions>

namespace vantrel {

size_t qHash(const Customer &c, size_t seed) noexcept
{
    return qHashMulti(seed, c.id, c.name, c.email, c.phone, c.accountId);
}

size_t qHash(const Deal &d, size_t seed) noexcept
{
    return qHashMulti(seed, d.id, d.name, d.number, d.accountId, d.driveUrl, d.crmUrl);
}

} // namespace vantrel
