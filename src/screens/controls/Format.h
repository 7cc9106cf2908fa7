#pragma once
// Texts the screens show for times and numbers, worked out in C++: the
// relative "5 minutes" of "Stock updated 5 minutes ago", short dates, and
// numbers in the language in force when they are asked for. Money has its
// own formatter beside the exact decimal it formats (records/Money.h).

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

// The time from `then` to `now` in the largest whole unit ("1 minute",
// "3 hours"); under a minute it counts seconds; never negative.
QString relativeText(const QDateTime &then, const QDateTime &now);

class Format : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // The display locale's name. A binding passes it to the calls below so
    // that it is worked out again when the language changes.
    Q_PROPERTY(QString language READ language NOTIFY languageChanged)

public:
    explicit Format(QObject *parent = nullptr);
    QString language() const;

    Q_INVOKABLE QString relativeTo(const QDateTime &then, const QDateTime &now, const QString & = {}) const
    {
        return relativeText(then, now);
    }
    Q_INVOKABLE QString date(const QDateTime &at, const QString & = {}) const;
    // A record's amount text through the one money formatter, for views that
    // show a record's field as it comes.
    Q_INVOKABLE QString money(const QString &amount, const QString & = {}) const;
    // A record's plain number ("2.5") as the locale shows it ("2,5").
    Q_INVOKABLE QString number(const QString &plain, const QString & = {}) const;
    // A number field's two directions: what the workspace keeps for the
    // typed text, and how the field shows what it keeps (records/TypedNumber.h).
    Q_INVOKABLE QString heldNumber(const QString &typed) const;
    Q_INVOKABLE QString fieldNumber(const QString &held, const QString & = {}) const;

signals:
    void languageChanged();
};

} // namespace vantrel::screens
