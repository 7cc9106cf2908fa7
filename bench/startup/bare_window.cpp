// The floor of the start-up benchmark: a Qt Quick window with one line of
// text, loaded from QML like the app's, that prints the same first-frame
// mark as the app (src/screens/StartupTrace.h) and then keeps running until
// it is ended.
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.loadData(R"(
        import QtQuick
        Window {
            width: 1280; height: 800; visible: true
            Text { anchors.centerIn: parent; text: "Start-up floor" }
        })");
    if (engine.rootObjects().isEmpty()) return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window) return 1;
    bool framed = false;
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [&framed] {
            if (framed) return;
            framed = true;
            std::printf("vantrel-startup first-frame\n");
            std::fflush(stdout);
        },
        Qt::QueuedConnection);
    return app.exec();
}
