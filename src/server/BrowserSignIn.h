#pragma once
// The system browser as sign-in sees it: open a start page and wait for the
// server to send the browser back to the app's callback scheme.

#include <QCoreApplication>
#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QUrl>

#include <stdexcept>

namespace vantrel {

// The person closed or cancelled the sign-in; shown as the browser's own text.
// Each error keeps its English source; text() is in the person's language.
class BrowserCancelledError : public std::runtime_error {
public:
    BrowserCancelledError() : std::runtime_error(QT_TRANSLATE_NOOP("SignIn", "The sign-in was canceled.")) {}
    QString text() const { return QCoreApplication::translate("SignIn", what()); }
};

// No browser could be opened, so nobody can finish the sign-in.
class BrowserStartError : public std::runtime_error {
public:
    BrowserStartError()
        : std::runtime_error(QT_TRANSLATE_NOOP("SignIn", "No web browser could be opened on this device."))
    {}
    QString text() const { return QCoreApplication::translate("SignIn", what()); }
};

// The sign-in waited longer than the server keeps its sign-in codes.
class BrowserTimeoutError : public std::runtime_error {
public:
    BrowserTimeoutError()
        : std::runtime_error(QT_TRANSLATE_NOOP("SignIn", "The sign-in took too long. Please sign in again."))
    {}
    QString text() const { return QCoreApplication::translate("SignIn", what()); }
};

// One browser sign-in at a time; `waiting` is true from the moment the
// browser has opened until the flow ends in any way.
class BrowserSignIn : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool waiting READ isWaiting NOTIFY waitingChanged)
public:
    using QObject::QObject;

    // Resolves with the callback URL, or an empty URL when the flow ended
    // without one. Throws BrowserStartError, BrowserCancelledError or
    // BrowserTimeoutError. A new call ends one still waiting as cancelled.
    virtual QCoro::Task<QUrl> authenticate(QUrl startUrl, QString callbackScheme) = 0;
    // Ends a waiting authenticate() with BrowserCancelledError.
    virtual void cancel() = 0;
    // Opens the browser again at the start page of the sign-in that waits,
    // for a person who closed the tab. False when nothing waits; a browser
    // that cannot be opened ends the wait with BrowserStartError.
    virtual bool reopen() = 0;

    bool isWaiting() const { return m_waiting; }

signals:
    void waitingChanged(bool waiting);

protected:
    void setWaiting(bool waiting)
    {
        if (m_waiting == waiting) return;
        m_waiting = waiting;
        emit waitingChanged(waiting);
    }

private:
    bool m_waiting = false;
};

} // namespace vantrel
