#include "TypedAmount.h"

#include <QRegularExpression>

namespace vantrel {
namespace {

bool isSpace(QChar c)
{
    // Grouping in several locales is a no-break or narrow no-break space.
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

QString withoutSpaces(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!isSpace(c)) out.append(c);
    return out;
}

// Drops one currency mark at either end: the dollar sign, "US$", "USD", or
// the locale's own symbol for its currency.
QString withoutCurrency(QString text, const QLocale &locale)
{
    QStringList marks = {QStringLiteral("US$"), QStringLiteral("USD"), QStringLiteral("$")};
    const QString own = withoutSpaces(locale.currencySymbol(QLocale::CurrencySymbol));
    if (!own.isEmpty() && !marks.contains(own)) marks.prepend(own);
    for (const QString &mark : std::as_const(marks)) {
        if (text.startsWith(mark, Qt::CaseInsensitive)) return text.mid(mark.size());
        if (text.endsWith(mark, Qt::CaseInsensitive)) return text.chopped(mark.size());
    }
    return text;
}

// Digits grouped by `group` in threes after a first group of one to three,
// then optionally `point` and up to two digits; the result in plain form.
std::optional<QString> grouped(const QString &text, QChar group, QChar point)
{
    QString integer = text;
    QString fraction;
    const qsizetype at = text.indexOf(point);
    if (at >= 0) {
        integer = text.left(at);
        fraction = text.mid(at + 1);
        if (fraction.isEmpty() || fraction.contains(point) || fraction.contains(group)) return std::nullopt;
    }
    if (integer.isEmpty()) integer = QStringLiteral("0");
    const QStringList parts = integer.split(group);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part.isEmpty()) return std::nullopt;
        if (parts.size() > 1 && (part.size() > 3 || (i > 0 && part.size() != 3))) return std::nullopt;
    }
    for (QChar c : integer + fraction)
        if (c != group && (c < u'0' || c > u'9')) return std::nullopt;
    QString plain = parts.join(QString());
    if (!fraction.isEmpty()) plain += u'.' + fraction;
    return plain;
}

// The number in plain "1234.50" form, or absent when it reads no way.
std::optional<QString> plainNumber(const QString &text, const QLocale &locale)
{
    static const QRegularExpression plainForm(QStringLiteral("^[0-9]*\\.?[0-9]+$|^[0-9]+\\.$"));
    const QString point = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const bool commaDecimal = point == QLatin1String(",");
    // The locale's own form first: "1.234,50" in Spain, "1,234.50" in the US.
    if (point.size() == 1) {
        const QChar groupMark = group.size() == 1 && !isSpace(group[0]) ? group[0] : QChar(u'\'');
        if (auto read = grouped(text, groupMark, point[0])) return read;
    }
    // The plain form, whatever the locale.
    if (plainForm.match(text).hasMatch() &&
        !(commaDecimal && text.count(u'.') == 1 && text.size() - text.indexOf(u'.') == 4))
        return text.endsWith(u'.') ? text.chopped(1) : text;
    // A single comma before one or two digits cannot be grouping anywhere:
    // "18,50" typed on a device set to US English means eighteen fifty.
    static const QRegularExpression commaCents(QStringLiteral("^[0-9]+,[0-9]{1,2}$"));
    if (commaCents.match(text).hasMatch()) return QString(text).replace(u',', u'.');
    // US grouping typed on a device with another decimal mark.
    if (commaDecimal) {
        if (auto read = grouped(text, u',', u'.')) return read;
    }
    return std::nullopt;
}

} // namespace

TypedAmount readTypedAmount(QStringView text, const QString &field, const QLocale &locale)
{
    TypedAmount typed;
    QString compact = withoutSpaces(text);
    if (compact.isEmpty()) return typed;
    bool negative = false;
    for (const QChar minus : {QChar(u'-'), QChar(0x2212)}) {
        if (compact.startsWith(minus)) {
            negative = true;
            compact.remove(0, 1);
        }
    }
    compact = withoutCurrency(compact, locale);
    if (compact.startsWith(u'-') || compact.startsWith(QChar(0x2212))) {
        negative = true;
        compact.remove(0, 1);
    }
    const std::optional<QString> plain = compact.isEmpty() ? std::nullopt : plainNumber(compact, locale);
    const std::optional<Decimal> value = plain ? Decimal::parse(*plain) : std::nullopt;
    if (!value || value->overflowed()) {
        const QString example = QStringLiteral("20") + locale.decimalPoint() + QStringLiteral("00");
        typed.problem =
            QStringLiteral("%1 could not be read. Type an amount such as %2.").arg(field, example);
        return typed;
    }
    if (negative && !value->isZero()) {
        typed.problem = QStringLiteral("%1 cannot be negative.").arg(field);
        return typed;
    }
    if (value->rounded(2) != *value) {
        typed.problem = QStringLiteral("%1 has more than two decimal places.").arg(field);
        return typed;
    }
    typed.amount = *value;
    return typed;
}

qint64 typedCents(const TypedAmount &typed)
{
    return typed.amount ? (*typed.amount * Decimal(100)).rounded(0).toInt64() : 0;
}

} // namespace vantrel
