#pragma once
// Whether the customer display is on and on which screen, kept in this
// device's settings, and where it stands as screens come and go.

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class QWindow;

namespace vantrel {

class DisplayPlacement : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool on READ on WRITE setOn NOTIFY changed)
    // The connected screens by name, and the one chosen (empty: not chosen).
    Q_PROPERTY(QStringList screens READ screens NOTIFY changed)
    Q_PROPERTY(QString chosenScreen READ chosenScreen WRITE setChosenScreen NOTIFY changed)
    // Where the window stands now: hidden while its screen is away.
    Q_PROPERTY(bool shown READ shown NOTIFY changed)
    Q_PROPERTY(bool fullScreen READ fullScreen NOTIFY changed)
    // The screen it fills or starts on, by name; empty: the window system's choice.
    Q_PROPERTY(QString screenName READ screenName NOTIFY changed)
    Q_PROPERTY(int screenIndex READ screenIndex NOTIFY changed)

public:
    explicit DisplayPlacement(QObject *parent = nullptr);

    bool on() const { return m_on; }
    void setOn(bool on);
    QStringList screens() const;
    QString chosenScreen() const { return m_chosen; }
    void setChosenScreen(const QString &name);
    bool shown() const { return m_shown; }
    bool fullScreen() const { return m_fullScreen; }
    // Index of the screen the display stands on among `screens`; -1 when none.
    int screenIndex() const { return int(screens().indexOf(m_chosen.isEmpty() ? m_screenName : m_chosen)); }

    // Moves the display window to its screen (QML's own screen list would
    // need a lookup by name on every change).
    Q_INVOKABLE void moveToScreen(QWindow *window) const;
    QString screenName() const { return m_screenName; }

signals:
    void changed();

private:
    void place();

    bool m_on = false;
    QString m_chosen;
    bool m_shown = false;
    bool m_fullScreen = false;
    QString m_screenName;
};

} // namespace vantrel
