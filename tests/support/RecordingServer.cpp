#include "RecordingServer.h"

#include "StandinServer.h"

#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace vantrel::testing {

Reply Reply::from(const standin::HttpResponse &response)
{
    Reply reply{response.status, response.body, response.contentType, response.extraHeaders};
    reply.drop = response.drop;
    reply.delayMs = response.delayMs;
    return reply;
}

Reply Reply::badGateway()
{
    return Reply{502, "<html><body>502 Bad Gateway</body></html>", "text/html"};
}

RecordingServer::RecordingServer() : m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                ++m_disconnects;
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
    m_server->listen(QHostAddress::LocalHost, 0);
}

RecordingServer::~RecordingServer()
{
    // Connections the client closes late must not call back into a server
    // that is going away.
    const auto sockets = m_server->findChildren<QTcpSocket *>();
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
    }
}

QString RecordingServer::base() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server->serverPort());
}

void RecordingServer::reply(const Reply &reply)
{
    m_handler = [reply](const Request &) { return reply; };
}

void RecordingServer::on(const QByteArray &method, const QString &path, const Reply &reply)
{
    m_routes.insert(method + ' ' + path.toUtf8(), reply);
}

int RecordingServer::count(const QByteArray &method, const QString &path) const
{
    return int(std::count_if(m_requests.cbegin(), m_requests.cend(), [&](const Request &r) {
        return (method.isEmpty() || r.method == method) && r.path == path;
    }));
}

QList<QJsonObject> RecordingServer::bodies(const QByteArray &method, const QString &path) const
{
    QList<QJsonObject> out;
    for (const Request &r : m_requests)
        if (r.method == method && r.path == path) out.append(QJsonDocument::fromJson(r.body).object());
    return out;
}

void RecordingServer::release()
{
    const QList<Held> held = std::exchange(m_held, {});
    for (const Held &h : held)
        if (h.socket) send(h.socket, h.reply);
}

void RecordingServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    for (;;) {
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0) return;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        Request request;
        request.method = first.value(0);
        request.target = first.value(1);
        request.peer = socket->peerAddress();
        for (const QByteArray &line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0) request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        const qsizetype length = request.header("content-length").toLongLong();
        if (buffer.size() < headerEnd + 4 + length) return;
        request.body = buffer.mid(headerEnd + 4, length);
        buffer.remove(0, headerEnd + 4 + length);

        const qsizetype question = request.target.indexOf('?');
        const QByteArray rawPath = question < 0 ? request.target : request.target.left(question);
        if (question >= 0) request.query.setQuery(QString::fromUtf8(request.target.mid(question + 1)));
        for (const QByteArray &piece : rawPath.split('/'))
            if (!piece.isEmpty()) request.segments.append(QUrl::fromPercentEncoding(piece));
        request.path = QUrl::fromPercentEncoding(rawPath);
        m_requests.append(request);

        const Reply reply = answer(request);
        if (reply.hold) {
            m_held.append({socket, reply});
        } else if (reply.delayMs > 0) {
            QTimer::singleShot(reply.delayMs, this, [this, guard = QPointer<QTcpSocket>(socket), reply] {
                if (guard) send(guard, reply);
            });
        } else {
            send(socket, reply);
        }
        if (reply.drop || reply.unsized) return;
    }
}

Reply RecordingServer::answer(const Request &request)
{
    if (m_handler)
        if (std::optional<Reply> own = m_handler(request)) return *own;
    const auto route = m_routes.constFind(request.method + ' ' + request.path.toUtf8());
    if (route != m_routes.cend()) return *route;
    if (m_standin) return Reply::from(m_standin->handle(request));
    return Reply{404, R"({"error":"Not found."})"};
}

void RecordingServer::send(QTcpSocket *socket, const Reply &reply)
{
    if (reply.drop) {
        socket->abort();
        return;
    }
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + standin::reasonPhrase(reply.status) + "\r\n";
    if (!reply.contentType.isEmpty()) out += "Content-Type: " + reply.contentType + "\r\n";
    bool sized = false; // a length of the reply's own may announce more than it sends
    for (const auto &[name, value] : reply.headers) {
        out += name + ": " + value + "\r\n";
        sized = sized || name.compare("Content-Length", Qt::CaseInsensitive) == 0;
    }
    if (reply.unsized) out += "Connection: close\r\n";
    else if (!sized) out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    socket->write(out + "\r\n" + reply.body);
    if (reply.unsized) socket->disconnectFromHost();
}

} // namespace vantrel::testing
