// The app's workspace against a stand-in serving its demo data and 10,000
// generated products (--products=N for another size; on a thread of its
// own), with the catalog screen bound in an offscreen window: the longest
// main-thread stall while the workspace signs in from the keychain and loads
// everything, and during each of twenty catalog refreshes, against the same
// meter over an idle event loop with the screen up (how much the shared
// machine alone delays a 1 ms timer). Also the resident memory before
// sign-in, after the first load, after five refreshes and after twenty.
// BENCH_STALL_LOG=<ms> prints every stall longer than that as it happens;
// BENCH_MEMORY_DETAIL=1 splits the resident memory before and after. Each refresh gets the same catalog back, as a store with no
// stock movement does; rows that change every time are measured by
// bench_catalog_refresh.
#include "CatalogScene.h"
#include "MainThreadMeter.h"
#include "StandinThread.h"

#include "records/Codec.h"
#include "screens/EngineSetup.h"
#include "server/SessionStore.h"
#include "workflow/CatalogPart.h"
#include "workflow/CheckoutModel.h"

#include <benchmark/benchmark.h>

#include <QCoroTask>
#include <QFile>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

Q_IMPORT_QML_PLUGIN(Vantrel_CheckoutPlugin)

using namespace vantrel;
using bench::runEventLoop;
using bench::StallMeter;

namespace {

int generatedProducts = 10'000;
constexpr int refreshes = 20;
// Resident memory is read after this many refreshes as well as after all.
constexpr int earlyRefreshes = 5;
// After each load the screen gets this long to lay out and show photos.
constexpr int settleMs = 1000;

double mib(qint64 bytes) { return double(bytes) / 1048576.0; }

// Where the resident memory is: mapped from files (libraries, fonts, the
// QML cache) or anonymous, and of the heap what is in use and what malloc
// holds freed.
void printMemoryDetail(const char *when)
{
    qint64 anon = -1, file = -1;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() < 2) continue;
            if (parts[0] == "RssAnon:") anon = parts[1].toLongLong() * 1024;
            if (parts[0] == "RssFile:") file = parts[1].toLongLong() * 1024;
        }
    }
    std::printf("memory %s: %.1f MiB anonymous, %.1f MiB file-backed", when, mib(anon), mib(file));
#ifdef __GLIBC__
    const struct mallinfo2 heap = mallinfo2();
    std::printf("; heap %.1f MiB in use (%.1f MiB of it in large blocks), %.1f MiB freed but held",
                mib(qint64(heap.uordblks + heap.hblkhd)), mib(qint64(heap.hblkhd)),
                mib(qint64(heap.fordblks)));
#endif
    std::printf("\n");
}

struct Setup {
    bench::StandinThread server{[] {
        standin::StandinOptions options;
        options.seed = QStringLiteral("demo");
        options.catalogSize = generatedProducts;
        return options;
    }()};
    QTemporaryDir dir;
    InMemorySessionStore sessions;
    QSettings settings{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    std::unique_ptr<CheckoutModel> model;
    QQmlEngine engine;
    std::unique_ptr<QQuickWindow> window;

    Setup()
    {
        if (!server.started()) {
            std::fprintf(stderr, "stand-in: %s\n", qPrintable(server.error()));
            return;
        }
        // The keychain holds the user's session, as after an earlier sign-in.
        const Session session{server.issueToken(QStringLiteral("Avery Demo")), QStringLiteral("Avery Demo"),
                              false};
        sessions.items.insert(server.base(), encode(session, KeyStyle::Storage));
        model = std::make_unique<CheckoutModel>(bench::standinServices(server, &sessions, &settings),
                                                dir.filePath(QStringLiteral("storage")));
        setUpEngine(engine, *model);
        window =
            bench::createWindow(engine, bench::catalogScene,
                                {{QStringLiteral("workspace"), QVariant::fromValue<QObject *>(model.get())}});
        runEventLoop(settleMs);
    }
};

Setup *setup = nullptr;
qint64 idleStall = 0, firstLoadStall = 0, refreshStall = 0;
// The same, counting only the main thread's time on a CPU.
double idleCpu = 0, firstLoadCpu = 0, refreshCpu = 0;
qint64 rssBefore = -1, rssFirstLoad = -1, rssEarly = -1, rssRefreshed = -1;

// The baseline: the same meter with nothing to do but keep the screen up.
void BM_IdleEventLoop(benchmark::State &state)
{
    StallMeter meter;
    for (auto _ : state) {
        meter.start();
        runEventLoop(settleMs);
        idleStall = std::max(idleStall, meter.stop());
        idleCpu = std::max(idleCpu, meter.longestOnCpu());
    }
    state.counters["longest_stall_ms"] = double(idleStall);
    state.counters["on_cpu_ms"] = idleCpu;
}

// Keychain read, account, checkouts, taxes, catalog, and the screen showing it.
void BM_SignInAndFirstLoad(benchmark::State &state)
{
    StallMeter meter;
    for (auto _ : state) {
        meter.start();
        QCoro::waitFor(setup->model->start());
        runEventLoop(settleMs);
        firstLoadStall = meter.stop();
        firstLoadCpu = meter.longestOnCpu();
    }
    rssFirstLoad = bench::residentBytes();
    state.counters["longest_stall_ms"] = double(firstLoadStall);
    state.counters["on_cpu_ms"] = firstLoadCpu;
    state.counters["products"] = double(setup->model->catalogPart()->products().size());
    if (setup->model->catalogPart()->products().size() < generatedProducts)
        state.SkipWithError("catalog not loaded");
}

void BM_RefreshCatalog(benchmark::State &state)
{
    StallMeter meter;
    int done = 0;
    double total = 0;
    for (auto _ : state) {
        meter.start();
        QCoro::waitFor(setup->model->catalogPart()->refreshCatalog());
        runEventLoop(settleMs);
        const qint64 stall = meter.stop();
        refreshStall = std::max(refreshStall, stall);
        refreshCpu = std::max(refreshCpu, meter.longestOnCpu());
        total += double(stall);
        // The mean longest stall per refresh.
        state.counters["stall_ms"] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
        if (++done == earlyRefreshes) rssEarly = bench::residentBytes();
    }
    rssRefreshed = bench::residentBytes();
    state.counters["longest_stall_ms"] = double(refreshStall);
    state.counters["on_cpu_ms"] = refreshCpu;
}

BENCHMARK(BM_IdleEventLoop)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SignInAndFirstLoad)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RefreshCatalog)->Iterations(refreshes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    generatedProducts = bench::takeProductsOption(argc, argv, generatedProducts);
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    benchmark::Initialize(&argc, argv);
    Setup s;
    if (!s.window) return 1;
    setup = &s;
    rssBefore = bench::residentBytes();
    const bool detail = qEnvironmentVariableIsSet("BENCH_MEMORY_DETAIL");
    if (detail) printMemoryDetail("before sign-in");
    benchmark::RunSpecifiedBenchmarks();
    if (detail) printMemoryDetail("at the end");
    const double idle = double(std::max<qint64>(idleStall, 1));
    std::printf("catalog: %d products, signed in as %s\n", int(s.model->catalogPart()->products().size()),
                qPrintable(s.model->userName()));
    std::printf(
        "longest main-thread stall (bar: <= 16 ms): idle %lld ms; sign-in and first load %lld ms (x%.1f); "
        "%d refreshes %lld ms (x%.1f)\n",
        idleStall, firstLoadStall, double(firstLoadStall) / idle, refreshes, refreshStall,
        double(refreshStall) / idle);
    std::printf(
        "the same counting only the main thread's time on a CPU: idle %.1f ms; sign-in and first load "
        "%.1f ms; %d refreshes %.1f ms\n",
        idleCpu, firstLoadCpu, refreshes, refreshCpu);
    std::printf("resident memory: %.1f MiB before sign-in, %.1f MiB after the first load, %.1f MiB after %d "
                "refreshes, %.1f MiB after %d (x%.2f of the first load)\n",
                mib(rssBefore), mib(rssFirstLoad), mib(rssEarly), earlyRefreshes, mib(rssRefreshed),
                refreshes, rssFirstLoad > 0 ? double(rssRefreshed) / double(rssFirstLoad) : 0.0);
    setup = nullptr;
    return 0;
}
