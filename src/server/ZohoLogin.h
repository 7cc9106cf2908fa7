#pragma once
// Browser sign-in with a proof key: opens the server's start page in the
// browser, waits for the callback with a one-time code, and trades code and
// verifier for a session.

#include "APIClient.h"
#include "records/Reference.h"

#include <QCoroTask>
#include <QObject>
#include <QVariantMap>

namespace vantrel {

class BrowserSignIn; // platform: opens a URL and waits for the callback URL

struct ProofKey {
    QString verifier; // two upper-case UUIDs
    QString challenge; // lower-case hex SHA-256 of the verifier
    static ProofKey make();
};

class ZohoLogin : public QObject {
    Q_OBJECT
public:
    // The browser is not owned. The callback scheme is read afresh from the
    // build information at each sign-in (tests may replace that information).
    explicit ZohoLogin(BrowserSignIn *browser, QObject *parent = nullptr);
    void setBuildInformation(const QVariantMap &information);

    // Throws APIError with the message the user sees (no browser, a browser
    // that waited past the code's lifetime, ...), or the browser's
    // cancellation error when the person cancels.
    QCoro::Task<Session> signIn(APIClient *api);
    // Closes the browser of a sign-in in progress (it then fails as cancelled).
    void cancel();
    // Shows the start page of the sign-in in progress again (same proof key);
    // false when none is in progress.
    bool reopen();

    // The first "code" item of a callback URL, if it has a value.
    static std::optional<QString> codeFrom(const QUrl &callback);

private:
    BrowserSignIn *m_browser;
    std::optional<QVariantMap> m_information;
};

} // namespace vantrel
