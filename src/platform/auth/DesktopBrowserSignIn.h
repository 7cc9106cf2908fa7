#pragma once
// Browser sign-in on a desktop: the start page opens in the person's default
// browser and the callback comes back as a second launch of the app, which
// SingleInstance hands over to this object.

#include "server/BrowserSignIn.h"

#include <QTimer>

#include <chrono>
#include <functional>

namespace vantrel {

class DesktopBrowserSignIn : public BrowserSignIn {
    Q_OBJECT
public:
    // Shows the URL in a browser; false when none could be started. A
    // launcher that gives up later reports it through browserFailed().
    using Opener = std::function<bool(const QUrl &)>;
    // Sign-in codes live five minutes on the server; past that (with some
    // slack for the browser round trip) nobody is coming back.
    static constexpr std::chrono::milliseconds defaultTimeLimit{(5 * 60 + 30) * 1000};

    // The default opener runs xdg-open and watches its exit status, or asks
    // QDesktopServices where xdg-open is missing.
    explicit DesktopBrowserSignIn(QObject *parent = nullptr, Opener opener = {});
    ~DesktopBrowserSignIn() override;

    QCoro::Task<QUrl> authenticate(QUrl startUrl, QString callbackScheme) override;
    void cancel() override;
    bool reopen() override;
    bool isPending() const { return m_pending != nullptr; }

    // Counted from the first opening of the browser; reopening does not
    // extend it.
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

public slots:
    // A URL that reached the app from outside. Taken only while a sign-in
    // waits and only for its callback scheme; anything else is ignored.
    void deliverCallback(const QUrl &url);
    // The browser launcher of the waiting sign-in found no browser.
    void browserFailed();

private:
    struct Pending;
    enum class Ending { Callback, Cancelled, NoBrowser, TimedOut };
    void settle(const QUrl &url, Ending ending);
    bool launchBrowser(const QUrl &url);

    Opener m_opener;
    QString m_scheme;
    QUrl m_startUrl;
    Pending *m_pending = nullptr;
    quint64 m_flow = 0; // tells a launcher of an earlier sign-in from the current one
    std::chrono::milliseconds m_timeLimit = defaultTimeLimit;
    QTimer m_deadline;
};

// Registers this program as the handler of a private URL scheme for the
// current user: a hidden desktop entry with MimeType=x-scheme-handler/<scheme>
// made the default with xdg-mime (or written to mimeapps.list where xdg-mime
// is missing). An installed app already has its entry (installedSchemeHandler):
// then nothing is written and the answer is true. Returns false, changing
// nothing, for a scheme that is not a plain URL scheme or a path a desktop
// entry cannot hold, or when a file cannot be written.
bool registerCallbackScheme(const QString &scheme, const QString &executable, bool useXdgMime = true);
// File name of the desktop entry the installed app comes with.
QString installedDesktopFileName();
// Path of the installed app's desktop entry when it claims the scheme, as
// xdg-open finds it (the user's data folder first, then the system ones);
// empty when there is none, as for a build run from its own folder.
QString installedSchemeHandler(const QString &scheme);
// File name of the desktop entry that registerCallbackScheme writes.
QString callbackDesktopFileName(const QString &scheme);
// The program path as an Exec= line of a desktop entry holds it: as it is
// when it has no reserved character, otherwise quoted and escaped; empty
// for a path no desktop entry can hold (a line break or control character).
QString desktopExecProgram(const QString &executable);

} // namespace vantrel
