// How smoothly the product grid scrolls over a 10,000-product catalog: the
// catalog screen as the app shows it, over a workspace that loaded the
// catalog from the stand-in (on a thread of its own), scrolled frame by frame
// in an offscreen window; the baseline in the same run is the same grid with
// a trivial delegate. The event loop runs between frames as it does between
// display refreshes (replies, photo decodes, delegate incubation), and a
// frame counts from when it was due to when it was rendered, so main-thread
// work that makes a frame start late is counted in that frame. The window
// renders only when a frame is due, as on a display.
//
// Without photos the photo route answers 502, so every card settles on its
// placeholder; the photo run serves them, scrolls as a person browses (a
// screen's worth, then a pause) and samples the image store's cache.
#include "CatalogScene.h"
#include "MainThreadMeter.h"
#include "StandinThread.h"

#include "media/ProductImageStore.h"
#include "screens/EngineSetup.h"
#include "server/SessionStore.h"
#include "workflow/CatalogPart.h"
#include "workflow/CheckoutModel.h"
#include "workflow/VisibleProducts.h"

#include <benchmark/benchmark.h>

#include <QCoroTask>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

Q_IMPORT_QML_PLUGIN(Vantrel_CheckoutPlugin)

using namespace vantrel;

namespace {

constexpr int catalogSize = 10'000;
constexpr qint64 framePeriodNs = 16'666'667;

// The same grid (rows of cells, size, reuse, cache buffer, cells out of
// sight hidden) with one text per cell.
const QByteArray trivialScene = R"(
import QtQuick
import Vantrel.Checkout
Window {
    required property var products
    required property real gridWidth
    required property real gridHeight
    width: 1180; height: 820; visible: true
    ListView {
        id: grid
        objectName: "productGrid"
        x: 22; y: 200; width: gridWidth; height: gridHeight
        clip: true
        readonly property int columns: Math.max(1, Math.floor(width / (205 + 16)))
        readonly property real cellWidth: Math.floor(width / columns)
        readonly property real cellHeight: Math.round(cellWidth * 0.72) + 150
        reuseItems: true
        property bool scrolling: false
        cacheBuffer: Math.ceil(cellHeight * (scrolling ? 1 : 2))
        onContentYChanged: { scrolling = true; rest.restart() }
        Timer { id: rest; interval: 300; onTriggered: grid.scrolling = false }
        model: ProductRows { id: rows; source: products; columns: grid.columns }
        delegate: Item {
            id: row
            required property int first
            required property int cards
            required property int revision
            readonly property bool inSight: y < grid.contentY + grid.height && y + height > grid.contentY
            width: grid.width; height: grid.cellHeight
            ListView.onPooled: visible = false
            ListView.onReused: visible = true
            Repeater {
                model: grid.columns
                delegate: Rectangle {
                    required property int index
                    visible: index < row.cards && row.inSight
                    x: index * grid.cellWidth
                    width: grid.cellWidth - 16; height: grid.cellHeight - 16
                    radius: 14; border.color: "#dddddd"
                    Text {
                        anchors.centerIn: parent
                        text: parent.visible ? rows.productAt(row.first + parent.index, row.revision).name : ""
                    }
                }
            }
        }
    }
}
)";

struct Frames {
    std::vector<double> ms; // from due to rendered
    double worstLateMs = 0; // the longest a frame waited for the main thread
    int worstIndex = -1;
    double worstMoveMs = 0; // of the worst frame: moving the grid (bindings, rows made or reused) ...
    double worstRenderMs = 0; // ... and rendering it
    int rendered = 0; // frames the window reported swapped
    int cellsMade = 0; // row delegates that appeared while scrolling
    int cellsDestroyed = 0; // ... and that went away: a grid that reuses its rows destroys none

    double percentile(double p) const
    {
        if (ms.empty()) return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const size_t at = size_t(std::ceil(p * double(sorted.size()))) - 1;
        return sorted[std::min(at, sorted.size() - 1)];
    }
    double worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

// What the photo run watches in the image store.
struct PhotoSample {
    int peakCount = 0;
    qint64 peakBytes = 0;
    int fetched = 0; // replies that delivered an image
    int abandoned = 0; // replies cancelled or failed
};

class Scene {
public:
    Scene()
        : server([] {
              standin::StandinOptions options;
              options.catalogSize = catalogSize;
              return options;
          }()),
          settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)
    {
        if (!server.started()) {
            std::fprintf(stderr, "stand-in: %s\n", qPrintable(server.error()));
            return;
        }
        // The photo route fails until the photo run: placeholders only.
        photosServed(false);
        model = std::make_unique<CheckoutModel>(bench::standinServices(server, &sessions, &settings),
                                                dir.filePath(QStringLiteral("storage")));
        model->adoptSession(
            Session{server.issueToken(QStringLiteral("Avery Demo")), QStringLiteral("Avery Demo"), false});
        QCoro::waitFor(model->catalogPart()->refreshCatalog());
        setUpEngine(engine, *model);
    }

    bool ready() const { return model && model->catalogPart()->products().size() == catalogSize; }

    void photosServed(bool served)
    {
        server.run([served](standin::StandinServer &s) {
            s.clearFaults();
            if (!served)
                s.injectFault(
                    {{}, QStringLiteral("/api/items/"), standin::StandinFault::Kind::BadGateway, 0, 1 << 30});
        });
    }

    QQuickWindow *cards()
    {
        if (!m_cards)
            m_cards = create(bench::catalogScene,
                             {{QStringLiteral("workspace"), QVariant::fromValue<QObject *>(model.get())}});
        return m_cards.get();
    }

    QQuickWindow *trivial()
    {
        if (!m_trivial) {
            QQuickItem *grid = this->grid(cards());
            m_trivial =
                create(trivialScene, {{QStringLiteral("products"),
                                       QVariant::fromValue<QObject *>(model->catalogPart()->visible())},
                                      {QStringLiteral("gridWidth"), grid ? grid->width() : 1136.0},
                                      {QStringLiteral("gridHeight"), grid ? grid->height() : 560.0}});
        }
        return m_trivial.get();
    }

    static QQuickItem *grid(QQuickWindow *window) { return window ? find(window->contentItem()) : nullptr; }

    // Items made inside a component are not always QObject children of
    // their visual parent, so the search follows the item tree.
    static QQuickItem *find(QQuickItem *item)
    {
        if (item->objectName() == QLatin1String("productGrid")) return item;
        const auto children = item->childItems();
        for (QQuickItem *child : children) {
            if (QQuickItem *found = find(child)) return found;
        }
        return nullptr;
    }

    // The stand-in's catalog over loopback, with its own token.
    bench::StandinThread server;
    QTemporaryDir dir;
    InMemorySessionStore sessions;
    QSettings settings;
    std::unique_ptr<CheckoutModel> model;
    QQmlEngine engine;

private:
    std::unique_ptr<QQuickWindow> m_cards;
    std::unique_ptr<QQuickWindow> m_trivial;

    std::unique_ptr<QQuickWindow> create(const QByteArray &qml, const QVariantMap &properties)
    {
        std::unique_ptr<QQuickWindow> window = bench::createWindow(engine, qml, properties);
        if (window) settle(500);
        return window;
    }

public:
    static void settle(int ms) { bench::runEventLoop(ms); }
};

Scene *scene = nullptr;
Frames trivialFrames, cardFrames, photoFrames;
PhotoSample photos;

// Lets through only the frames sent as `due`: a render loop in step with
// the display shows a frame at a refresh and at no other time, so work the
// window asks a frame for between refreshes is drawn in a timed frame.
class DisplayRefresh : public QObject {
public:
    DisplayRefresh(QQuickWindow *window, QEvent *due) : m_window(window), m_due(due)
    {
        m_window->installEventFilter(this);
    }
    ~DisplayRefresh() override { m_window->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::UpdateRequest && event != m_due;
    }

private:
    QQuickWindow *m_window;
    QEvent *m_due;
};

// How far the grid moves at frame `i`.
using Pattern = double (*)(int);
// A brisk fling: 60 points a frame, 3,600 a second.
double fling(int) { return 60; }
// Browsing: two rows' worth over a third of a second, then two thirds still.
double browse(int i) { return i % 60 < 20 ? 30 : 0; }

void scroll(benchmark::State &state, QQuickWindow *window, Pattern pattern, Frames &frames,
            const std::function<void()> &sample)
{
    QQuickItem *grid = Scene::grid(window);
    if (!grid || !grid->isVisible()) {
        state.SkipWithError("no visible product grid");
        return;
    }
    frames = Frames{};
    frames.ms.reserve(size_t(state.max_iterations));
    QEvent update(QEvent::UpdateRequest);
    // Frames come when they are due, as a display's refreshes do: a frame
    // the window asks for in between waits for the next due one.
    DisplayRefresh refresh(window, &update);
    // Half a second of the grid at rest, rendered as a display would: what
    // the grid does at rest (filling its buffer) is done by the time a
    // person's finger lands.
    for (int still = 0; still < 30; ++still) {
        Scene::settle(16);
        QCoreApplication::sendEvent(window, &update);
    }
    int swapped = 0;
    const auto connection = QObject::connect(window, &QQuickWindow::frameSwapped, [&] { ++swapped; });
    const qreal top = grid->property("contentY").toReal();
    qreal y = top;
    QElapsedTimer clock;
    clock.start();
    qint64 due = clock.nsecsElapsed() + framePeriodNs;
    // Each cell seen is watched until it goes away; the context ends the
    // watching with this run.
    QObject context;
    QSet<QQuickItem *> cells;
    QQuickItem *content = grid->property("contentItem").value<QQuickItem *>();
    const auto countCells = [&] {
        if (!content) return;
        const auto children = content->childItems();
        for (QQuickItem *cell : children) {
            if (cells.contains(cell)) continue;
            cells.insert(cell);
            ++frames.cellsMade;
            QObject::connect(cell, &QObject::destroyed, &context, [&frames, &cells, cell] {
                ++frames.cellsDestroyed;
                cells.remove(cell);
            });
        }
    };
    countCells();
    frames.cellsMade = 0;
    int i = 0;
    for (auto _ : state) {
        // Until the frame is due the event loop does what arrives. Its
        // timers wake on whole milliseconds, up to one late: it stops a
        // millisecond early, so what makes a frame late is work, not the
        // rounding of the wait.
        const qint64 waitMs = (due - clock.nsecsElapsed()) / 1'000'000;
        if (waitMs > 1) Scene::settle(int(waitMs) - 1);
        while (clock.nsecsElapsed() < due) {}
        const qint64 started = clock.nsecsElapsed();
        y += pattern(i);
        grid->setProperty("contentY", y);
        const qint64 moved = clock.nsecsElapsed();
        const int before = swapped;
        QCoreApplication::sendEvent(window, &update);
        const qint64 done = clock.nsecsElapsed();
        frames.rendered += swapped > before;
        const double late = double(started - due) / 1e6;
        const double ms = double(done - due) / 1e6;
        frames.ms.push_back(ms);
        if (ms >= frames.worst()) {
            frames.worstIndex = i;
            frames.worstMoveMs = double(moved - started) / 1e6;
            frames.worstRenderMs = double(done - moved) / 1e6;
        }
        frames.worstLateMs = std::max(frames.worstLateMs, late);
        state.SetIterationTime(ms / 1e3);
        if (sample) sample();
        countCells();
        // A frame that overran pushes the next one to when it finished.
        due = std::max(due + framePeriodNs, done);
        ++i;
    }
    QObject::disconnect(connection);
    grid->setProperty("contentY", top);
    state.counters["worst_ms"] = frames.worst();
    state.counters["p99_ms"] = frames.percentile(0.99);
    state.counters["median_ms"] = frames.percentile(0.5);
    state.counters["worst_late_ms"] = frames.worstLateMs;
    state.counters["cells_made"] = frames.cellsMade;
    state.counters["cells_destroyed"] = frames.cellsDestroyed;
    // Frames where the grid stood still have nothing to render.
    state.counters["frames_rendered"] = frames.rendered;
}

void BM_ScrollTrivialGrid(benchmark::State &state)
{
    scroll(state, scene->trivial(), fling, trivialFrames, {});
    if (QQuickWindow *w = scene->trivial()) w->hide();
}

void BM_ScrollProductCards(benchmark::State &state)
{
    QQuickWindow *window = scene->cards();
    window->show();
    Scene::settle(500);
    scroll(state, window, fling, cardFrames, {});
}

void BM_ScrollProductCardsWithPhotos(benchmark::State &state)
{
    scene->photosServed(true);
    ProductImageStore &store = scene->model->images();
    store.clear(); // the placeholders' failures would block their photos for 30 s
    photos = PhotoSample{};
    QMetaObject::Connection counting;
    const auto sample = [&] {
        photos.peakCount = std::max(photos.peakCount, store.cachedCount());
        photos.peakBytes = std::max(photos.peakBytes, store.cachedCost());
        // The store makes its network manager on first use.
        if (counting) return;
        if (auto *network = store.findChild<QNetworkAccessManager *>()) {
            counting = QObject::connect(network, &QNetworkAccessManager::finished, [](QNetworkReply *reply) {
                const bool image = reply->error() == QNetworkReply::NoError &&
                                   reply->header(QNetworkRequest::ContentTypeHeader)
                                       .toString()
                                       .startsWith(QLatin1String("image/"));
                ++(image ? photos.fetched : photos.abandoned);
            });
        }
    };
    scroll(state, scene->cards(), browse, photoFrames, sample);
    QObject::disconnect(counting);
    state.counters["peak_cached"] = photos.peakCount;
    state.counters["peak_cached_MiB"] = double(photos.peakBytes) / 1048576.0;
    state.counters["photos_fetched"] = photos.fetched;
}

BENCHMARK(BM_ScrollTrivialGrid)->Iterations(900)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollProductCards)->Iterations(900)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollProductCardsWithPhotos)->Iterations(1200)->UseManualTime()->Unit(benchmark::kMillisecond);

void report(const char *what, const Frames &frames)
{
    if (frames.ms.empty()) return;
    const double base99 = trivialFrames.percentile(0.99);
    const double baseWorst = trivialFrames.worst();
    std::printf("%-22s %4zu frames  worst %6.2f ms (frame %d, x%.2f; move %.1f, render %.1f)  p99 %6.2f ms "
                "(x%.2f)  median %5.2f ms  "
                "longest wait for the main thread %5.2f ms  cells made %d, destroyed %d\n",
                what, frames.ms.size(), frames.worst(), frames.worstIndex,
                baseWorst > 0 ? frames.worst() / baseWorst : 0, frames.worstMoveMs, frames.worstRenderMs,
                frames.percentile(0.99), base99 > 0 ? frames.percentile(0.99) / base99 : 0,
                frames.percentile(0.5), frames.worstLateMs, frames.cellsMade, frames.cellsDestroyed);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Frames render on the main thread when asked, so each one can be timed.
    qputenv("QSG_RENDER_LOOP", "basic");
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    benchmark::Initialize(&argc, argv);
    Scene s;
    if (!s.ready()) {
        std::fprintf(stderr, "bench_catalog_scroll: the catalog did not load\n");
        return 1;
    }
    scene = &s;
    QQuickWindow *cards = s.cards();
    QQuickItem *grid = Scene::grid(cards);
    if (!grid) {
        std::fprintf(stderr, "bench_catalog_scroll: no product grid on the catalog screen\n");
        return 1;
    }
    const QSGRendererInterface *renderer = cards->rendererInterface();
    std::printf("catalog: %d products; grid %.0fx%.0f, %d columns, cells %.0fx%.0f; scene graph: %s\n",
                int(s.model->catalogPart()->products().size()), grid->width(), grid->height(),
                grid->property("columns").toInt(), grid->property("cellWidth").toReal(),
                grid->property("cellHeight").toReal(),
                renderer && renderer->graphicsApi() == QSGRendererInterface::Software ? "software"
                                                                                      : "hardware");
    cards->hide();
    benchmark::RunSpecifiedBenchmarks();
    std::printf("frame times, due to rendered (bar: worst <= 16 ms); ratios against the trivial grid:\n");
    report("trivial delegate", trivialFrames);
    report("product cards", cardFrames);
    report("cards, photos served", photoFrames);
    if (!photoFrames.ms.empty())
        std::printf(
            "image store during the photo run: peak %d of %d photos, %.1f of %.1f MiB; %d photos fetched, "
            "%d fetches abandoned or failed\n",
            photos.peakCount, ProductImageStore::maxCachedImages, double(photos.peakBytes) / 1048576.0,
            double(ProductImageStore::maxCachedBytes) / 1048576.0, photos.fetched, photos.abandoned);
    scene = nullptr;
    return 0;
}
