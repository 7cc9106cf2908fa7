#include "Money.h"

#include "IcuText.h"

#include <QLocale>

#include <unicode/currunit.h>

#include <algorithm>
#include <limits>

namespace vantrel {
namespace {

using i128 = Int128;
constexpr int maxDigits = 38;

i128 powerOfTen(int n)
{
    i128 p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

const i128 limit = powerOfTen(maxDigits); // exclusive bound of the mantissa

bool scaleUp(i128 &value, int by)
{
    for (int i = 0; i < by; ++i) {
        if (__builtin_mul_overflow(value, i128(10), &value)) return false;
        if (value >= limit || value <= -limit) return false;
    }
    return true;
}

} // namespace

Decimal Decimal::overflow()
{
    Decimal d;
    d.m_overflow = true;
    return d;
}

void Decimal::normalize()
{
    while (m_scale > 0 && m_mantissa % 10 == 0) {
        m_mantissa /= 10;
        --m_scale;
    }
    if (m_mantissa == 0) m_scale = 0;
}

std::optional<Decimal> Decimal::parse(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

    i128 mantissa = 0;
    int scale = 0;
    int digits = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'.') {
            if (seenPoint) return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (c < u'0' || c > u'9') break;
        anyDigit = true;
        if (mantissa == 0 && c == u'0') {
            if (seenPoint) ++scale;
            continue;
        }
        if (++digits > maxDigits) return std::nullopt;
        mantissa = mantissa * 10 + (c - u'0');
        if (seenPoint) ++scale;
    }
    if (!anyDigit) return std::nullopt;

    int exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) negativeExponent = text[i++] == u'-';
        int expDigits = 0;
        for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
            if (++expDigits > 4) return std::nullopt;
            exponent = exponent * 10 + (text[i].unicode() - u'0');
        }
        if (expDigits == 0) return std::nullopt;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != n) return std::nullopt;

    Decimal d;
    scale -= exponent;
    if (scale < 0) {
        if (!scaleUp(mantissa, -scale)) return std::nullopt;
        scale = 0;
    }
    if (scale > 2 * maxDigits) {
        if (mantissa != 0) return std::nullopt;
        scale = 0;
    }
    d.m_mantissa = negative ? -mantissa : mantissa;
    d.m_scale = scale;
    d.normalize();
    return d;
}

Decimal Decimal::operator+(const Decimal &other) const
{
    if (m_overflow || other.m_overflow) return overflow();
    i128 a = m_mantissa, b = other.m_mantissa;
    const int scale = std::max(m_scale, other.m_scale);
    if (!scaleUp(a, scale - m_scale) || !scaleUp(b, scale - other.m_scale)) return overflow();
    Decimal d;
    // Two 38-digit mantissas can sum past what 128 bits hold.
    if (__builtin_add_overflow(a, b, &d.m_mantissa)) return overflow();
    if (d.m_mantissa >= limit || d.m_mantissa <= -limit) return overflow();
    d.m_scale = scale;
    d.normalize();
    return d;
}

Decimal Decimal::operator-() const
{
    Decimal d = *this;
    d.m_mantissa = -d.m_mantissa;
    return d;
}

Decimal Decimal::operator-(const Decimal &other) const { return *this + (-other); }

Decimal Decimal::operator*(const Decimal &other) const
{
    if (m_overflow || other.m_overflow) return overflow();
    Decimal d;
    if (__builtin_mul_overflow(m_mantissa, other.m_mantissa, &d.m_mantissa)) return overflow();
    d.m_scale = m_scale + other.m_scale;
    // Keep within the digit limit by rounding away excess fractional digits.
    while (d.m_mantissa >= limit || d.m_mantissa <= -limit) {
        if (d.m_scale == 0) return overflow();
        d = d.rounded(d.m_scale - 1);
    }
    d.normalize();
    return d;
}

std::strong_ordering Decimal::operator<=>(const Decimal &other) const
{
    const Decimal difference = *this - other;
    if (difference.m_overflow) {
        // Only reachable with both near the digit limit: the signs decide.
        if (m_mantissa < 0 && other.m_mantissa >= 0) return std::strong_ordering::less;
        if (m_mantissa >= 0 && other.m_mantissa < 0) return std::strong_ordering::greater;
        return std::strong_ordering::equal;
    }
    return difference.m_mantissa <=> i128(0);
}

Decimal Decimal::rounded(int places) const
{
    if (m_overflow || m_scale <= places) return *this;
    // A mantissa has at most 38 digits, so when more than that many places
    // go, all of it lies below half a unit of the last place kept (and the
    // divisor would not fit in 128 bits): "1e-60" is zero cents.
    if (m_scale - places > maxDigits) return Decimal();
    const i128 divisor = powerOfTen(m_scale - places);
    i128 quotient = m_mantissa / divisor;
    const i128 remainder = m_mantissa % divisor;
    // Half or more of the divisor, asked without doubling: twice a 38-digit
    // remainder does not fit in 128 bits.
    const i128 away = remainder < 0 ? -remainder : remainder;
    if (away >= divisor - away) quotient += m_mantissa < 0 ? -1 : 1;
    Decimal d;
    d.m_mantissa = quotient;
    d.m_scale = places;
    d.normalize();
    return d;
}

qint64 Decimal::toInt64() const
{
    if (m_overflow) return 0;
    const Decimal whole = rounded(0);
    i128 value = whole.m_mantissa;
    for (int i = 0; i < whole.m_scale; ++i) value /= 10;
    if (value > std::numeric_limits<qint64>::max()) return std::numeric_limits<qint64>::max();
    if (value < std::numeric_limits<qint64>::min()) return std::numeric_limits<qint64>::min();
    return qint64(value);
}

QString Decimal::toString() const
{
    if (m_overflow) return QStringLiteral("NaN");
    i128 value = m_mantissa < 0 ? -m_mantissa : m_mantissa;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(value % 10)));
        value /= 10;
    } while (value > 0);
    if (m_scale > 0) {
        if (digits.size() <= m_scale) digits.prepend(QString(m_scale - digits.size() + 1, u'0'));
        digits.insert(digits.size() - m_scale, u'.');
    }
    if (m_mantissa < 0) digits.prepend(u'-');
    return digits;
}

qint64 cents(const QString &amount)
{
    return (Decimal::parseOrZero(amount) * Decimal(100)).rounded(0).toInt64();
}

Decimal Decimal::fromCents(qint64 cents)
{
    Decimal d(cents);
    d.m_scale = 2;
    d.normalize();
    return d;
}

QString amountFromCents(qint64 cents) { return Decimal::fromCents(cents).toString(); }

QLocale displayLocale(const QLocale &locale)
{
    return locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale;
}

QString moneyText(const Decimal &amount, const QString &currency, const QByteArray &locale)
{
    const QString fallback = QStringLiteral("$\u2014");
    const Decimal value = amount.overflowed() ? Decimal() : amount;
    const QByteArray code = currency.trimmed().isEmpty() ? QByteArrayLiteral("USD") : currency.toLatin1();
    const QByteArray localeName = locale.isEmpty() ? displayLocale().name().toLatin1() : locale;
    const icu::number::LocalizedNumberFormatter *formatter = icutext::keptFormatter(
        localeName, code,
        [](const icu::Locale &place,
           const QByteArray &currency) -> std::optional<icu::number::LocalizedNumberFormatter> {
            UErrorCode status = U_ZERO_ERROR;
            icu::CurrencyUnit unit(icu::StringPiece(currency.constData(), int(currency.size())), status);
            if (U_FAILURE(status)) return std::nullopt;
            return icu::number::NumberFormatter::withLocale(place).unit(unit);
        });
    if (!formatter) return fallback;
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray plain = value.toString().toLatin1();
    const auto formatted =
        formatter->formatDecimal(icu::StringPiece(plain.constData(), int(plain.size())), status);
    if (U_FAILURE(status)) return fallback;
    const icu::UnicodeString text = formatted.toString(status);
    if (U_FAILURE(status) || text.isEmpty()) return fallback;
    return icutext::fromIcu(text);
}

} // namespace vantrel
