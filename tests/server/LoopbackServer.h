#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for client tests: records every
// request as received and answers from a handler; a held reply waits until
// the test releases it.

#include "platform/auth/BrowserSignIn.h"
#include "records/Errors.h"
#include "records/Reference.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <optional>

namespace vantrel::testing {

struct ReceivedRequest {
    QByteArray method;
    QByteArray target; // path and query exactly as sent
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
    bool hasBody = false;

    QByteArray path() const { return target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?')); }
};

struct CannedReply {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json";
    QList<std::pair<QByteArray, QByteArray>> headers;
    bool hold = false;      // answer only when release() is called
    bool dropConnection = false; // close without answering
};

class LoopbackServer : public QObject {
public:
    using Handler = std::function<CannedReply(const ReceivedRequest &)>;

    LoopbackServer()
    {
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
                connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                    ++m_disconnects;
                    socket->deleteLater();
                });
            }
        });
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    quint16 port() const { return m_server.serverPort(); }
    void setHandler(Handler handler) { m_handler = std::move(handler); }
    void reply(CannedReply canned) { m_handler = [canned](const ReceivedRequest &) { return canned; }; }
    const QList<ReceivedRequest> &requests() const { return m_requests; }
    int disconnects() const { return m_disconnects; }
    int held() const { return int(m_held.size()); }

    void release()
    {
        const auto held = m_held;
        m_held.clear();
        for (const auto &[socket, canned] : held)
            if (socket) send(socket, canned);
    }

private:
    void readFrom(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0) return;
        ReceivedRequest request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> first = lines.first().trimmed().split(' ');
        if (first.size() >= 2) {
            request.method = first.at(0);
            request.target = first.at(1);
        }
        qsizetype length = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines.at(i).indexOf(':');
            if (colon < 0) continue;
            const QByteArray name = lines.at(i).left(colon).trimmed().toLower();
            const QByteArray value = lines.at(i).mid(colon + 1).trimmed();
            request.headers.insert(name, value);
            if (name == "content-length") {
                length = value.toLongLong();
                request.hasBody = true;
            }
        }
        if (buffer.size() < headerEnd + 4 + length) return;
        request.body = buffer.mid(headerEnd + 4, length);
        m_buffers.remove(socket);
        m_requests.append(request);
        const CannedReply canned = m_handler ? m_handler(request) : CannedReply{};
        if (canned.hold)
            m_held.append({QPointer<QTcpSocket>(socket), canned});
        else
            send(socket, canned);
    }

    void send(QTcpSocket *socket, const CannedReply &canned)
    {
        if (canned.dropConnection) {
            socket->abort();
            return;
        }
        QByteArray out = "HTTP/1.1 " + QByteArray::number(canned.status) + " Status\r\n";
        if (!canned.contentType.isEmpty()) out += "Content-Type: " + canned.contentType + "\r\n";
        for (const auto &[name, value] : canned.headers) out += name + ": " + value + "\r\n";
        out += "Content-Length: " + QByteArray::number(canned.body.size()) + "\r\n";
        out += "Connection: close\r\n\r\n" + canned.body;
        socket->write(out);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    Handler m_handler;
    QList<ReceivedRequest> m_requests;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<std::pair<QPointer<QTcpSocket>, CannedReply>> m_held;
    int m_disconnects = 0;
};

// The value or the error a task ended with.
template <class T>
struct Outcome {
    std::optional<T> value;
    std::exception_ptr error;
    bool done = false;
};

template <class T>
QCoro::Task<> captureInto(QCoro::Task<T> task, std::shared_ptr<Outcome<T>> out)
{
    try {
        out->value = co_await std::move(task);
    } catch (...) {
        out->error = std::current_exception();
    }
    out->done = true;
}

// Starts the task now; the outcome fills in while the event loop runs.
template <class T>
std::shared_ptr<Outcome<T>> start(QCoro::Task<T> task)
{
    auto outcome = std::make_shared<Outcome<T>>();
    captureInto(std::move(task), outcome);
    return outcome;
}

// Runs the task to its end; one that never ends fails as "other".
template <class T>
Outcome<T> settle(QCoro::Task<T> task)
{
    auto outcome = start(std::move(task));
    if (!QTest::qWaitFor([&] { return outcome->done; }, 20000)) {
        Outcome<T> unfinished;
        unfinished.error = std::make_exception_ptr(std::runtime_error("the task did not finish"));
        return unfinished;
    }
    return *outcome;
}

// Lets a task without a value be settled like the others.
inline QCoro::Task<bool> completed(QCoro::Task<void> task)
{
    co_await std::move(task);
    co_return true;
}

// The kind of a failure and its text, e.g. "APIError: Missing sign-in code."
inline QString describe(const std::exception_ptr &error)
{
    if (!error) return QStringLiteral("success");
    try {
        std::rethrow_exception(error);
    } catch (const APIError &e) {
        return QStringLiteral("APIError: ") + e.error;
    } catch (const CancelledError &) {
        return QStringLiteral("CancelledError");
    } catch (const DecodingError &) {
        return QStringLiteral("DecodingError");
    } catch (const TransportError &) {
        return QStringLiteral("TransportError");
    } catch (const BrowserCancelledError &e) {
        return QStringLiteral("BrowserCancelledError: ") + e.text();
    } catch (const BrowserStartError &) {
        return QStringLiteral("BrowserStartError");
    } catch (const BrowserTimeoutError &) {
        return QStringLiteral("BrowserTimeoutError");
    } catch (...) {
        return QStringLiteral("other");
    }
}

} // namespace vantrel::testing
