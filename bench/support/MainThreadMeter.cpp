#include "MainThreadMeter.h"

#include <QEventLoop>

#include <algorithm>
#include <cstdio>

namespace vantrel::bench {

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
        if (m_logAbove >= 0 && gap > m_logAbove)
            std::fprintf(stderr, "stall: %lld ms, ended %lld ms after the start\n", gap, m_started.elapsed());
    });
}

void StallMeter::start()
{
    m_longest = 0;
    m_clock.start();
    m_started.start();
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
