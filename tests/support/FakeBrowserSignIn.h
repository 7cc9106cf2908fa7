#pragma once
// A browser for tests and demos: it fetches the start page itself and follows
// the server's redirect to the callback, or plays back a scripted outcome.

#include "server/BrowserSignIn.h"

#include <QNetworkAccessManager>

namespace vantrel {

class FakeBrowserSignIn : public BrowserSignIn {
    Q_OBJECT
public:
    enum class Behaviour {
        FollowRedirects, // fetch the start page and follow it to the callback
        ReturnURL,       // answer with the given URL at once
        Cancel,          // the person closes the browser
        NoURL,           // the flow ends without a callback URL
        CannotStart,     // the browser does not open
        TooLong,         // the wait outlives the server's sign-in codes
        Wait             // wait until cancel() or deliver()
    };

    explicit FakeBrowserSignIn(QObject *parent = nullptr);

    void setBehaviour(Behaviour behaviour, const QUrl &url = {});
    QCoro::Task<QUrl> authenticate(QUrl startUrl, QString callbackScheme) override;
    void cancel() override;
    // Counts the reopening; false when nothing waits.
    bool reopen() override;
    // Ends a waiting authenticate() with this callback URL.
    void deliver(const QUrl &url);

    QUrl lastStartUrl() const { return m_lastStartUrl; }
    QString lastScheme() const { return m_lastScheme; }
    int attempts() const { return m_attempts; }
    int reopenings() const { return m_reopenings; }

    enum class Ending { Callback, Cancelled };
    Q_ENUM(Ending)

signals:
    void settled(const QUrl &url, vantrel::FakeBrowserSignIn::Ending ending);

private:
    void settle(const QUrl &url, Ending ending);
    QCoro::Task<QUrl> follow(QUrl startUrl, QString scheme);

    QNetworkAccessManager m_network;
    Behaviour m_behaviour = Behaviour::FollowRedirects;
    QUrl m_url;
    QUrl m_lastStartUrl;
    QString m_lastScheme;
    int m_attempts = 0;
    int m_reopenings = 0;
};

} // namespace vantrel
