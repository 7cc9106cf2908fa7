#pragma once
// A browser for tests and demos: it fetches the start page itself and follows
// the server's redirect to the callback, or plays back a scripted outcome.

#include "BrowserSignIn.h"

#include <QNetworkAccessManager>
#include <QObject>

namespace vantrel {

class FakeBrowserSignIn : public QObject, public BrowserSignIn {
    Q_OBJECT
public:
    enum class Behaviour {
        FollowRedirects, // fetch the start page and follow it to the callback
        ReturnURL,       // answer with the given URL at once
        Cancel,          // the person closes the browser
        NoURL,           // the flow ends without a callback URL
        CannotStart,     // the browser does not open
        Wait             // wait until cancel() or deliver()
    };

    explicit FakeBrowserSignIn(QObject *parent = nullptr);

    void setBehaviour(Behaviour behaviour, const QUrl &url = {});
    QCoro::Task<QUrl> authenticate(QUrl startUrl, QString callbackScheme) override;
    void cancel() override;
    // Ends a waiting authenticate() with this callback URL.
    void deliver(const QUrl &url);

    QUrl lastStartUrl() const { return m_lastStartUrl; }
    QString lastScheme() const { return m_lastScheme; }
    int attempts() const { return m_attempts; }

Q_SIGNALS:
    void settled(const QUrl &url, bool cancelled);

private:
    QCoro::Task<QUrl> follow(QUrl startUrl, QString scheme);

    QNetworkAccessManager m_network;
    Behaviour m_behaviour = Behaviour::FollowRedirects;
    QUrl m_url;
    QUrl m_lastStartUrl;
    QString m_lastScheme;
    int m_attempts = 0;
    bool m_waiting = false;
};

} // namespace vantrel
