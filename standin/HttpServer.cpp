#include "HttpServer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace standin {

struct HttpServer::Connection {
    QByteArray buffer;
    bool waiting = false; // a delayed reply is pending; later requests queue in the buffer
    bool continued = false; // "100 Continue" already sent for the request being read
    bool discarding = false; // refused: input is read and dropped until the connection closes
};

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 409: return "Conflict";
    case 411: return "Length Required";
    case 413: return "Payload Too Large";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

HttpServer::HttpServer(Handler handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler)), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &HttpServer::accept);
}

HttpServer::~HttpServer() { close(); }

bool HttpServer::listen(const QHostAddress &address, quint16 port, QString *error)
{
    if (m_server->listen(address, port)) return true;
    if (error) *error = m_server->errorString();
    return false;
}

quint16 HttpServer::port() const { return m_server->serverPort(); }

void HttpServer::close()
{
    m_server->close();
    const auto sockets = m_connections.keys();
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        delete m_connections.take(socket);
    }
}

void HttpServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        m_connections.insert(socket, new Connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            delete m_connections.take(socket);
            socket->deleteLater();
        });
    }
}

static QString decodePiece(const QByteArray &raw) { return QUrl::fromPercentEncoding(raw); }

void HttpServer::readFrom(QTcpSocket *socket)
{
    Connection *c = m_connections.value(socket);
    if (!c) return;
    c->buffer += socket->readAll();
    if (c->discarding) {
        c->buffer.clear();
        return;
    }
    while (!c->waiting && m_connections.contains(socket)) {
        const qsizetype headerEnd = c->buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0) {
            if (c->buffer.size() > maxHeaderBytes) fail(socket, 431, "The request headers are too large.");
            return;
        }
        if (headerEnd > maxHeaderBytes) {
            fail(socket, 431, "The request headers are too large.");
            return;
        }
        const QList<QByteArray> lines = c->buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        if (requestLine.size() != 3 || !requestLine[2].startsWith("HTTP/1.")) {
            fail(socket, 400, "The request line is not HTTP/1.1.");
            return;
        }
        HttpRequest request;
        request.method = requestLine[0];
        request.peer = socket->peerAddress();
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0) {
                fail(socket, 400, "A request header is malformed.");
                return;
            }
            request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        if (request.headers.contains("transfer-encoding")) {
            fail(socket, 501, "Chunked request bodies are not supported; send a Content-Length.");
            return;
        }
        qsizetype length = 0;
        if (request.headers.contains("content-length")) {
            bool ok = false;
            length = request.header("content-length").toLongLong(&ok);
            if (!ok || length < 0) {
                fail(socket, 400, "The Content-Length header is not a number.");
                return;
            }
            if (length > maxBodyBytes) {
                fail(socket, 413, "The request body is too large.");
                return;
            }
        }
        if (c->buffer.size() < headerEnd + 4 + length) {
            // curl holds larger bodies back until it hears this.
            if (!c->continued && request.header("expect").toLower() == "100-continue") {
                c->continued = true;
                socket->write("HTTP/1.1 100 Continue\r\n\r\n");
            }
            return; // wait for the rest of the body
        }
        c->continued = false;
        request.body = c->buffer.mid(headerEnd + 4, length);
        c->buffer.remove(0, headerEnd + 4 + length);

        const QByteArray target = requestLine[1];
        const qsizetype question = target.indexOf('?');
        const QByteArray rawPath = question < 0 ? target : target.left(question);
        if (question >= 0) request.query.setQuery(QString::fromUtf8(target.mid(question + 1)));
        // Split before decoding, so an escaped "/" stays inside its identifier.
        const QList<QByteArray> pieces = rawPath.split('/');
        for (const QByteArray &piece : pieces)
            if (!piece.isEmpty()) request.segments.append(decodePiece(piece));
        request.path = decodePiece(rawPath);

        const bool http10 = requestLine[2] == "HTTP/1.0";
        const QByteArray connection = request.header("connection").toLower();
        const bool keepAlive = http10 ? connection == "keep-alive" : connection != "close";

        HttpResponse response = m_handler(request);
        if (response.drop) {
            // The work is done; the answer is lost on the way back.
            socket->abort();
            return;
        }
        if (response.delayMs > 0) {
            c->waiting = true;
            QPointer<QTcpSocket> guard(socket);
            QTimer::singleShot(response.delayMs, this, [this, guard, response, keepAlive] {
                if (!guard || !m_connections.contains(guard.data())) return;
                m_connections.value(guard.data())->waiting = false;
                write(guard.data(), response, keepAlive);
                if (guard && m_connections.contains(guard.data()) &&
                    guard->state() == QAbstractSocket::ConnectedState)
                    readFrom(guard.data());
            });
            return;
        }
        write(socket, response, keepAlive);
        if (!keepAlive) return;
    }
}

void HttpServer::write(QTcpSocket *socket, const HttpResponse &response, bool keepAlive, bool closeNow)
{
    QByteArray out =
        "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) + "\r\n";
    out += "Content-Type: " + response.contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\n";
    for (const auto &[name, value] : response.extraHeaders) out += name + ": " + value + "\r\n";
    out += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    out += "\r\n";
    out += response.body;
    socket->write(out);
    if (!keepAlive && closeNow) socket->disconnectFromHost();
}

void HttpServer::fail(QTcpSocket *socket, int status, const QByteArray &message)
{
    HttpResponse response;
    response.status = status;
    response.body = "{\"error\":\"" + message + "\"}";
    if (Connection *c = m_connections.value(socket)) {
        c->buffer.clear();
        c->discarding = true;
    }
    // Closing while the peer still sends would reset the connection and lose this answer,
    // so keep reading (and dropping) for a moment first.
    write(socket, response, false, false);
    QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(1000, this, [guard] {
        if (guard) guard->disconnectFromHost();
    });
}

} // namespace standin
