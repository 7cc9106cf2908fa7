// How long the main thread stalls while the workspace refreshes a
// 10,000-product catalog (~4.5 MB; --products=N for another size) with a
// product grid bound to it in an
// offscreen QML scene. A 1 ms precise timer on the main thread records the
// largest gap between its ticks during each refresh; the server runs on its
// own thread so that only the client's work is on the main thread. The server
// alternates two catalogs that differ in every product's stock, so every
// refresh changes every row. The baseline is the same fetch with the decode
// done on the main thread.
#include "MainThreadMeter.h"
#include "StandinThread.h"

#include "server/APIClient.h"
#include "server/ReplyLimits.h"
#include "workflow/CatalogPart.h"
#include "workflow/CheckoutModel.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QCoroTask>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace vantrel;
using bench::StallMeter;

namespace {

int productCount = 10'000;

QByteArray makeCatalog(int count, int stockShift = 0)
{
    QJsonArray products;
    for (int i = 0; i < count; ++i) {
        const int size = 9 + 3 * (i % 12);
        QJsonObject p;
        p.insert("id", QString::number(4'100'000'000LL + i));
        p.insert("name", QStringLiteral("White Shaker %1 Base Cabinet, WS finish").arg(size));
        p.insert("sku", QStringLiteral("B%1-WS%2").arg(size).arg(i));
        p.insert("description",
                 QStringLiteral("Full-overlay shaker door, soft-close hinges, dovetail drawer box, "
                                "plywood box with a %1 inch width; assembled in the warehouse on "
                                "order, ships in 3-5 days.")
                     .arg(size));
        p.insert("rate", QStringLiteral("%1.%2").arg(99 + i % 900).arg(i % 100, 2, 10, QLatin1Char('0')));
        if (i % 5) p.insert("stock", QString::number(i % 40 + stockShift));
        p.insert("composite", i % 4 == 0);
        p.insert("stock_source", i % 4 == 0 ? QStringLiteral("components") : QStringLiteral("warehouse"));
        p.insert("tax_id", QStringLiteral("4100000000000%1").arg(i % 3));
        p.insert("category", QStringLiteral("Base"));
        if (i % 9) {
            p.insert("image_path", QStringLiteral("/api/items/%1/image").arg(4'100'000'000LL + i));
            p.insert("image_version",
                     QStringLiteral("2026-11-%1T10:00:00Z").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        }
        products.append(p);
    }
    QJsonObject catalog{{"at", 1796000000.25}, {"products", products}};
    return QJsonDocument(catalog).toJson(QJsonDocument::Compact);
}

// A product grid as the catalog screen lays it out, bound to the list model.
const QByteArray grid = R"(
import QtQuick
Window {
    width: 1280; height: 800; visible: true
    GridView {
        anchors.fill: parent
        cellWidth: 220; cellHeight: 300
        model: catalog.products
        delegate: Column {
            required property string name
            required property string priceText
            required property string stock
            Text { text: name; width: 200; elide: Text.ElideRight }
            Text { text: priceText }
            Text { text: stock }
        }
    }
}
)";

struct Setup {
    QByteArray catalog = makeCatalog(productCount);
    QByteArray second = makeCatalog(productCount, 1);
    int served = 0; // touched on the server's thread only
    bench::HttpServerThread server{[this](const standin::HttpRequest &) {
        standin::HttpResponse r;
        r.body = served++ % 2 ? second : catalog;
        return r;
    }};
    QTemporaryDir dir;
    std::unique_ptr<CheckoutModel> model;
    QQmlEngine engine;
    std::unique_ptr<QObject> scene;
    Setup()
    {
        CheckoutModelServices services;
        services.build = CheckoutBuildConfiguration{false, server.base(), server.base(),
                                                    QStringLiteral("vantrelcheckout")};
        model = std::make_unique<CheckoutModel>(services, dir.path());
        model->adoptSession(Session{QStringLiteral("token"), QStringLiteral("bench"), false});
        engine.rootContext()->setContextProperty(QStringLiteral("catalog"), model->catalogPart());
        // BENCH_NO_SCENE=1 measures the same refresh with nothing bound.
        if (qEnvironmentVariableIsSet("BENCH_NO_SCENE")) return;
        QQmlComponent component(&engine);
        component.setData(grid, QUrl(QStringLiteral("qrc:/bench-grid.qml")));
        scene.reset(component.create());
        if (!scene) std::fprintf(stderr, "scene: %s\n", qPrintable(component.errorString()));
    }
};

Setup *setup = nullptr;
double longestRefresh = 0;
double longestBaseline = 0;

// The baseline: the same transfer, under the catalog's reply limit, decoded
// on the main thread. A failure comes back as text: QCoro::waitFor never
// returns from a task that throws.
QCoro::Task<QString> refreshOnMainThread(CheckoutModel *model)
{
    const QString method = QStringLiteral("GET");
    const QString path = QStringLiteral("/api/catalog");
    try {
        const QByteArray bytes =
            co_await model->api().request(method, path, std::nullopt, {}, {}, replyLimit::catalog);
        Catalog catalog = decode<Catalog>(bytes, KeyStyle::Wire);
        benchmark::DoNotOptimize(catalog.products.size());
    } catch (const std::exception &e) {
        co_return QString::fromLocal8Bit(e.what());
    } catch (...) {
        co_return QStringLiteral("the fetch failed");
    }
    co_return QString();
}

void measure(benchmark::State &state, bool model, double &longest)
{
    StallMeter meter;
    double total = 0;
    for (auto _ : state) {
        // Each refresh replaces a full catalog, as the loop does.
        meter.start();
        QString failure;
        if (model)
            QCoro::waitFor(setup->model->catalogPart()->refreshCatalog());
        else
            failure = QCoro::waitFor(refreshOnMainThread(setup->model.get()));
        const qint64 stall = meter.stop();
        if (!failure.isEmpty()) {
            state.SkipWithError(qPrintable(failure));
            break;
        }
        longest = std::max(longest, double(stall));
        total += double(stall);
        // The mean longest stall per refresh.
        state.counters["stall_ms"] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
    }
    state.counters["longest_stall_ms"] = longest;
    if (setup->model->catalogPart()->products().size() != productCount)
        state.SkipWithError("catalog not applied");
}

void BM_RefreshCatalog(benchmark::State &state) { measure(state, true, longestRefresh); }
void BM_RefreshDecodingOnMainThread(benchmark::State &state) { measure(state, false, longestBaseline); }

BENCHMARK(BM_RefreshCatalog)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RefreshDecodingOnMainThread)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    productCount = bench::takeProductsOption(argc, argv, productCount);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Setup s;
    setup = &s;
    // One refresh first, so both measurements replace a full catalog.
    QCoro::waitFor(s.model->catalogPart()->refreshCatalog());
    std::printf("catalog: %d products, %.2f MB, grid bound: %s\n",
                int(s.model->catalogPart()->products().size()), s.catalog.size() / 1e6,
                s.scene ? "yes" : "no");
    benchmark::RunSpecifiedBenchmarks();
    if (longestRefresh > 0 && longestBaseline > 0)
        std::printf("longest main-thread stall: %.0f ms off-thread decode, %.0f ms main-thread decode "
                    "(ratio %.2f; bar: <= 16 ms)\n",
                    longestRefresh, longestBaseline, longestRefresh / longestBaseline);
    setup = nullptr;
    return 0;
}
