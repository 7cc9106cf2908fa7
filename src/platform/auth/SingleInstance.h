#pragma once
// Keeps one running app per user: a second launch (the browser handing back
// a sign-in callback as "vantrel-checkout <url>") passes its URLs to the
// running app over a local socket and exits.

#include <QObject>
#include <QStringList>
#include <QUrl>

class QLocalServer;

namespace vantrel {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The name is per user; tests pass their own.
    explicit SingleInstance(const QString &name = defaultName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs and has taken the URLs among the
    // arguments (the caller then exits). Otherwise this instance starts
    // listening and returns false.
    bool forwardToRunningInstance(const QStringList &arguments);
    bool isListening() const;

    static QString defaultName();
    // The arguments that are URLs with a scheme.
    static QList<QUrl> urlsIn(const QStringList &arguments);

signals:
    void urlReceived(const QUrl &url);

private:
    void acceptConnections();

    QString m_name;
    QLocalServer *m_server = nullptr;
};

} // namespace vantrel
