#include "FakeBrowserSignIn.h"

#include <QCoroNetworkReply>
#include <QCoroSignal>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>

#include <memory>

namespace vantrel {

FakeBrowserSignIn::FakeBrowserSignIn(QObject *parent) : BrowserSignIn(parent)
{
    m_network.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

void FakeBrowserSignIn::setBehaviour(Behaviour behaviour, const QUrl &url)
{
    m_behaviour = behaviour;
    m_url = url;
}

QCoro::Task<QUrl> FakeBrowserSignIn::authenticate(QUrl startUrl, QString callbackScheme)
{
    ++m_attempts;
    m_lastStartUrl = startUrl;
    m_lastScheme = callbackScheme;
    switch (m_behaviour) {
    case Behaviour::FollowRedirects: co_return co_await follow(startUrl, callbackScheme);
    case Behaviour::ReturnURL: co_return m_url;
    case Behaviour::Cancel: throw BrowserCancelledError();
    case Behaviour::NoURL: co_return QUrl();
    case Behaviour::CannotStart: throw BrowserStartError();
    case Behaviour::TooLong: throw BrowserTimeoutError();
    case Behaviour::Wait: break;
    }
    // A new sign-in replaces one that is still waiting.
    cancel();
    auto outcome = qCoro(this, &FakeBrowserSignIn::settled);
    setWaiting(true);
    const auto [url, ending] = co_await outcome;
    if (ending == Ending::Cancelled) throw BrowserCancelledError();
    co_return url;
}

void FakeBrowserSignIn::cancel() { settle({}, Ending::Cancelled); }

bool FakeBrowserSignIn::reopen()
{
    if (!isWaiting()) return false;
    ++m_reopenings;
    return true;
}

void FakeBrowserSignIn::deliver(const QUrl &url) { settle(url, Ending::Callback); }

void FakeBrowserSignIn::settle(const QUrl &url, Ending ending)
{
    if (!isWaiting()) return;
    setWaiting(false);
    emit settled(url, ending);
}

namespace {
QString unescaped(QString link) { return link.replace(QStringLiteral("&amp;"), QStringLiteral("&")); }
} // namespace

QCoro::Task<QUrl> FakeBrowserSignIn::follow(QUrl startUrl, QString scheme)
{
    QPointer<FakeBrowserSignIn> self(this);
    QUrl current = startUrl;
    // The callback may come as a redirect or as a link in the page.
    const QRegularExpression inPage(QRegularExpression::escape(scheme) +
                                    QStringLiteral(":[^\"'<>\\s]+"));
    const QRegularExpression firstLink(QStringLiteral("href=\"([^\"]+)\""));
    for (int hop = 0; hop < 10; ++hop) {
        std::unique_ptr<QNetworkReply, void (*)(QNetworkReply *)> reply(
            m_network.get(QNetworkRequest(current)), [](QNetworkReply *r) { r->deleteLater(); });
        co_await reply.get();
        if (!self) throw BrowserCancelledError();
        const QUrl location =
            reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        if (location.isValid() && !location.isEmpty()) {
            const QUrl next = current.resolved(location);
            if (next.scheme() == scheme) co_return next;
            current = next;
            continue;
        }
        const QString page = QString::fromUtf8(reply->readAll());
        const auto match = inPage.match(page);
        if (match.hasMatch()) co_return QUrl(unescaped(match.captured(0)));
        // A page of choices (such as demo users): the person takes the first.
        const auto choice = firstLink.match(page);
        if (!choice.hasMatch()) co_return QUrl();
        current = current.resolved(QUrl(unescaped(choice.captured(1))));
        if (current.scheme() == scheme) co_return current;
    }
    co_return QUrl();
}

} // namespace vantrel
