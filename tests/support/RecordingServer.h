#pragma once
// The one HTTP server of the tests, on 127.0.0.1: it records every request as
// received and answers from a handler, a route table or the in-process
// stand-in, in that order. Any answer can be held until released, delayed,
// dropped (the connection reset after the request arrived) or sent without a
// length (the body ends when the connection closes).

#include "HttpServer.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QTcpServer;
class QTcpSocket;

namespace standin {
class StandinServer;
}

namespace vantrel::testing {

struct Request : standin::HttpRequest {
    QByteArray target; // path and query exactly as sent
};

struct Reply {
    int status = 200;
    QByteArray body = "{}";
    QByteArray contentType = "application/json";
    QList<std::pair<QByteArray, QByteArray>> headers;
    bool hold = false;    // answered only by release()
    bool drop = false;    // the connection is reset instead
    int delayMs = 0;
    bool unsized = false; // no Content-Length; the connection closes after the body

    static Reply from(const standin::HttpResponse &response);
    static Reply badGateway(); // an HTML page, as a proxy in front of the server sends
};

class RecordingServer : public QObject {
public:
    // Answers a request, or leaves it to the route table and the stand-in.
    using Handler = std::function<std::optional<Reply>(const Request &)>;

    RecordingServer();
    ~RecordingServer() override;

    QString base() const;

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    // Every request gets this reply.
    void reply(const Reply &reply);
    // Requests to exactly this method and path (query not included).
    void on(const QByteArray &method, const QString &path, const Reply &reply);
    // Requests nobody else answers are handled by the stand-in.
    void forwardTo(standin::StandinServer *server) { m_standin = server; }

    const QList<Request> &requests() const { return m_requests; }
    // An empty method matches every method.
    int count(const QByteArray &method, const QString &path) const;
    QList<QJsonObject> bodies(const QByteArray &method, const QString &path) const;
    int held() const { return int(m_held.size()); }
    void release();
    int disconnects() const { return m_disconnects; }

private:
    struct Held {
        QPointer<QTcpSocket> socket;
        Reply reply;
    };
    void readFrom(QTcpSocket *socket);
    Reply answer(const Request &request);
    void send(QTcpSocket *socket, const Reply &reply);

    QTcpServer *m_server;
    Handler m_handler;
    QHash<QByteArray, Reply> m_routes;
    standin::StandinServer *m_standin = nullptr;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
    QList<Held> m_held;
    int m_disconnects = 0;
};

} // namespace vantrel::testing
