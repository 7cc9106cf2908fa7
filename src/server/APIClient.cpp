#include "APIClient.h"
#include "ReplyBody.h"
#include "ServerLog.h"

#include "records/Reference.h"

#include <QCoreApplication>
#include <QCoroNetworkReply>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

#include <algorithm>

namespace vantrel {

namespace {

// Kept as their English source and put into the person's language when they
// are raised, which may be long after start-up chose a language.
constexpr const char *timeoutText =
    QT_TRANSLATE_NOOP("Server", "The server did not answer in time. Check the connection and try again.");
constexpr const char *addressText = QT_TRANSLATE_NOOP(
    "Server", "Enter an HTTPS server address. A server on this device can also use http://localhost:8080.");
constexpr const char *invalidAddressText = QT_TRANSLATE_NOOP("Server", "Invalid server address.");
constexpr const char *fallbackText = QT_TRANSLATE_NOOP(
    "Server", "The server could not complete the request. Your transaction can be resumed.");

QString serverText(const char *source) { return QCoreApplication::translate("Server", source); }

} // namespace

const QString APIClient::timeoutMessage = QString::fromUtf8(timeoutText);

namespace {

// Deletes the reply on every path out of a request, even when the network
// manager has already taken it down with itself.
class ReplyOwner {
public:
    explicit ReplyOwner(QNetworkReply *reply) : m_reply(reply) {}
    ~ReplyOwner()
    {
        if (m_reply) m_reply->deleteLater();
    }
    ReplyOwner(const ReplyOwner &) = delete;
    ReplyOwner &operator=(const ReplyOwner &) = delete;
    QNetworkReply *get() const { return m_reply; }

private:
    QPointer<QNetworkReply> m_reply;
};

// Whether a reply that carries an HTTP status was received whole. Qt flags
// 4xx and 5xx statuses as errors too (400 even as a protocol error); only
// network-level and malformed-reply errors mean the exchange itself failed.
bool receivedWhole(const QNetworkReply *reply)
{
    if (!reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) return false;
    const QNetworkReply::NetworkError error = reply->error();
    if (error == QNetworkReply::NoError) return true;
    const int code = int(error);
    if (code < 200) return false; // connection, proxy and cancellation errors
    return error != QNetworkReply::ProtocolUnknownError && error != QNetworkReply::ProtocolFailure;
}

} // namespace

APIClient::APIClient(QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_generation(QUuid::createUuid())
{
    // A redirect to another origin would carry the bearer token there.
    m_network->setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);
}

APIClient::~APIClient()
{
    // Requests still waiting end as cancelled, and their replies are freed
    // with the network manager.
    renewGeneration();
    QList<QPointer<QNetworkReply>> replies;
    for (QNetworkReply *reply : m_network->findChildren<QNetworkReply *>()) replies.append(reply);
    // Aborting resumes the waiting task at once, which may free other replies.
    for (const QPointer<QNetworkReply> &reply : replies)
        if (reply) reply->abort();
}

void APIClient::setBase(const QString &base)
{
    if (base == m_base) return;
    m_base = base;
    renewGeneration();
}

void APIClient::setToken(const QString &token)
{
    if (token == m_token) return;
    m_token = token;
    renewGeneration();
}

ReplyTooLargeError::ReplyTooLargeError(qint64 limit)
    : std::runtime_error(QCoreApplication::translate("Server",
                                                     "The server sent more than %1 in one reply, "
                                                     "more than this app accepts. Nothing was changed.")
                             .arg(limit >= replyLimit::megabyte
                                      ? QStringLiteral("%1 MB").arg(limit / replyLimit::megabyte)
                                      : QStringLiteral("%1 KB").arg(std::max<qint64>(1, limit / 1024)))
                             .toStdString()),
      m_limit(limit)
{}

void APIClient::renewGeneration() { m_generation = QUuid::createUuid(); }

QUrl APIClient::makeURL(const QString &path, const Query &query) const
{
    qsizetype first = 0;
    qsizetype last = m_base.size();
    while (first < last && m_base.at(first) == u'/') ++first;
    while (last > first && m_base.at(last - 1) == u'/') --last;
    const QString text = m_base.mid(first, last - first) + path;

    // Tolerant parsing encodes what an identifier may carry (a space, a
    // letter outside ASCII); a host that is not one still fails.
    QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid()) throw APIError{serverText(addressText)};
    const QString scheme = url.scheme();
    const QString host = url.host();
    const bool accepted = (scheme == u"https" && !host.isEmpty()) ||
                          (scheme == u"http" && (host == u"localhost" || host == u"127.0.0.1"));
    if (!accepted) throw APIError{serverText(addressText)};

    if (!query.isEmpty()) {
        // Every character that could end a name or value is escaped, so a
        // search text such as "a&b=c" reaches the server as typed.
        QByteArray encoded;
        for (auto it = query.cbegin(); it != query.cend(); ++it) {
            if (!encoded.isEmpty()) encoded += '&';
            encoded += QUrl::toPercentEncoding(it.key());
            encoded += '=';
            encoded += QUrl::toPercentEncoding(it.value());
        }
        url.setQuery(QString::fromLatin1(encoded), QUrl::StrictMode);
    }
    if (!url.isValid()) throw APIError{serverText(invalidAddressText)};
    return url;
}

QCoro::Task<QByteArray> APIClient::request(QString method, QString path, std::optional<QByteArray> body,
                                           Query query, CancellationToken cancel, qint64 maxBytes)
{
    const QUuid started = m_generation;
    const QUrl url = makeURL(path, query);
    if (cancel.isCancelled()) throw CancelledError();

    QNetworkRequest request(url);
    request.setTransferTimeout(int(m_timeout.count()));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    if (!m_token.isEmpty())
        request.setRawHeader(QByteArrayLiteral("Authorization"), "Bearer " + m_token.toUtf8());

    const QByteArray verb = method.toLatin1();
    QNetworkReply *sent = nullptr;
    if (verb == "GET")
        sent = m_network->get(request);
    else
        sent = m_network->sendCustomRequest(request, verb, body.value_or(QByteArray()));
    ReplyOwner reply(sent);
    cancel.setInFlight(sent);

    auto *incoming = new ReplyBody(sent, maxBytes);

    QPointer<APIClient> self(this);
    co_await sent;
    cancel.setInFlight(nullptr);

    if (!self || m_generation != started || cancel.isCancelled()) throw CancelledError();
    QNetworkReply *finished = reply.get();
    if (!finished) throw CancelledError();
    const auto refuseTooLarge = [&] {
        qCWarning(lcServer) << method << path << "refused: the reply is above" << maxBytes << "bytes";
        return ReplyTooLargeError(maxBytes);
    };
    if (incoming->tooLarge()) throw refuseTooLarge();

    if (!receivedWhole(finished)) {
        // Qt reports its own transfer time-out as an abort ("Operation
        // canceled"). Every abort of ours was answered as a cancellation
        // above, so one that is left here is the time-out.
        const QNetworkReply::NetworkError error = finished->error();
        qCWarning(lcServer) << method << path << "failed:" << error;
        if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
            throw TransportError(serverText(timeoutText), int(QNetworkReply::TimeoutError));
        throw TransportError(finished->errorString(), int(error));
    }

    const QByteArray bytes = co_await incoming->takeWhole();
    if (!self || m_generation != started || cancel.isCancelled() || !reply.get()) throw CancelledError();
    if (incoming->tooLarge()) throw refuseTooLarge();
    const int code = finished->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (code >= 200 && code <= 299) co_return bytes;

    qCWarning(lcServer) << method << path << "answered" << code;
    std::optional<APIError> serverError = tryDecode<APIError>(bytes, KeyStyle::Wire);
    APIError failure = serverError.value_or(APIError{serverText(fallbackText)});
    failure.status = code;
    throw failure;
}

} // namespace vantrel
