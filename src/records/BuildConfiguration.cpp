#include "BuildConfiguration.h"

#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

#ifndef VANTREL_IS_PREVIEW
#define VANTREL_IS_PREVIEW "NO"
#endif
#ifndef VANTREL_DEFAULT_SERVER
#define VANTREL_DEFAULT_SERVER ""
#endif
#ifndef VANTREL_CALLBACK_SCHEME
#define VANTREL_CALLBACK_SCHEME ""
#endif
#ifndef VANTREL_PRODUCTION_SERVER
#define VANTREL_PRODUCTION_SERVER "https://checkout.vantrel.com"
#endif
#ifndef VANTREL_PRODUCTION_HOST
#define VANTREL_PRODUCTION_HOST "checkout.vantrel.com"
#endif

namespace vantrel {

QString productionServer() { return QStringLiteral(VANTREL_PRODUCTION_SERVER); }
QString productionHost() { return QStringLiteral(VANTREL_PRODUCTION_HOST); }

QVariantMap buildInformation()
{
    QVariantMap info;
    const std::pair<const char *, const char *> keys[] = {
        {"VantrelIsPreview", VANTREL_IS_PREVIEW},
        {"VantrelDefaultServer", VANTREL_DEFAULT_SERVER},
        {"VantrelCallbackScheme", VANTREL_CALLBACK_SCHEME},
    };
    for (const auto &[key, value] : keys)
        if (*value) info.insert(QString::fromLatin1(key), QString::fromUtf8(value));
    return info;
}

namespace {

std::optional<QString> stringValue(const QVariantMap &information, const char *key)
{
    const auto it = information.find(QString::fromLatin1(key));
    if (it == information.end() || it->typeId() != QMetaType::QString) return std::nullopt;
    return it->toString();
}

// The pull-request number named by a preview server address, if it names one.
std::optional<QString> pullRequestFromServer(const QString &address)
{
    const QString prefix = QStringLiteral("https://");
    if (!address.startsWith(prefix)) return std::nullopt;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https")) return std::nullopt;
    if (url.hasQuery() || url.hasFragment()) return std::nullopt;
    if (!url.userInfo().isEmpty() || url.port() != -1) return std::nullopt;
    if (!(url.path().isEmpty() || url.path() == QLatin1String("/"))) return std::nullopt;

    // Read the host as written: QUrl folds its case, and the match is case-sensitive.
    QString authority = address.mid(prefix.size());
    const qsizetype end = authority.indexOf(QRegularExpression(QStringLiteral("[/?#]")));
    if (end >= 0) authority.truncate(end);
    if (authority.contains(u'@') || authority.contains(u':') || authority.isEmpty()) return std::nullopt;

    const QRegularExpression pattern(QStringLiteral("^pr-([1-9][0-9]*)\\.") +
                                     QRegularExpression::escape(productionHost()) + QStringLiteral("$"));
    const auto match = pattern.match(authority);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1);
}

std::optional<QString> pullRequestFromScheme(const QString &scheme)
{
    static const QRegularExpression pattern(QStringLiteral("^vantrelcheckout-pr([1-9][0-9]*)$"));
    const auto match = pattern.match(scheme);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1);
}

} // namespace

CheckoutBuildConfiguration CheckoutBuildConfiguration::make(const QVariantMap &information,
                                                            const std::optional<QString> &savedServer)
{
    const auto preview = stringValue(information, "VantrelIsPreview");
    CheckoutBuildConfiguration config;
    config.isPreview = preview && *preview == QLatin1String("YES");
    if (!config.isPreview) {
        config.defaultServer = productionServer();
        config.server = savedServer.value_or(productionServer());
        config.callbackScheme = QStringLiteral("vantrelcheckout");
        return config;
    }
    const auto address = stringValue(information, "VantrelDefaultServer");
    const auto scheme = stringValue(information, "VantrelCallbackScheme");
    if (!address || !scheme) return config;
    const auto fromServer = pullRequestFromServer(*address);
    const auto fromScheme = pullRequestFromScheme(*scheme);
    if (!fromServer || !fromScheme || *fromServer != *fromScheme) return config;
    config.defaultServer = *address;
    config.server = *address;
    config.callbackScheme = *scheme;
    return config;
}

const CheckoutBuildConfiguration &CheckoutBuildConfiguration::shared()
{
    static const CheckoutBuildConfiguration config = [] {
        const QSettings settings;
        std::optional<QString> saved;
        const QVariant value = settings.value(QStringLiteral("server"));
        if (value.isValid() && value.typeId() == QMetaType::QString) saved = value.toString();
        return make(buildInformation(), saved);
    }();
    return config;
}

} // namespace vantrel
