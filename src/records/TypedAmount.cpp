#include "TypedAmount.h"

#include "TypedNumber.h"

#include <QCoreApplication>

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
    const std::optional<QString> plain =
        compact.isEmpty() || compact.startsWith(u'+') ? std::nullopt : readTypedNumber(compact, locale);
    const std::optional<Decimal> value = plain ? Decimal::parse(*plain) : std::nullopt;
    if (!value || value->overflowed()) {
        const QString example = QStringLiteral("20") + locale.decimalPoint() + QStringLiteral("00");
        typed.problem =
            QCoreApplication::translate("Checkout", "%1 could not be read. Type an amount such as %2.")
                .arg(field, example);
        return typed;
    }
    if (negative && !value->isZero()) {
        typed.problem = QCoreApplication::translate("Checkout", "%1 cannot be negative.").arg(field);
        return typed;
    }
    if (value->rounded(2) != *value) {
        typed.problem =
            QCoreApplication::translate("Checkout", "%1 has more than two decimal places.").arg(field);
        return typed;
    }
    typed.amount = *value;
    return typed;
}

QString cashReceivedLabel() { return QCoreApplication::translate("Checkout", "Cash received"); }

qint64 typedCents(const TypedAmount &typed)
{
    return typed.amount ? (*typed.amount * Decimal(100)).rounded(0).toInt64() : 0;
}

} // namespace vantrel
