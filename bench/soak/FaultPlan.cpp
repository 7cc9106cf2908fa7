#include "FaultPlan.h"

#include <QRegularExpression>

namespace soak {

namespace {

// splitmix64's finaliser: every input bit reaches every output bit.
quint64 mix(quint64 x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

} // namespace

quint64 stableKey(QStringView text)
{
    quint64 h = 0xcbf29ce484222325ULL; // FNV-1a
    for (const QChar c : text) {
        h ^= c.unicode();
        h *= 0x100000001b3ULL;
    }
    return h;
}

double uniform(std::initializer_list<quint64> parts)
{
    quint64 h = 0;
    for (const quint64 part : parts) h = mix(h ^ part);
    return double(h >> 11) * 0x1.0p-53;
}

QString requestKind(const vantrel::testing::Request &request)
{
    // Words stay; identifiers (upper-case UUIDs, the server's digits) go.
    static const QRegularExpression word(QStringLiteral("^[a-z_-]+$"));
    QString kind = QString::fromLatin1(request.method);
    for (const QString &segment : request.segments)
        kind += QLatin1Char(' ') + (word.match(segment).hasMatch() ? segment : QStringLiteral("*"));
    return kind;
}

void FaultPlan::beginStep(int sale, int step, double share, bool kills)
{
    m_sale = sale;
    m_step = step;
    m_share = share;
    m_kills = kills;
    m_decided.clear();
    m_polls.clear();
}

Fault FaultPlan::decide(const vantrel::testing::Request &request)
{
    const QString kind = requestKind(request);
    const bool poll = request.method == "GET" && kind == QLatin1String("GET api checkouts *");
    if (!poll) {
        const auto decided = m_decided.constFind(kind);
        if (decided != m_decided.cend()) return *decided;
    }
    const quint64 occurrence = poll ? quint64(m_polls[kind]++) : 0;
    const quint64 sale = quint64(m_sale), step = quint64(m_step), what = stableKey(kind);
    Fault fault = Fault::none;
    if (uniform({m_seed, sale, step, what, occurrence}) < m_share)
        fault = Fault(1 + int(uniform({m_seed, sale, step, what, occurrence, 1}) * faultKinds));
    const bool kill = fault == Fault::killBeforeArrival || fault == Fault::killAfterCommit;
    if (kill && !m_kills) fault = Fault::none;
    // One kill per step: the app started again meets the rest of the plan.
    if (kill) m_kills = false;
    if (!poll) m_decided.insert(kind, kill ? Fault::none : fault);
    return fault;
}

} // namespace soak
