#pragma once
// Exact decimal money arithmetic. Amounts travel as decimal text with "." as
// the only separator; they are never held in binary floating point.

#include <QLocale>
#include <QString>
#include <QStringView>

#include <compare>
#include <optional>

namespace vantrel {

__extension__ typedef __int128 Int128; // exact 38-digit mantissas

// A decimal number: mantissa / 10^scale, exact up to 38 significant digits.
class Decimal {
public:
    Decimal() = default;
    Decimal(qint64 integer) : m_mantissa(integer) {} // NOLINT: implicit by design

    // Strict grammar: an optional sign, digits with at most one ".", at least
    // one digit, an optional exponent ("e" or "E", optional sign, digits).
    // No spaces, no grouping, no other separator.
    static std::optional<Decimal> parse(QStringView text);
    // Parses, counting text that is not a number as zero.
    static Decimal parseOrZero(QStringView text) { return parse(text).value_or(Decimal()); }
    // Whole cents as the amount they stand for, exactly.
    static Decimal fromCents(qint64 cents);

    Decimal operator+(const Decimal &other) const;
    Decimal operator-(const Decimal &other) const;
    Decimal operator*(const Decimal &other) const;
    Decimal operator-() const;
    std::strong_ordering operator<=>(const Decimal &other) const;
    bool operator==(const Decimal &other) const { return (*this <=> other) == 0; }

    // Rounded to `places` decimal places, halves away from zero.
    Decimal rounded(int places) const;
    // The integer part after rounding to whole units; saturates at the limits of qint64.
    qint64 toInt64() const;
    bool isZero() const { return m_mantissa == 0; }
    bool isNegative() const { return m_mantissa < 0; }
    // Plain notation without exponent and without trailing fractional zeros.
    QString toString() const;
    // True when a computation overflowed 38 digits; such a value reads as zero.
    bool overflowed() const { return m_overflow; }

private:
    static Decimal overflow();
    void normalize();

    Int128 m_mantissa = 0;
    int m_scale = 0;
    bool m_overflow = false;
};

// Amount text to whole cents: exact, halves away from zero; unreadable text is 0.
qint64 cents(const QString &amount);
// Whole cents back to amount text ("1205" cents -> "12.05"), exactly.
QString amountFromCents(qint64 cents);

// The locale texts shown to people follow: the given one (by default the
// device's), except that the POSIX "C" locale of a machine with no language
// set reads as US English, where ICU would write "$ 1234567.50".
QLocale displayLocale(const QLocale &locale = QLocale());

// Money as people read it. Every amount shown anywhere becomes text here and
// nowhere else, so the currency and locale rules live in one place. A record
// that names no currency is in US dollars; `locale` is an ICU locale name
// ("en_US") for screens and tests that pin one, empty for the display locale
// ("$234.50" on a US-English device). An overflowed amount reads as zero;
// "$\u2014" stands for what cannot be formatted at all.
QString moneyText(const Decimal &amount, const QString &currency = {}, const QByteArray &locale = {});

} // namespace vantrel
