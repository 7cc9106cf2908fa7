#include "MainThreadMeter.h"

#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace vantrel::bench {

namespace {

// Milliseconds this thread has spent on a CPU.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

StallMeter::StallMeter()
{
    bool logged = false;
    const int logAbove = qEnvironmentVariableIntValue("BENCH_STALL_LOG", &logged);
    m_logAbove = logged ? logAbove : -1;
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        const qint64 gap = m_clock.restart();
        m_longest = std::max(m_longest, gap);
        // The time on a CPU tells work on this thread from waiting for one.
        const double cpu = threadCpuMs();
        m_longestCpu = std::max(m_longestCpu, cpu - m_cpuAtTick);
        if (m_logAbove >= 0 && gap > m_logAbove)
            std::fprintf(stderr, "stall: %lld ms (%.1f ms of it on a CPU), ended %lld ms after the start\n",
                         gap, cpu - m_cpuAtTick, m_started.elapsed());
        m_cpuAtTick = cpu;
    });
}

void StallMeter::start()
{
    m_longest = 0;
    m_clock.start();
    m_started.start();
    m_longestCpu = 0;
    m_cpuAtTick = threadCpuMs();
    m_timer.start();
}

qint64 StallMeter::stop()
{
    m_timer.stop();
    return std::max(m_longest, m_clock.elapsed());
}

void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace vantrel::bench
