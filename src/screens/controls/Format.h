#pragma once
// Texts the screens show for amounts and times, worked out in C++: money from
// exact decimal text or whole cents (never through floating point), and the
// relative "5 minutes" of "Stock updated 5 minutes ago".

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

QString centsMoneyText(qint64 cents, const QString &currency);
// The time from `then` to `now` in the largest whole unit ("1 minute",
// "3 hours"); under a minute it counts seconds; never negative.
QString relativeText(const QDateTime &then, const QDateTime &now);

class Format : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;
    Q_INVOKABLE QString money(const QString &amount, const QString &currency = QStringLiteral("USD")) const;
    Q_INVOKABLE QString cents(qint64 cents, const QString &currency = QStringLiteral("USD")) const
    {
        return centsMoneyText(cents, currency);
    }
    Q_INVOKABLE QString relativeTo(const QDateTime &then, const QDateTime &now) const
    {
        return relativeText(then, now);
    }
    Q_INVOKABLE QString date(const QDateTime &at) const;
};

} // namespace vantrel::screens
