#pragma once
// A tiny HTTP/1.1 server on 127.0.0.1 for model tests: canned replies per
// method and path, replies held back until the test releases them, and a
// record of every request with its bearer token.

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

struct RecordedRequest {
    QByteArray method;
    QByteArray path;
    QByteArray authorization;
    QByteArray body;
};

class LoopbackServer : public QObject {
    Q_OBJECT
public:
    struct Reply {
        int status = 200;
        QByteArray body = "{}";
        bool hold = false; // answer only when release() is called
    };

    LoopbackServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, &LoopbackServer::accept);
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    void on(const QByteArray &method, const QByteArray &path, Reply reply) { m_replies[method + ' ' + path] = reply; }
    const QList<RecordedRequest> &requests() const { return m_requests; }
    int count(const QByteArray &method, const QByteArray &path) const
    {
        int n = 0;
        for (const RecordedRequest &r : m_requests) n += r.method == method && r.path == path;
        return n;
    }
    int heldCount() const { return int(m_held.size()); }
    // Sends every held reply.
    void release()
    {
        const auto held = std::exchange(m_held, {});
        for (const auto &[socket, reply] : held)
            if (socket) answer(socket, reply);
    }

signals:
    void received();

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    }

    void readFrom(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        for (;;) {
            const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
            if (headerEnd < 0) return;
            const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            RecordedRequest request{first.value(0), first.value(1), {}, {}};
            qsizetype length = 0;
            for (const QByteArray &line : lines.mid(1)) {
                const qsizetype colon = line.indexOf(':');
                const QByteArray name = line.left(colon).trimmed().toLower();
                const QByteArray value = line.mid(colon + 1).trimmed();
                if (name == "content-length") length = value.toLongLong();
                if (name == "authorization") request.authorization = value;
            }
            if (buffer.size() < headerEnd + 4 + length) return;
            request.body = buffer.mid(headerEnd + 4, length);
            buffer.remove(0, headerEnd + 4 + length);
            m_requests.append(request);
            const Reply reply = m_replies.value(request.method + ' ' + request.path,
                                                Reply{404, R"({"error":"Not found."})"});
            if (reply.hold) m_held.append({QPointer<QTcpSocket>(socket), reply});
            else answer(socket, reply);
            emit received();
        }
    }

    static void answer(QTcpSocket *socket, const Reply &reply)
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n"
                          "Content-Type: application/json\r\nContent-Length: " +
                          QByteArray::number(reply.body.size()) + "\r\n\r\n";
        socket->write(head + reply.body);
    }

    QHash<QByteArray, Reply> m_replies;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<RecordedRequest> m_requests;
    QList<std::pair<QPointer<QTcpSocket>, Reply>> m_held;
    // Last, so that its sockets go away while the tables they use still exist.
    QTcpServer m_server;
};
