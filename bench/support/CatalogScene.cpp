#include "CatalogScene.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQmlComponent>

#include <cstdio>

namespace vantrel::bench {

const QByteArray catalogScene = R"(
import QtQuick
import Vantrel.Checkout
Window {
    id: scene
    required property CheckoutModel workspace
    width: 1180; height: 820; visible: true
    CatalogView { anchors.fill: parent; workspace: scene.workspace }
}
)";

CheckoutModelServices standinServices(const StandinThread &server, SessionStore *sessions,
                                      QSettings *settings)
{
    CheckoutModelServices services;
    services.build =
        CheckoutBuildConfiguration{false, server.base(), server.base(), QStringLiteral("vantrelcheckout")};
    services.sessions = sessions;
    services.settings = settings;
    return services;
}

std::unique_ptr<QQuickWindow> createWindow(QQmlEngine &engine, const QByteArray &qml,
                                           const QVariantMap &properties)
{
    QQmlComponent component(&engine);
    component.setData(qml, QUrl(QStringLiteral("qrc:/bench/scene.qml")));
    // Qt 6.4 crashes creating a component that failed to compile.
    std::unique_ptr<QQuickWindow> window(
        component.isReady() ? qobject_cast<QQuickWindow *>(component.createWithInitialProperties(properties))
                            : nullptr);
    if (!window) {
        std::fprintf(stderr, "scene: %s\n", qPrintable(component.errorString()));
        return window;
    }
    QElapsedTimer waited;
    waited.start();
    while (!window->isExposed() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return window;
}

} // namespace vantrel::bench
