#include "SceneGraphChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace vantrel {

Q_LOGGING_CATEGORY(lcSceneGraph, "vantrel.scenegraph")

namespace {

// Asking OpenGL itself would load the emulating rasterizer into the app for
// good; the device nodes a GPU driver makes tell without loading anything.
bool gpuDevicePresent()
{
#ifdef Q_OS_LINUX
    const QStringList nodes =
        QDir(QStringLiteral("/dev/dri"))
            .entryList({QStringLiteral("renderD*"), QStringLiteral("card*")}, QDir::System);
    return !nodes.isEmpty() || QFileInfo::exists(QStringLiteral("/dev/nvidiactl"));
#else
    return true;
#endif
}

} // namespace

bool preferSoftwareSceneGraphWithoutGpu()
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QSG_RHI_BACKEND"))
        return false;
    // Platforms without OpenGL (offscreen, minimal) already draw in software.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland")) return false;
    const bool software = qEnvironmentVariableIntValue("LIBGL_ALWAYS_SOFTWARE") != 0 || !gpuDevicePresent();
    if (software) QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    qCInfo(lcSceneGraph) << (software ? "no GPU: software scene graph" : "GPU present: OpenGL scene graph");
    return software;
}

} // namespace vantrel
