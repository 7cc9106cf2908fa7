#include "Format.h"

#include "screens/controls/text/LanguageChoice.h"

#include "records/Money.h"
#include "records/TypedNumber.h"

#include <QCoreApplication>
#include <QLocale>

#include <climits>

namespace vantrel::screens {

QString relativeText(const QDateTime &then, const QDateTime &now)
{
    const qint64 seconds = std::max<qint64>(0, then.secsTo(now));
    struct Unit {
        qint64 seconds;
        const char *text;
    };
    static constexpr Unit units[] = {{86400, QT_TRANSLATE_N_NOOP("Format", "%n day(s)")},
                                     {3600, QT_TRANSLATE_N_NOOP("Format", "%n hour(s)")},
                                     {60, QT_TRANSLATE_N_NOOP("Format", "%n minute(s)")},
                                     {1, QT_TRANSLATE_N_NOOP("Format", "%n second(s)")}};
    for (const Unit &unit : units) {
        const qint64 count = seconds / unit.seconds;
        if (count > 0 || unit.seconds == 1)
            return QCoreApplication::translate("Format", unit.text, nullptr,
                                               int(std::min<qint64>(count, INT_MAX)));
    }
    return {};
}

Format::Format(QObject *parent) : QObject(parent)
{
    connect(LanguageChoice::instance(), &LanguageChoice::changed, this, &Format::languageChanged);
}

QString Format::language() const { return displayLocale().name(); }

QString Format::date(const QDateTime &at, const QString &) const
{
    return displayLocale().toString(at.date(), QLocale::ShortFormat);
}

QString Format::money(const QString &amount, const QString &) const
{
    return moneyText(Decimal::parseOrZero(amount));
}

QString Format::number(const QString &plain, const QString &) const { return numberText(plain); }

QString Format::heldNumber(const QString &typed) const { return vantrel::heldNumber(typed); }

QString Format::fieldNumber(const QString &held, const QString &) const { return heldNumberText(held); }

} // namespace vantrel::screens
