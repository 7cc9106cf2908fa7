#pragma once
// Paces work that need not be done at once: while running, `step` comes once
// after each frame its window shows, in the time before the next, so a frame
// takes at most one step's work. Where no frame comes (nothing on screen
// changes), a step comes after a short wait instead.

#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

class FramePacer : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickWindow *window READ window WRITE setWindow NOTIFY windowChanged)
    Q_PROPERTY(bool running READ running WRITE setRunning NOTIFY runningChanged)

public:
    explicit FramePacer(QObject *parent = nullptr);

    QQuickWindow *window() const { return m_window; }
    void setWindow(QQuickWindow *window);
    bool running() const { return m_running; }
    void setRunning(bool running);

signals:
    void windowChanged();
    void runningChanged();
    void step();

private:
    // Listens to the window's frames while running, and only then.
    void follow();
    void stepOnce();

    QPointer<QQuickWindow> m_window;
    QMetaObject::Connection m_frames;
    QTimer m_noFrame;
    bool m_running = false;
};

} // namespace vantrel::screens
