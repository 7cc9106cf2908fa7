#include "TypedNumber.h"

#include "IcuText.h"

#include <QRegularExpression>

namespace vantrel {
namespace {

bool isSpace(QChar c)
{
    // Grouping in several locales is a no-break or narrow no-break space.
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

// Digits grouped by `group` in threes after a first group of one to three,
// then optionally `point` and more digits; the result in plain form.
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

// An unsigned number without spaces in plain form, or absent.
std::optional<QString> unsignedPlain(const QString &text, const QLocale &locale)
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
    // The plain form, whatever the locale; where "." groups, "1.234" was
    // already read as grouping above and is not read again as a fraction.
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

bool isPlain(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    return plain.match(text).hasMatch();
}

} // namespace

std::optional<QString> readTypedNumber(QStringView text, const QLocale &locale)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!isSpace(c)) compact.append(c);
    bool negative = false;
    if (!compact.isEmpty() && (compact[0] == u'-' || compact[0] == QChar(0x2212) || compact[0] == u'+')) {
        negative = compact[0] != u'+';
        compact.remove(0, 1);
    }
    if (compact.isEmpty()) return std::nullopt;
    std::optional<QString> plain = unsignedPlain(compact, locale);
    if (plain && negative) plain->prepend(u'-');
    return plain;
}

QString editableNumber(const QString &plain, const QLocale &locale)
{
    if (!isPlain(plain)) return plain;
    return QString(plain).replace(u'.', locale.decimalPoint());
}

QString numberText(const QString &plain, const QLocale &locale)
{
    if (!isPlain(plain)) return plain;
    // Every digit typed is shown: no rounding to the formatter's default three places.
    const icu::number::LocalizedNumberFormatter *formatter = icutext::keptFormatter(
        locale.name().toLatin1(), {}, [](const icu::Locale &place, const QByteArray &) {
            return std::optional(icu::number::NumberFormatter::withLocale(place).precision(
                icu::number::Precision::unlimited()));
        });
    if (!formatter) return plain;
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray digits = plain.toLatin1();
    const auto formatted =
        formatter->formatDecimal(icu::StringPiece(digits.constData(), int(digits.size())), status);
    if (U_FAILURE(status)) return plain;
    const icu::UnicodeString text = formatted.toString(status);
    if (U_FAILURE(status) || text.isEmpty()) return plain;
    return icutext::fromIcu(text);
}

QString heldNumber(const QString &typed, const QLocale &locale)
{
    const QString trimmed = typed.trimmed();
    const bool percent = trimmed.endsWith(u'%');
    const std::optional<QString> plain =
        readTypedNumber(percent ? QStringView(trimmed).chopped(1) : trimmed, locale);
    if (!plain) return typed;
    return percent ? *plain + u'%' : *plain;
}

QString heldNumberText(const QString &held, const QLocale &locale)
{
    if (held.endsWith(u'%')) return editableNumber(held.chopped(1), locale) + u'%';
    return editableNumber(held, locale);
}

} // namespace vantrel
