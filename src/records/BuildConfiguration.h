#pragma once
// Which server this build talks to and which sign-in callback scheme it
// registers: a production build lets the user choose the address, a preview
// build is pinned to its pull request's server.

#include <QString>
#include <QVariantMap>

#include <optional>

namespace vantrel {

struct CheckoutBuildConfiguration {
    bool isPreview = false;
    QString defaultServer;
    QString server;
    QString callbackScheme;

    bool operator==(const CheckoutBuildConfiguration &) const = default;

    // Pure: from the build information keys and the saved address, if any.
    static CheckoutBuildConfiguration make(const QVariantMap &information,
                                           const std::optional<QString> &savedServer);
    // The process-wide configuration, computed once from this binary's build
    // information and the saved "server" setting.
    static const CheckoutBuildConfiguration &shared();
};

// Build information fixed in this binary ("VantrelIsPreview", ...); keys
// left empty at build time are missing.
QVariantMap buildInformation();
QString productionServer();
QString productionHost();

} // namespace vantrel
