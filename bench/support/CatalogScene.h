#pragma once
// The app's workspace against a stand-in on its own thread, and the catalog
// screen in an offscreen window over it, as the scrolling and workspace
// benchmarks both set them up.

#include "StandinThread.h"

#include "workflow/CheckoutModel.h"

#include <QByteArray>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QVariantMap>

#include <memory>

class QSettings;

namespace vantrel {
class SessionStore;
}

namespace vantrel::bench {

// A window with the catalog screen bound to the `workspace` property.
extern const QByteArray catalogScene;

// The services of a workspace that talks to `server`, with its sessions and
// settings from the caller.
CheckoutModelServices standinServices(const StandinThread &server, SessionStore *sessions,
                                      QSettings *settings);

// The window `qml` describes, made with `properties` and shown once exposed;
// null (with the errors on stderr) when the scene does not compile.
std::unique_ptr<QQuickWindow> createWindow(QQmlEngine &engine, const QByteArray &qml,
                                           const QVariantMap &properties);

} // namespace vantrel::bench
