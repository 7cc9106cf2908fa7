#pragma once
// The language the screens speak: the system's by default, or one chosen on
// this device and kept in its settings. Applying it installs the translation,
// makes its locale the default one (money and dates follow), asks the QML
// engines to say their texts again and tells the faces through `changed`.

#include <QList>
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTranslator>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

namespace vantrel::screens {

// The locale a choice stands for: the system's for "" (or when the system
// already speaks the chosen language), otherwise the language's own.
QLocale localeForChoice(const QString &choice, const QLocale &system);

class LanguageChoice : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // "" follows the system; otherwise one of `choices` after the first.
    Q_PROPERTY(QString choice READ choice WRITE setChoice NOTIFY changed)
    Q_PROPERTY(QStringList choices READ choices CONSTANT)
    // The choices as a person reads them; each language in its own words.
    Q_PROPERTY(QStringList names READ names NOTIFY changed)
    Q_PROPERTY(int index READ index NOTIFY changed)

public:
    static LanguageChoice *instance();
    static LanguageChoice *create(QQmlEngine *, QJSEngine *);

    // Reads this device's choice and applies it; the engine's texts follow
    // every later change.
    void attach(QQmlEngine *engine);

    QString choice() const { return m_choice; }
    // An unknown choice counts as the system's. Kept in this device's settings.
    void setChoice(const QString &choice);
    // Applies a choice for this run only, leaving the device's setting as it is.
    void use(const QString &choice);
    static QStringList choices();
    QStringList names() const;
    int index() const { return int(choices().indexOf(m_choice)); }

signals:
    void changed();

private:
    LanguageChoice() = default;
    void apply();

    QString m_choice;
    bool m_applied = false;
    QList<QPointer<QQmlEngine>> m_engines;
    QTranslator m_plurals; // the English source's plural forms
    QTranslator m_chosen;
};

} // namespace vantrel::screens
