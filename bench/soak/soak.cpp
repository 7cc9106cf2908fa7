// Runs whole sales at two tills (one paid at a card terminal or in cash, one
// on a register invoice) against the in-process stand-in, while a seeded plan
// faults a share of the requests and kills the app, and counts what the
// server holds afterwards. Prints one line; the same seed prints the same line.
//
//   bench_soak [--seed=S] [--sales=N]
#include "ServerAudit.h"
#include "Till.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace soak;

namespace {

constexpr std::chrono::milliseconds patience{500}; // the client's wait for any reply

// The model's own log lines would bury the result; hangs and failures stay.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

quint64 option(const QStringList &arguments, const QString &name, quint64 fallback)
{
    for (const QString &argument : arguments) {
        if (!argument.startsWith(name)) continue;
        bool ok = false;
        const quint64 value = argument.mid(name.size()).toULongLong(&ok);
        if (!ok) qFatal("soak: %s needs a whole number", qPrintable(name));
        return value;
    }
    return fallback;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    const quint64 seed = option(app.arguments(), QStringLiteral("--seed="), 20261207);
    const int sales = int(option(app.arguments(), QStringLiteral("--sales="), 1000));
    Sale::trace = app.arguments().contains(QStringLiteral("--trace"));

    Till terminal(seed, QStringLiteral("square_terminal"), patience);
    Till counter(seed ^ 0x7265676973746572ULL, QStringLiteral("square_register"), patience);
    QList<SaleResult> atTerminal, atCounter;
    for (int number = 1; number <= sales; ++number) {
        const bool register_ = uniform({seed, quint64(number), 0x7469}) < 0.3;
        if (Sale::trace) std::fprintf(stderr, "sale %d at the %s\n", number, register_ ? "register" : "terminal");
        (register_ ? atCounter : atTerminal).append(Sale(register_ ? counter : terminal, seed, number).run());
    }

    AuditCounts counts = audit(QDir(terminal.backend().server.dataDir()).filePath(QStringLiteral("standin.sqlite")),
                               terminal.backend().front.requests(), atTerminal);
    counts += audit(QDir(counter.backend().server.dataDir()).filePath(QStringLiteral("standin.sqlite")),
                    counter.backend().front.requests(), atCounter);
    int completed = 0;
    QStringList deadEnds;
    for (const SaleResult &sale : atTerminal + atCounter) {
        const bool paid = counts.paidMarkers.contains(sale.marker);
        if (sale.completed && paid && sale.deadEnd.isEmpty()) {
            ++completed;
            continue;
        }
        deadEnds.append(!sale.deadEnd.isEmpty() ? sale.deadEnd
                        : sale.completed         ? sale.marker + QStringLiteral(": shown as paid, no paid checkout on the server")
                                                 : sale.marker);
    }
    const QStringList lost = terminal.lostDrafts() + counter.lostDrafts();

    std::printf("soak seed=%llu sales=%d completed=%d ids=%d records-per-id<=%d duplicates=%d drafts-lost=%d dead-ends=%d\n",
                static_cast<unsigned long long>(seed), sales, completed, counts.ids, counts.mostRecordsPerId,
                counts.duplicates, int(lost.size()), int(deadEnds.size()));
    std::fflush(stdout);
    for (const QString &finding : counts.findings) std::fprintf(stderr, "duplicate: %s\n", qPrintable(finding));
    for (const QString &draft : lost) std::fprintf(stderr, "draft lost: %s\n", qPrintable(draft));
    for (const QString &deadEnd : deadEnds) std::fprintf(stderr, "dead end: %s\n", qPrintable(deadEnd));
    if (app.arguments().contains(QStringLiteral("--trace"))) {
        // What the plan threw, which varies a little with timing (status polls).
        const char *const names[] = {"none", "lost reply", "reset before arrival", "502 before commit",
                                     "502 after commit", "slow reply", "killed before arrival", "killed after commit"};
        for (int f = 1; f <= faultKinds; ++f)
            std::fprintf(stderr, "faults: %s %d\n", names[f],
                         terminal.faultsMet(Fault(f)) + counter.faultsMet(Fault(f)));
        std::fprintf(stderr, "restarts: %d\n", terminal.restarts() + counter.restarts());
    }
    const bool sound = counts.duplicates == 0 && counts.mostRecordsPerId <= 1 && lost.isEmpty() && deadEnds.isEmpty();
    return sound ? 0 : 1;
}
