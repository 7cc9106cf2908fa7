// Start-up of the app as shipped, from launch to a shown frame: the sign-in
// screen (nobody signed in) and, with a session in the keychain, the first
// frame and the first frame that shows a product card of a 10,000-product
// catalog; against a bare Qt Quick window's first frame in the same run. Each
// run launches every program once, in turn, so a busy machine slows all of
// them alike; the medians and their ratios to the bare window are printed,
// and the signed-in app's resident memory once its photos are shown.
//
// The app prints its marks when VANTREL_STARTUP_TRACE is set
// (src/screens/StartupTrace.h); the time is taken here, from the launch to
// the line on the app's output. The keychain needs a session bus: the
// program runs itself again inside `dbus-run-session` with a private home
// and an unlocked gnome-keyring, as the sale by names does.
//
// Usage: bench_startup [--runs=N] [--products=N]
// To see where the signed-in start-up goes, VANTREL_STARTUP_WRAP names a
// command that the signed-in launches run under, for example
// VANTREL_STARTUP_WRAP="perf record -g -o /tmp/startup.data --".
#include "StandinThread.h"

#include "platform/auth/KeychainSessionStore.h"
#include "records/Codec.h"
#include "records/Reference.h"

#include <QCoroTask>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

using namespace vantrel;

namespace {

constexpr int launchLimitMs = 60'000;
// After the first card, time for the photos in view to be fetched and shown.
constexpr int settleMs = 5'000;

struct Options {
    int runs = 5;
    int products = 10'000;
};

Options parse(const QStringList &arguments)
{
    Options options;
    for (const QString &argument : arguments) {
        if (argument.startsWith(QLatin1String("--runs=")))
            options.runs = std::max(1, argument.mid(7).toInt());
        if (argument.startsWith(QLatin1String("--products=")))
            options.products = std::clamp(argument.mid(11).toInt(), 0, 200'000);
    }
    return options;
}

// Milliseconds from launch to each mark; a mark never seen is absent.
using Marks = std::map<QByteArray, double>;

// The resident memory of a running process, in bytes; -1 when unknown.
qint64 residentBytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

// With `resident`, the program is left running `settleMs` after the marks
// (photos fetched and shown) and its resident memory is read before it ends.
Marks launch(const QString &program, const QStringList &arguments, const QList<QByteArray> &awaited,
             qint64 *resident = nullptr, int settleMs = 0)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VANTREL_STARTUP_TRACE"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Marks marks;
    QEventLoop loop;
    QElapsedTimer clock;
    QByteArray pending;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        const double at = double(clock.nsecsElapsed()) / 1e6;
        pending += process.readAllStandardOutput();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end).trimmed();
            pending.remove(0, end + 1);
            if (line.startsWith("vantrel-startup ")) marks.emplace(line.mid(16), at);
        }
        if (std::all_of(awaited.cbegin(), awaited.cend(),
                        [&](const QByteArray &m) { return marks.count(m); }))
            loop.quit();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(launchLimitMs, &loop, &QEventLoop::quit);
    clock.start();
    process.start(program, arguments);
    loop.exec();
    if (resident) {
        QEventLoop settle;
        QTimer::singleShot(settleMs, &settle, &QEventLoop::quit);
        settle.exec();
        // Under a wrapper the app is a child of the process started here.
        *resident = process.state() == QProcess::Running ? residentBytes(process.processId()) : -1;
    }
    process.terminate();
    if (!process.waitForFinished(10'000)) {
        process.kill();
        process.waitForFinished();
    }
    return marks;
}

double median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs `task` on this thread's event loop to its end.
template <class T> T finish(QCoro::Task<T> task) { return QCoro::waitFor(std::move(task)); }

int measure(const Options &options)
{
    // The keychain of the private session, unlocked with a throw-away password.
    QProcess keyring;
    keyring.start(QStringLiteral("gnome-keyring-daemon"),
                  {QStringLiteral("--unlock"), QStringLiteral("--components=secrets")});
    keyring.write("vantrel-bench");
    keyring.closeWriteChannel();
    keyring.waitForFinished(10'000);

    QTemporaryDir data;
    standin::StandinOptions standinOptions;
    standinOptions.seed = QStringLiteral("demo");
    standinOptions.catalogSize = options.products;
    standinOptions.dataDir = data.path();
    bench::StandinThread server(standinOptions);
    if (!server.started()) {
        std::fprintf(stderr, "stand-in: %s\n", qPrintable(server.error()));
        return 1;
    }
    const Session session{server.issueToken(QStringLiteral("Avery Demo")), QStringLiteral("Avery Demo"),
                          false};
    const QByteArray stored = encode(session, KeyStyle::Storage);
    KeychainSessionStore keychain;

    const QString app = QStringLiteral(VANTREL_STARTUP_APP);
    const QString bare = QStringLiteral(VANTREL_STARTUP_BARE);
    const QStringList appArguments{QStringLiteral("--server"), server.base(),
                                   QStringLiteral("-qwindowgeometry"), QStringLiteral("1280x800+0+0")};
    const QByteArray frame("first-frame"), card("first-card");
    const QStringList wrap = qEnvironmentVariable("VANTREL_STARTUP_WRAP").split(u' ', Qt::SkipEmptyParts);

    std::vector<double> bareFrames, signInFrames, catalogFrames, catalogCards;
    // Where the signed-in start-up goes: the main window made, the catalog in the workspace.
    std::vector<double> catalogQml, catalogLoaded;
    // The app's resident memory with the grid and its photos shown.
    std::vector<double> residentMiB;
    std::printf("run  bare_first_frame_ms  sign_in_first_frame_ms  catalog_first_frame_ms  first_card_ms\n");
    for (int run = 1; run <= options.runs; ++run) {
        const Marks floor = launch(bare, {}, {frame});
        finish(keychain.remove(server.base()));
        const Marks signIn = launch(app, appArguments, {frame});
        finish(keychain.write(server.base(), stored));
        if (finish(keychain.read(server.base())) != stored) {
            std::fprintf(stderr, "the keychain did not keep the session\n");
            return 1;
        }
        qint64 resident = -1;
        const Marks catalog =
            wrap.isEmpty()
                ? launch(app, appArguments, {frame, card}, &resident, settleMs)
                : launch(wrap.first(), wrap.mid(1) + QStringList{app} + appArguments, {frame, card});
        if (!floor.count(frame) || !signIn.count(frame) || !catalog.count(card)) {
            std::fprintf(stderr, "run %d: a program showed no frame%s\n", run,
                         catalog.count(frame) && !catalog.count(card) ? " with a product card" : "");
            return 1;
        }
        bareFrames.push_back(floor.at(frame));
        signInFrames.push_back(signIn.at(frame));
        catalogFrames.push_back(catalog.at(frame));
        catalogCards.push_back(catalog.at(card));
        if (catalog.count("qml-loaded")) catalogQml.push_back(catalog.at("qml-loaded"));
        if (catalog.count("catalog-loaded")) catalogLoaded.push_back(catalog.at("catalog-loaded"));
        if (resident > 0) residentMiB.push_back(double(resident) / 1048576.0);
        std::printf("%3d  %19.1f  %22.1f  %22.1f  %13.1f\n", run, bareFrames.back(), signInFrames.back(),
                    catalogFrames.back(), catalogCards.back());
        std::fflush(stdout);
    }
    const double floorMs = median(bareFrames);
    std::printf("median over %d runs, %d products:\n", options.runs, options.products);
    std::printf("  bare Qt Quick window, first frame   %8.1f ms\n", floorMs);
    std::printf("  sign-in screen, first frame         %8.1f ms  (%.2fx the bare window)\n",
                median(signInFrames), median(signInFrames) / floorMs);
    std::printf("  signed in, first frame              %8.1f ms  (%.2fx)\n", median(catalogFrames),
                median(catalogFrames) / floorMs);
    std::printf("  signed in, first product card shown %8.1f ms  (%.2fx)\n", median(catalogCards),
                median(catalogCards) / floorMs);
    std::printf("  signed in: main window made at %.1f ms, catalog in the workspace at %.1f ms\n",
                median(catalogQml), median(catalogLoaded));
    if (!residentMiB.empty())
        std::printf("  signed in, resident memory %d s after the first card: %.1f MiB (%.1f MB)\n",
                    settleMs / 1000, median(residentMiB), median(residentMiB) * 1.048576);
    return 0;
}

// Starts this program again inside a session bus of its own, with a home
// of its own, so the keychain, settings and drafts it uses are private.
int inPrivateSession(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString root = home.path();
    for (const auto &[name, folder] : {std::pair{"XDG_DATA_HOME", "data"},
                                       {"XDG_CONFIG_HOME", "config"},
                                       {"XDG_CACHE_HOME", "cache"},
                                       {"XDG_RUNTIME_DIR", "run"}}) {
        QDir(root).mkpath(QString::fromLatin1(folder));
        environment.insert(QString::fromLatin1(name), root + u'/' + QString::fromLatin1(folder));
    }
    QFile::setPermissions(root + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment.insert(QStringLiteral("HOME"), root);
    // The app's single-instance socket is named per user.
    environment.insert(QStringLiteral("USER"),
                       QStringLiteral("vantrel-bench-%1").arg(QCoreApplication::applicationPid()));
    environment.insert(QStringLiteral("VANTREL_STARTUP_INSIDE"), QStringLiteral("1"));
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess inside;
    inside.setProcessEnvironment(environment);
    inside.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList arguments{QStringLiteral("--"), QCoreApplication::applicationFilePath()};
    arguments += app.arguments().mid(1);
    inside.start(QStringLiteral("dbus-run-session"), arguments);
    if (!inside.waitForStarted()) {
        std::fprintf(stderr, "bench_startup needs dbus-run-session (package dbus)\n");
        return 1;
    }
    inside.waitForFinished(-1);
    return inside.exitStatus() == QProcess::NormalExit ? inside.exitCode() : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("VANTREL_STARTUP_INSIDE")) return inPrivateSession(argc, argv);
    QCoreApplication app(argc, argv);
    return measure(parse(app.arguments().mid(1)));
}
