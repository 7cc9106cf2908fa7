#include "Format.h"

#include "records/Money.h"
#include "records/TypedNumber.h"

#include <QLocale>

namespace vantrel::screens {

QString relativeText(const QDateTime &then, const QDateTime &now)
{
    const qint64 seconds = std::max<qint64>(0, then.secsTo(now));
    struct Unit {
        qint64 seconds;
        const char *one;
        const char *many;
    };
    static constexpr Unit units[] = {
        {86400, "day", "days"}, {3600, "hour", "hours"}, {60, "minute", "minutes"}, {1, "second", "seconds"}};
    for (const Unit &unit : units) {
        const qint64 count = seconds / unit.seconds;
        if (count > 0 || unit.seconds == 1)
            return QString::number(count) + QLatin1Char(' ') +
                   QString::fromLatin1(count == 1 ? unit.one : unit.many);
    }
    return {};
}

QString Format::date(const QDateTime &at) const
{
    return displayLocale().toString(at.date(), QLocale::ShortFormat);
}

QString Format::money(const QString &amount) const { return moneyText(Decimal::parseOrZero(amount)); }

QString Format::number(const QString &plain) const { return numberText(plain); }

QString Format::heldNumber(const QString &typed) const { return vantrel::heldNumber(typed); }

QString Format::fieldNumber(const QString &held) const { return heldNumberText(held); }

} // namespace vantrel::screens
