#pragma once
// Cooperative cancellation for coroutine tasks (QCoro has none of its own).
// A token is shared by the task and whoever may cancel it; cancelling also
// aborts whatever request the task registered as in flight.

#include <QPointer>
#include <QNetworkReply>

#include <functional>
#include <memory>

namespace vantrel {

class CancellationToken {
public:
    // A default token is never cancelled.
    CancellationToken() = default;
    static CancellationToken make()
    {
        CancellationToken t;
        t.m_state = std::make_shared<State>();
        return t;
    }

    bool isCancelled() const { return m_state && m_state->cancelled; }
    void cancel() const
    {
        if (!m_state || m_state->cancelled) return;
        m_state->cancelled = true;
        if (m_state->inFlight) m_state->inFlight->abort();
    }
    // The request the task currently waits for (aborted on cancel).
    void setInFlight(QNetworkReply *reply) const
    {
        if (m_state) m_state->inFlight = reply;
    }

private:
    struct State {
        bool cancelled = false;
        QPointer<QNetworkReply> inFlight;
    };
    std::shared_ptr<State> m_state;
};

} // namespace vantrel
