#include "DisplayPlacement.h"

#include "DisplayRules.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWindow>

namespace vantrel {

namespace {
const QString onKey = QStringLiteral("customerDisplay/on");
const QString screenKey = QStringLiteral("customerDisplay/screen");
} // namespace

DisplayPlacement::DisplayPlacement(QObject *parent) : QObject(parent)
{
    const QSettings settings;
    m_on = settings.value(onKey, false).toBool();
    m_chosen = settings.value(screenKey).toString();
    // Screens come and go with cables and docks; the window follows, and
    // comes back by itself when its screen does.
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &DisplayPlacement::place);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &DisplayPlacement::place);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &DisplayPlacement::place);
    place();
}

void DisplayPlacement::setOn(bool on)
{
    if (m_on == on) return;
    m_on = on;
    QSettings().setValue(onKey, on);
    place();
    emit changed();
}

QStringList DisplayPlacement::screens() const
{
    QStringList names;
    for (const QScreen *screen : QGuiApplication::screens()) names.append(screen->name());
    return names;
}

void DisplayPlacement::setChosenScreen(const QString &name)
{
    if (m_chosen == name) return;
    m_chosen = name;
    QSettings().setValue(screenKey, name);
    place();
    emit changed();
}

void DisplayPlacement::place()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    const screens::Placement placement =
        screens::placeDisplay(m_on, screens(), primary ? primary->name() : QString(), m_chosen);
    m_shown = placement.shown;
    m_fullScreen = placement.fullScreen;
    m_screenName = placement.screen;
    emit changed();
}

void DisplayPlacement::moveToScreen(QWindow *window) const
{
    if (!window) return;
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->name() == m_screenName && window->screen() != screen) window->setScreen(screen);
}

} // namespace vantrel
