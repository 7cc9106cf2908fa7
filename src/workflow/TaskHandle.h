#pragma once
// Handle of one background task (payment poller, catalog loop, customer search).

#include "server/Cancellation.h"

#include <QCoroTask>
#include <QObject>

#include <chrono>
#include <memory>

namespace vantrel {

// Wakes a sleeping background task when its handle is cancelled.
class TaskWaker : public QObject {
    Q_OBJECT
signals:
    void woken();
};

// QCoro tasks cannot be stopped from outside, so a background task checks its
// handle after every suspension and passes the token to every request it
// makes: cancelling the handle ends the loop, aborts the request in flight and
// cuts a sleep short (so no suspended task outlives its model).
class TaskHandle {
public:
    static TaskHandle make();

    CancellationToken token() const { return m_token; }
    bool isCancelled() const { return m_token.isCancelled(); }
    void cancel() const;

    // Sleeps for the duration, or less when the handle is cancelled meanwhile.
    // Never throws; the caller checks isCancelled() afterwards.
    static QCoro::Task<> sleep(TaskHandle handle, std::chrono::milliseconds duration);

private:
    CancellationToken m_token;
    std::shared_ptr<TaskWaker> m_waker;
};

} // namespace vantrel
