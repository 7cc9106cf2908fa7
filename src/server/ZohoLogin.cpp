#include "ZohoLogin.h"

#include "Endpoints.h"
#include "server/BrowserSignIn.h"
#include "records/BuildConfiguration.h"
#include "records/Requests.h"
#include "records/Uuid.h"

#include <QCryptographicHash>
#include <QPointer>
#include <QUrlQuery>
#include <QCoreApplication>

namespace vantrel {

ProofKey ProofKey::make()
{
    ProofKey key;
    key.verifier = newUuidString() + newUuidString();
    key.challenge = QString::fromLatin1(
        QCryptographicHash::hash(key.verifier.toUtf8(), QCryptographicHash::Sha256).toHex());
    return key;
}

ZohoLogin::ZohoLogin(BrowserSignIn *browser, QObject *parent) : QObject(parent), m_browser(browser) {}

void ZohoLogin::setBuildInformation(const QVariantMap &information) { m_information = information; }

void ZohoLogin::cancel()
{
    if (m_browser) m_browser->cancel();
}

bool ZohoLogin::reopen() { return m_browser && m_browser->reopen(); }

std::optional<QString> ZohoLogin::codeFrom(const QUrl &callback)
{
    if (!callback.hasQuery()) return std::nullopt;
    const QUrlQuery query(callback);
    for (const auto &item : query.queryItems(QUrl::FullyDecoded)) {
        if (item.first != u"code") continue;
        if (item.second.isEmpty()) return std::nullopt;
        return item.second;
    }
    return std::nullopt;
}

QCoro::Task<Session> ZohoLogin::signIn(APIClient *api)
{
    const ProofKey key = ProofKey::make();
    const CheckoutBuildConfiguration configuration =
        CheckoutBuildConfiguration::make(m_information.value_or(buildInformation()), std::nullopt);
    if (configuration.callbackScheme.isEmpty())
        throw APIError{
            QCoreApplication::translate("SignIn", "This preview build has invalid sign-in configuration.")};

    const QUrl start = CheckoutAPI::signInStartURL(*api, key.challenge);
    if (!m_browser) throw APIError{QCoreApplication::translate("SignIn", "Unable to open Zoho sign-in.")};

    // The code is only good for the server that issued it: if the address or
    // session changes while the browser is open, nothing is sent anywhere.
    const QUuid started = api->generation();
    QPointer<ZohoLogin> self(this);
    QPointer<APIClient> client(api);
    QUrl callback;
    try {
        callback = co_await m_browser->authenticate(start, configuration.callbackScheme);
    } catch (const BrowserStartError &error) {
        throw APIError{QCoreApplication::translate("SignIn", "Unable to open Zoho sign-in. ") + error.text()};
    } catch (const BrowserTimeoutError &error) {
        throw APIError{error.text()};
    } catch (const BrowserCancelledError &) {
        // The person chose to stop: nothing failed, so nothing is shown.
        throw CancelledError();
    }
    if (!self || !client || client->generation() != started) throw CancelledError();
    if (callback.isEmpty())
        throw APIError{QCoreApplication::translate("SignIn", "Sign-in did not complete.")};

    const std::optional<QString> code = codeFrom(callback);
    if (!code) throw APIError{QCoreApplication::translate("SignIn", "Missing sign-in code.")};
    // (named: see APIClient.h)
    Exchange exchange{*code, key.verifier};
    Session session = co_await CheckoutAPI::exchange(*client, exchange);
    co_return session;
}

} // namespace vantrel
