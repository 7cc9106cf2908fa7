#include "LanguageChoice.h"

#include <QCoreApplication>
#include <QQmlEngine>
#include <QSettings>

namespace vantrel::screens {

namespace {

const QString settingKey = QStringLiteral("language");
const QString translations = QStringLiteral(":/i18n");

} // namespace

QLocale localeForChoice(const QString &choice, const QLocale &system)
{
    if (!LanguageChoice::choices().contains(choice) || choice.isEmpty()) return system;
    const QLocale chosen(choice);
    return chosen.language() == system.language() ? system : chosen;
}

LanguageChoice *LanguageChoice::instance()
{
    static LanguageChoice *const one = new LanguageChoice;
    return one;
}

LanguageChoice *LanguageChoice::create(QQmlEngine *, QJSEngine *)
{
    LanguageChoice *one = instance();
    QJSEngine::setObjectOwnership(one, QJSEngine::CppOwnership);
    return one;
}

QStringList LanguageChoice::choices() { return {QString(), QStringLiteral("en"), QStringLiteral("es")}; }

QStringList LanguageChoice::names() const
{
    return {tr("System"), QStringLiteral("English"), QStringLiteral("Español")};
}

void LanguageChoice::attach(QQmlEngine *engine)
{
    if (!m_engines.contains(engine)) m_engines.append(engine);
    if (!m_applied) {
        const QString saved = QSettings().value(settingKey).toString();
        m_choice = choices().contains(saved) ? saved : QString();
        apply();
    } else {
        engine->setUiLanguage(QLocale().name());
    }
}

void LanguageChoice::setChoice(const QString &choice)
{
    const QString next = choices().contains(choice) ? choice : QString();
    QSettings settings;
    if (next.isEmpty())
        settings.remove(settingKey);
    else
        settings.setValue(settingKey, next);
    use(next);
}

void LanguageChoice::use(const QString &choice)
{
    const QString next = choices().contains(choice) ? choice : QString();
    if (next == m_choice && m_applied) return;
    m_choice = next;
    apply();
}

void LanguageChoice::apply()
{
    m_applied = true;
    const QLocale locale = localeForChoice(m_choice, QLocale::system());
    QLocale::setDefault(locale);
    QCoreApplication::removeTranslator(&m_chosen);
    QCoreApplication::removeTranslator(&m_plurals);
    if (m_plurals.load(QStringLiteral("vantrel_en"), translations))
        QCoreApplication::installTranslator(&m_plurals);
    if (locale.language() != QLocale::English &&
        m_chosen.load(locale, QStringLiteral("vantrel"), QStringLiteral("_"), translations))
        QCoreApplication::installTranslator(&m_chosen);
    m_engines.removeAll(nullptr);
    for (QQmlEngine *engine : std::as_const(m_engines)) {
        engine->setUiLanguage(locale.name());
        engine->retranslate();
    }
    emit changed();
}

} // namespace vantrel::screens
