#pragma once
// The system browser as sign-in sees it: open a start page and wait for the
// server to send the browser back to the app's callback scheme.

#include <QCoroTask>
#include <QString>
#include <QUrl>

#include <stdexcept>

namespace vantrel {

// The person closed or cancelled the sign-in; shown as the browser's own text.
class BrowserCancelledError : public std::runtime_error {
public:
    BrowserCancelledError() : std::runtime_error("The sign-in was canceled.") {}
    QString text() const { return QString::fromUtf8(what()); }
};

// The browser could not be opened at all.
class BrowserStartError : public std::runtime_error {
public:
    BrowserStartError() : std::runtime_error("The browser could not be opened.") {}
};

class BrowserSignIn {
public:
    virtual ~BrowserSignIn() = default;
    // Resolves with the callback URL, or an empty URL when the flow ended
    // without one. Throws BrowserStartError or BrowserCancelledError.
    virtual QCoro::Task<QUrl> authenticate(QUrl startUrl, QString callbackScheme) = 0;
    // Ends a pending authenticate() with BrowserCancelledError.
    virtual void cancel() = 0;
};

} // namespace vantrel
