#pragma once
// Browser sign-in on a desktop: the start page opens in the person's default
// browser and the callback comes back as a second launch of the app, which
// SingleInstance hands over to this object.

#include "BrowserSignIn.h"

#include <QObject>

#include <functional>

namespace vantrel {

class DesktopBrowserSignIn : public QObject, public BrowserSignIn {
    Q_OBJECT
public:
    using Opener = std::function<bool(const QUrl &)>;
    // The opener defaults to QDesktopServices::openUrl.
    explicit DesktopBrowserSignIn(QObject *parent = nullptr, Opener opener = {});
    ~DesktopBrowserSignIn() override;

    QCoro::Task<QUrl> authenticate(QUrl startUrl, QString callbackScheme) override;
    void cancel() override;
    bool isPending() const { return m_pending != nullptr; }

public Q_SLOTS:
    // A URL that reached the app from outside. Taken only while a sign-in
    // waits and only for its callback scheme; anything else is ignored.
    void deliverCallback(const QUrl &url);

private:
    struct Pending;
    void settle(const QUrl &url, bool cancelled);

    Opener m_opener;
    QString m_scheme;
    Pending *m_pending = nullptr;
};

// Registers this program as the handler of a private URL scheme for the
// current user: a hidden desktop entry with MimeType=x-scheme-handler/<scheme>
// made the default with xdg-mime (or written to mimeapps.list where xdg-mime
// is missing). Returns false, changing nothing, for a scheme that is not a
// plain URL scheme or when a file cannot be written.
bool registerCallbackScheme(const QString &scheme, const QString &executable,
                            bool useXdgMime = true);
// File name of the desktop entry that registerCallbackScheme writes.
QString callbackDesktopFileName(const QString &scheme);

} // namespace vantrel
