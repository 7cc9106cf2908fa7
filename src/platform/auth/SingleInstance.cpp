#include "SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>

namespace vantrel {

namespace {
// A callback URL is short; anything longer is not one of ours.
constexpr qsizetype maxMessage = 16 * 1024;
constexpr int connectWaitMs = 1000;
} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent), m_name(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QString::number(qHash(qEnvironmentVariable("HOME")));
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]"));
    return QStringLiteral("vantrel-checkout-") + user.replace(unsafe, QStringLiteral("_"));
}

QList<QUrl> SingleInstance::urlsIn(const QStringList &arguments)
{
    QList<QUrl> urls;
    // A program path or an option has no scheme, so whether the caller left
    // the program name in does not matter.
    for (const QString &argument : arguments) {
        if (argument.size() > maxMessage) continue;
        const QUrl url(argument, QUrl::StrictMode);
        if (url.isValid() && !url.scheme().isEmpty()) urls.append(url);
    }
    return urls;
}

bool SingleInstance::isListening() const { return m_server && m_server->isListening(); }

bool SingleInstance::forwardToRunningInstance(const QStringList &arguments)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (socket.waitForConnected(connectWaitMs)) {
        QByteArray message;
        for (const QUrl &url : urlsIn(arguments)) message += url.toEncoded() + '\n';
        socket.write(message);
        socket.waitForBytesWritten(connectWaitMs);
        socket.disconnectFromServer();
        if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(connectWaitMs);
        return true;
    }

    // Nobody answers: a socket file left by a crashed instance would block listen().
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server->listen(m_name))
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return false;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // A sender that floods the socket is cut off.
            if (socket->bytesAvailable() > 4 * maxMessage) {
                socket->abort();
                return;
            }
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine().trimmed();
                if (line.size() > maxMessage) continue;
                const QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
                if (url.isValid() && !url.scheme().isEmpty()) emit urlReceived(url);
            }
        });
    }
}

} // namespace vantrel
