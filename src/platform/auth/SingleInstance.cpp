#include "SingleInstance.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>

namespace vantrel {

namespace {
Q_LOGGING_CATEGORY(lcPlatform, "vantrel.platform")
// A callback URL is short; anything longer is not one of ours.
constexpr qsizetype maxMessage = 16 * 1024;
constexpr int connectWaitMs = 1000;
// A launch's message is its URLs, one a line, then an empty line; the
// running instance answers that with this line.
const QByteArray taken = QByteArrayLiteral("taken\n");
} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent), m_name(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QString::number(qHash(qEnvironmentVariable("HOME")));
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]"));
    return QStringLiteral(VANTREL_DESKTOP_ID "-") + user.replace(unsafe, QStringLiteral("_"));
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

QUrl SingleInstance::urlFromMessage(const QByteArray &line)
{
    const QByteArray text = line.trimmed();
    if (text.size() > maxMessage) return {};
    const QUrl url = QUrl::fromEncoded(text, QUrl::StrictMode);
    return url.isValid() && !url.scheme().isEmpty() ? url : QUrl();
}

bool SingleInstance::isListening() const { return m_server && m_server->isListening(); }

void SingleInstance::stopListening()
{
    if (m_server) m_server->close();
}

bool SingleInstance::forwardToRunningInstance(const QStringList &arguments)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (socket.waitForConnected(connectWaitMs)) {
        QByteArray message;
        for (const QUrl &url : urlsIn(arguments)) message += url.toEncoded() + '\n';
        socket.write(message + '\n');
        socket.waitForBytesWritten(connectWaitMs);
        // The system accepts the connection even for an instance whose event
        // loop no longer runs; only its answer says it is alive.
        QElapsedTimer waited;
        waited.start();
        while (!socket.canReadLine() && waited.elapsed() < m_answerMs &&
               socket.waitForReadyRead(int(m_answerMs - waited.elapsed()))) {}
        const bool answered = socket.canReadLine() && socket.readLine() == taken;
        socket.abort();
        if (answered) return true;
        qCWarning(lcPlatform, "the running instance did not answer; starting anyway");
    }

    // Nobody answers: a socket file left by a crashed (or hung) instance would block listen().
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
                const QByteArray line = socket->readLine();
                if (line == "\n") {
                    socket->write(taken);
                    continue;
                }
                const QUrl url = urlFromMessage(line);
                if (!url.isEmpty()) emit urlReceived(url);
            }
        });
    }
}

} // namespace vantrel
