#pragma once
// Main-thread measuring shared by the catalog benchmarks: the longest gap
// between ticks of a 1 ms timer, and letting the event loop run for a while.

#include <QElapsedTimer>
#include <QTimer>

namespace vantrel::bench {

// Largest gap between ticks of a 1 ms precise timer while it runs: how long
// the main thread was held by anything at all. With BENCH_STALL_LOG=<ms> in
// the environment, every gap longer than that is printed as it ends, with
// how much of it the thread spent on a CPU (the rest it waited for one).
class StallMeter {
public:
    StallMeter();
    void start();
    // The longest gap since start(), the time since the last tick included.
    qint64 stop();
    // The most CPU time the thread spent between two ticks since start():
    // the longest stall less the time it waited for a CPU the machine gave
    // to others.
    double longestOnCpu() const { return m_longestCpu; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    QElapsedTimer m_started;
    qint64 m_longest = 0;
    int m_logAbove = -1;
    double m_cpuAtTick = 0;
    double m_longestCpu = 0;
};

// Runs the event loop for `ms`: bindings, incubation, replies and renders.
void runEventLoop(int ms);

} // namespace vantrel::bench
