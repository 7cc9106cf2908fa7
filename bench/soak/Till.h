#pragma once
// One shop of the soak: the stand-in behind the recording server, the fault
// plan between them, and the workspace of the shop's till. When the plan
// kills the app, the till starts again from its files as at the next launch,
// and what the person had typed must still be there.

#include "FaultPlan.h"
#include "Workspace.h"

#include <QStringList>

#include <array>
#include <chrono>
#include <functional>

namespace soak {

class Till {
public:
    Till(quint64 seed, const QString &paymentRoute, std::chrono::milliseconds patience);

    vantrel::CheckoutModel *operator->() { return m_ws.model.get(); }
    vantrel::CheckoutModel &model() { return *m_ws; }
    vantrel::testing::Standin &backend() { return m_backend; }
    FaultPlan &plan() { return m_plan; }
    std::chrono::milliseconds patience() const { return m_patience; }
    // Customers the shop had before the first sale, found by name.
    const QList<vantrel::Customer> &regulars() const { return m_regulars; }

    // Runs one operation of the screens until it ends, or until the plan
    // kills the app while it waits (the operation dies with it).
    template <class T>
    void perform(QCoro::Task<T> operation)
    {
        const auto outcome = vantrel::testing::start(std::move(operation));
        if (!waitUntil([&] { return outcome->done; }, operationLimitMs) && !outcome->done && !m_killed)
            hung(QStringLiteral("an operation"));
    }
    // Lets the event loop run until the condition holds (true) or the time is
    // up; a kill meanwhile restarts the app and ends the wait (false).
    bool waitUntil(const std::function<bool()> &condition, int timeoutMs);
    // Replies held past the client's patience go out now, to whoever still listens.
    void releaseHeld() { m_backend.front.release(); }
    // The app dies and is launched again: a new model over the same files,
    // started as at launch (session from the keychain, account, catalog).
    void restart();

    // Set by a kill during the last wait; cleared by the next wait.
    bool killed() const { return m_killed; }
    bool takeHung() { return std::exchange(m_hung, false); }
    // Typed work that a restart did not bring back, one line each.
    const QStringList &lostDrafts() const { return m_lostDrafts; }
    // How many requests met each fault, and how often the app was killed.
    int faultsMet(Fault fault) const { return m_faultsMet[size_t(fault)]; }
    int restarts() const { return m_restarts; }

    static constexpr int operationLimitMs = 30000;

private:
    std::optional<vantrel::testing::Reply> answer(const vantrel::testing::Request &request);
    void hung(const QString &what);

    std::chrono::milliseconds m_patience;
    vantrel::testing::Standin m_backend;
    vantrel::testing::Workspace m_ws;
    FaultPlan m_plan;
    QList<vantrel::Customer> m_regulars;
    bool m_killPending = false;
    bool m_killed = false;
    bool m_hung = false;
    QStringList m_lostDrafts;
    std::array<int, faultKinds + 1> m_faultsMet{};
    int m_restarts = 0;
};

} // namespace soak
