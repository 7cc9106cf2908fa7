#include "FramePacer.h"

namespace vantrel::screens {

namespace {

// How long a step waits for a frame that does not come: two display refreshes.
constexpr int noFrameMs = 33;

} // namespace

FramePacer::FramePacer(QObject *parent) : QObject(parent)
{
    m_noFrame.setSingleShot(true);
    m_noFrame.setInterval(noFrameMs);
    connect(&m_noFrame, &QTimer::timeout, this, &FramePacer::stepOnce);
}

void FramePacer::setWindow(QQuickWindow *window)
{
    if (m_window == window) return;
    m_window = window;
    follow();
    emit windowChanged();
}

void FramePacer::setRunning(bool running)
{
    if (m_running == running) return;
    m_running = running;
    follow();
    emit runningChanged();
}

void FramePacer::follow()
{
    disconnect(m_frames);
    m_frames = {};
    if (!m_running) {
        m_noFrame.stop();
        return;
    }
    // A threaded render loop swaps on its own thread: the step is queued to
    // this one, where it runs once the frame is out.
    if (m_window)
        m_frames =
            connect(m_window, &QQuickWindow::frameSwapped, this, &FramePacer::stepOnce, Qt::QueuedConnection);
    m_noFrame.start();
}

void FramePacer::stepOnce()
{
    if (!m_running) return;
    m_noFrame.start();
    emit step();
}

} // namespace vantrel::screens
