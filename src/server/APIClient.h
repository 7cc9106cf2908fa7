#pragma once
// The one object through which the app talks to the Checkout server: the
// address, the bearer token, JSON bodies, failed replies mapped to APIError,
// and replies that arrive after the address or token changed dropped as
// CancelledError.
//
// Compiler note, for every coroutine in the app: g++ 12 may destroy a
// temporary inside a co_await expression twice (and may await a copy of an
// awaiter). So an awaited task, its arguments and any lambda are named in
// locals first, and hand-written awaiters hold only plain pointers. Elsewhere
// this is marked "(named: see APIClient.h)".

#include "Cancellation.h"
#include "ReplyLimits.h"
#include "records/Codec.h"
#include "records/Reference.h"

#include <QCoroTask>
#include <QMap>
#include <QObject>
#include <QUrl>
#include <QUuid>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <optional>

class QNetworkAccessManager;

namespace vantrel {

using Query = QMap<QString, QString>;

class APIClient : public QObject {
    Q_OBJECT
public:
    explicit APIClient(QObject *parent = nullptr);
    ~APIClient() override;

    QString base() const { return m_base; }
    QString token() const { return m_token; }
    QUuid generation() const { return m_generation; }
    // Assigning a different value starts a new generation; the same value does not.
    void setBase(const QString &base);
    void setToken(const QString &token);
    // Starts a new generation unconditionally (the workspace reset uses it).
    void renewGeneration();

    // Throws APIError when the address is not https (or http to localhost).
    QUrl makeURL(const QString &path, const Query &query = {}) const;

    // One exchange; returns the body of a 2xx reply. Throws APIError,
    // TransportError (timeoutMessage when the server stayed silent for the
    // whole time-out) or CancelledError. A reply that announces or delivers
    // more than maxBytes is refused (ReplyTooLargeError): the body is held
    // whole in memory.
    QCoro::Task<QByteArray> request(QString method, QString path, std::optional<QByteArray> body,
                                    Query query = {}, CancellationToken cancel = {},
                                    qint64 maxBytes = replyLimit::record);

    template <class Reply>
    QCoro::Task<Reply> get(QString path, Query query = {}, CancellationToken cancel = {},
                           qint64 maxBytes = replyLimit::record)
    {
        const QUuid started = m_generation;
        // (named: see APIClient.h)
        QString method = QStringLiteral("GET");
        std::optional<QByteArray> noBody;
        QByteArray bytes = co_await request(method, path, noBody, query, cancel, maxBytes);
        if (m_generation != started || cancel.isCancelled()) throw CancelledError();
        co_return decode<Reply>(bytes, KeyStyle::Wire);
    }

    template <class Reply, class Body>
    QCoro::Task<Reply> send(QString method, QString path, Body body, CancellationToken cancel = {})
    {
        const QUuid started = m_generation;
        std::optional<QByteArray> encoded = encode(body, KeyStyle::Wire);
        Query noQuery;
        QByteArray bytes = co_await request(method, path, encoded, noQuery, cancel);
        if (m_generation != started || cancel.isCancelled()) throw CancelledError();
        co_return decode<Reply>(bytes, KeyStyle::Wire);
    }

    // How long a request may go without any data moving before it fails.
    static constexpr std::chrono::milliseconds defaultTimeout{180 * 1000};
    static const QString timeoutMessage;
    std::chrono::milliseconds timeout() const { return m_timeout; }
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

private:
    QNetworkAccessManager *m_network;
    QString m_base;
    QString m_token;
    QUuid m_generation;
    std::chrono::milliseconds m_timeout = defaultTimeout;
};

// A reply body over the caller's size limit; the transfer was stopped there.
class ReplyTooLargeError : public std::runtime_error {
public:
    explicit ReplyTooLargeError(qint64 limit);
    qint64 limit() const { return m_limit; }

private:
    qint64 m_limit;
};

} // namespace vantrel
