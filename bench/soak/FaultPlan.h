#pragma once
// Which fault meets a request of the soak. Every decision is a hash of the
// run's seed, the sale, the step of the sale and the kind of request, so a
// seed replays the same plan however long each request takes.

#include "RecordingServer.h"

#include <QHash>
#include <QString>

#include <initializer_list>

namespace soak {

enum class Fault {
    none,
    lostReply, // handled, then the connection is reset (the network stack's resend too)
    resetBeforeArrival, // the connection is reset before the server sees the request
    badGateway, // a proxy answers 502; the server never sees it
    badGatewayAfterCommit, // handled, then the proxy answers 502
    slowReply, // handled; the reply is held past the client's patience
    killBeforeArrival, // the app dies while the request waits, unhandled
    killAfterCommit, // the app dies while the reply waits, handled
};
constexpr int faultKinds = int(Fault::killAfterCommit);

// Stable across runs and processes (qHash is seeded per process).
quint64 stableKey(QStringView text);
// A number in [0, 1) fixed by the parts.
double uniform(std::initializer_list<quint64> parts);

// The request with its identifiers left out: "POST api/checkouts/*/hold".
QString requestKind(const vantrel::testing::Request &request);

class FaultPlan {
public:
    explicit FaultPlan(quint64 seed) : m_seed(seed) {}

    // A new step of a sale: faults are decided afresh, for this share of the
    // requests; without kills, none of them kills the app.
    void beginStep(int sale, int step, double share, bool kills = true);
    // The network heals: nothing is faulted until the next sale's first step.
    void heal() { m_share = 0; }

    // A request and its repeats within a step (the network stack's own
    // resend, a second load of the same list) meet the same fault, so that
    // the outcome does not depend on whether the stack resent it. Status
    // polls, whose number depends on timing, are decided one by one.
    Fault decide(const vantrel::testing::Request &request);

private:
    quint64 m_seed;
    int m_sale = 0;
    int m_step = 0;
    double m_share = 0;
    bool m_kills = true;
    QHash<QString, Fault> m_decided;
    QHash<QString, int> m_polls;
};

} // namespace soak
