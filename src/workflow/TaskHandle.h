#pragma once
// Handle of one background task (payment poller, catalog loop, customer search).

#include "server/Cancellation.h"

namespace vantrel {

// QCoro tasks cannot be stopped from outside, so a background task polls its
// handle after every suspension and passes the token to every request it makes:
// cancelling the handle both ends the loop and aborts the request in flight.
class TaskHandle {
public:
    static TaskHandle make()
    {
        TaskHandle handle;
        handle.m_token = CancellationToken::make();
        return handle;
    }

    CancellationToken token() const { return m_token; }
    bool isCancelled() const { return m_token.isCancelled(); }
    void cancel() const { m_token.cancel(); }

private:
    CancellationToken m_token;
};

} // namespace vantrel
