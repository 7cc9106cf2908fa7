#pragma once
// Whether the customer display is on and on which screen, kept in this
// device's settings, and where it stands as screens come and go.

#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

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
    Q_PROPERTY(QScreen *screen READ screen NOTIFY changed)

public:
    explicit DisplayPlacement(QObject *parent = nullptr);

    bool on() const { return m_on; }
    void setOn(bool on);
    QStringList screens() const;
    QString chosenScreen() const { return m_chosen; }
    void setChosenScreen(const QString &name);
    bool shown() const { return m_shown; }
    bool fullScreen() const { return m_fullScreen; }
    QScreen *screen() const { return m_screen; }

signals:
    void changed();

private:
    void place();

    bool m_on = false;
    QString m_chosen;
    bool m_shown = false;
    bool m_fullScreen = false;
    QPointer<QScreen> m_screen;
};

} // namespace vantrel
