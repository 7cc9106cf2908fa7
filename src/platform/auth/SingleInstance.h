#pragma once
// Keeps one running app per user: a second launch (the browser handing back
// a sign-in callback as "vantrel-checkout <url>") passes its URLs to the
// running app over a local socket and exits, once the running app has said
// it took them. An app that is quitting stops listening, and one that does
// not answer in time (hung, or stuck in its shutdown) is replaced: the
// launch starts normally instead of vanishing.

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
    // Later launches no longer reach this instance (called when it quits).
    void stopListening();
    // How long a launch waits for the running instance to say it took the URLs.
    void setAnswerTimeout(int milliseconds) { m_answerMs = milliseconds; }

    static QString defaultName();
    // The arguments that are URLs with a scheme.
    static QList<QUrl> urlsIn(const QStringList &arguments);
    // One line another launch sent, as a URL with a scheme, or an empty URL.
    static QUrl urlFromMessage(const QByteArray &line);

signals:
    void urlReceived(const QUrl &url);

private:
    void acceptConnections();

    QString m_name;
    QLocalServer *m_server = nullptr;
    int m_answerMs = 3000;
};

} // namespace vantrel
