#include "SceneGraphChoice.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace vantrel {

Q_LOGGING_CATEGORY(lcSceneGraph, "vantrel.scenegraph")

namespace {

// The renderer names Mesa and others give their processor-only drivers.
bool isSoftwareRasterizer(const QByteArray &renderer)
{
    const QByteArray name = renderer.toLower();
    for (const char *mark : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "lavapipe"})
        if (name.contains(mark)) return true;
    return false;
}

} // namespace

bool preferSoftwareSceneGraphWithoutGpu()
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QSG_RHI_BACKEND"))
        return false;
    // Platforms without OpenGL (offscreen, minimal) already draw in software.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland")) return false;

    QOpenGLContext context;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    QByteArray renderer;
    if (context.create() && surface.isValid() && context.makeCurrent(&surface)) {
        renderer = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
        context.doneCurrent();
    }
    // No OpenGL at all: Qt Quick would fall back by itself, but only after failing.
    const bool software = renderer.isEmpty() || isSoftwareRasterizer(renderer);
    if (software) QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    qCInfo(lcSceneGraph) << "OpenGL renderer" << (renderer.isEmpty() ? QByteArray("(none)") : renderer)
                         << "->" << (software ? "software scene graph" : "OpenGL scene graph");
    return software;
}

} // namespace vantrel
