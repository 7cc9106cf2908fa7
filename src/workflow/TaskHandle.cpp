#include "TaskHandle.h"

#include <QCoroSignal>
#include <QTimer>

namespace vantrel {

TaskHandle TaskHandle::make()
{
    TaskHandle handle;
    handle.m_token = CancellationToken::make();
    handle.m_waker = std::make_shared<TaskWaker>();
    return handle;
}

void TaskHandle::cancel() const
{
    if (m_token.isCancelled()) return;
    m_token.cancel();
    if (m_waker) emit m_waker->woken();
}

QCoro::Task<> TaskHandle::sleep(TaskHandle handle, std::chrono::milliseconds duration)
{
    if (handle.isCancelled() || !handle.m_waker) co_return;
    // Whichever comes first, the timer or the cancellation, ends the wait.
    TaskWaker relay;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &relay, &TaskWaker::woken);
    QObject::connect(handle.m_waker.get(), &TaskWaker::woken, &relay, &TaskWaker::woken);
    timer.start(duration);
    co_await qCoro(&relay, &TaskWaker::woken);
}

} // namespace vantrel
