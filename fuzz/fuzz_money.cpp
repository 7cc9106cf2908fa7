// libFuzzer target: amount text as a person types it (cash received, prices,
// quantities) and as the server sends it. Whatever parses must print and
// parse back to the same value, and whole cents must survive a round trip;
// cash read as typed is never negative nor finer than a cent.
#include "records/Money.h"
#include "records/TypedAmount.h"

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

    // Cash typed on the checkout sheet, read in a grouping-comma and a
    // decimal-comma locale: an accepted amount is whole cents or less, never
    // negative, and its cents print and read back the same.
    for (const char *locale : {"en_US", "es_ES"}) {
        const TypedAmount typed = readTypedAmount(text, cashReceivedLabel(), QLocale(QLatin1String(locale)));
        if (typed.amount && (!typed.problem.isEmpty() || typed.amount->isNegative())) std::abort();
        if (typed.amount && typed.amount->rounded(2) != *typed.amount) std::abort();
        const qint64 typedWhole = typedCents(typed);
        if (typed.amount && typedWhole >= 0 && cents(amountFromCents(typedWhole)) != typedWhole) std::abort();
    }

    const qint64 whole = cents(text);
    if (cents(amountFromCents(whole)) != whole) std::abort();
    (void)moneyText(Decimal::parseOrZero(text), QStringLiteral("USD"), QByteArrayLiteral("en_US"));
    (void)moneyText(Decimal::fromCents(whole), QStringLiteral("USD"), QByteArrayLiteral("en_US"));
    return 0;
}
