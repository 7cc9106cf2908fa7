#include "StartupTrace.h"

#include "workflow/CatalogPart.h"
#include "workflow/CheckoutModel.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace vantrel {
namespace {

bool showsProductCard(const QQuickItem *item)
{
    if (!item->isVisible()) return false;
    if (item->objectName().startsWith(QLatin1String("productCard-")) && item->width() > 0) return true;
    const QList<QQuickItem *> children = item->childItems();
    return std::any_of(children.cbegin(), children.cend(), showsProductCard);
}

void mark(const char *what)
{
    std::printf("vantrel-startup %s\n", what);
    std::fflush(stdout);
}

} // namespace

void traceStartup(QQmlApplicationEngine &engine, const CheckoutModel &workspace)
{
    if (qEnvironmentVariableIsEmpty("VANTREL_STARTUP_TRACE") || engine.rootObjects().isEmpty()) return;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window) return;
    mark("qml-loaded");
    CatalogPart *catalog = workspace.catalogPart();
    auto loaded = std::make_shared<QMetaObject::Connection>();
    *loaded = QObject::connect(catalog, &CatalogPart::catalogContentChanged, catalog, [catalog, loaded] {
        if (catalog->products().isEmpty()) return;
        mark("catalog-loaded");
        QObject::disconnect(*loaded);
    });
    // frameSwapped may come from the render thread: the scene is read on
    // this one. A card found after one frame was in the scene before the
    // next frame was synchronised, so that next frame is the one that shows it.
    struct State {
        bool framed = false, cardInScene = false, done = false;
    };
    auto state = std::make_shared<State>();
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [window, state] {
            if (state->done) return;
            if (!state->framed) {
                state->framed = true;
                mark("first-frame");
            }
            if (state->cardInScene) {
                state->done = true;
                mark("first-card");
                return;
            }
            state->cardInScene = showsProductCard(window->contentItem());
            // The next frame is asked for, or an idle window would never show the card.
            if (state->cardInScene) window->update();
        },
        Qt::QueuedConnection);
}

} // namespace vantrel
