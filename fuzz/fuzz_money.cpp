// libFuzzer target: amount text as a person types it (cash received, prices,
// quantities) and as the server sends it. Whatever parses must print and
// parse back to the same value, and whole cents must survive a round trip.
#include "records/Money.h"

#include <cstdlib>

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    if (const std::optional<Decimal> value = Decimal::parse(text); value && !value->overflowed()) {
        const std::optional<Decimal> again = Decimal::parse(value->toString());
        if (!again || !(*again == *value)) std::abort();
        // Arithmetic on typed amounts saturates or flags overflow; it never wraps.
        (void)(*value + *value).toString();
        (void)(*value * *value).rounded(2).toInt64();
        (void)(-*value - *value).toString();
    }

    const qint64 whole = cents(text);
    if (cents(amountFromCents(whole)) != whole) std::abort();
    (void)moneyText(text, QStringLiteral("USD"), QByteArrayLiteral("en_US"));
    return 0;
}
