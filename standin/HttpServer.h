#pragma once
// A small HTTP/1.1 server over QTcpServer: Content-Length bodies, keep-alive,
// one request at a time per connection, and replies that may be delayed or
// withheld (the connection closed without an answer) on purpose.

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrlQuery>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace standin {

struct HttpRequest {
    QByteArray method;
    QString path; // decoded path, for prefix matching
    QStringList segments; // path split at "/" first, then each piece decoded
    QUrlQuery query;
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
    QHostAddress peer;

    QByteArray header(const QByteArray &lowerCaseName) const { return headers.value(lowerCaseName); }
};

struct HttpResponse {
    int status = 200;
    QByteArray contentType = "application/json";
    QByteArray body;
    QList<std::pair<QByteArray, QByteArray>> extraHeaders;
    // Fault handling: wait before answering, or close the connection instead.
    int delayMs = 0;
    bool drop = false;
};

class HttpServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<HttpResponse(const HttpRequest &)>;

    explicit HttpServer(Handler handler, QObject *parent = nullptr);
    ~HttpServer() override;

    bool listen(const QHostAddress &address, quint16 port, QString *error);
    quint16 port() const;
    void close();

    static constexpr qsizetype maxHeaderBytes = 32 * 1024;
    static constexpr qsizetype maxBodyBytes = 16 * 1024 * 1024;

private:
    struct Connection;
    void accept();
    void readFrom(QTcpSocket *socket);
    void write(QTcpSocket *socket, const HttpResponse &response, bool keepAlive, bool closeNow = true);
    void fail(QTcpSocket *socket, int status, const QByteArray &message);

    Handler m_handler;
    QTcpServer *m_server;
    QHash<QTcpSocket *, Connection *> m_connections;
};

QByteArray reasonPhrase(int status);

} // namespace standin
