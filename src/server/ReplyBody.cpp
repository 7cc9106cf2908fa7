#include "ReplyBody.h"

#include <QCoroTimer>
#include <QNetworkReply>
#include <QTimer>

#include <algorithm>

namespace vantrel {

namespace {
// Half a megabyte is copied (and its fresh pages faulted in) well within a
// millisecond; a 23 MB catalog is then about fifty short turns.
constexpr qint64 sliceBytes = 512 * 1024;
} // namespace

ReplyBody::ReplyBody(QNetworkReply *reply, qint64 maxBytes)
    : QObject(reply), m_reply(reply), m_maxBytes(maxBytes)
{
    // Qt holds back progress signals that come within 100 ms of each other,
    // so they would miss a reply that arrives at once and then stalls: the
    // headers and the data are checked instead.
    connect(reply, &QNetworkReply::metaDataChanged, this, &ReplyBody::lengthAnnounced);
    connect(reply, &QNetworkReply::readyRead, this, &ReplyBody::readSlice);
}

void ReplyBody::lengthAnnounced()
{
    const QVariant announced = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (!announced.isValid()) return;
    const qint64 length = announced.toLongLong();
    if (refusedFor(length - m_body.size())) return;
    // Room for the body at once, only as far as the limit vouches for it.
    if (m_maxBytes > 0 && length > m_body.capacity()) m_body.reserve(qsizetype(length));
}

bool ReplyBody::refusedFor(qint64 more)
{
    if (m_tooLarge) return true;
    if (m_maxBytes <= 0 || m_body.size() + more <= m_maxBytes) return false;
    m_tooLarge = true;
    m_reply->abort();
    return true;
}

void ReplyBody::readSlice()
{
    if (!m_reply || refusedFor(m_reply->bytesAvailable())) return;
    const qint64 wanted = std::min(m_reply->bytesAvailable(), sliceBytes);
    if (wanted <= 0) return;
    // Read straight into the body's room: no copy in between.
    const qsizetype at = m_body.size();
    m_body.resize(at + qsizetype(wanted));
    const qint64 got = m_reply->read(m_body.data() + at, wanted);
    m_body.resize(at + qsizetype(std::max<qint64>(got, 0)));
    // Once the reply has finished, takeWhole drains the rest itself.
    if (m_reply->bytesAvailable() > 0 && !m_reply->isFinished()) readSliceLater();
}

void ReplyBody::readSliceLater()
{
    if (m_sliceQueued) return;
    m_sliceQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_sliceQueued = false;
        readSlice();
    });
}

QCoro::Task<QByteArray> ReplyBody::takeWhole()
{
    QPointer<ReplyBody> self(this);
    while (self && m_reply && !m_tooLarge && m_reply->bytesAvailable() > 0) {
        readSlice();
        if (!m_reply || m_reply->bytesAvailable() <= 0) break;
        // A zero timer of our own rather than QCoro::sleepFor: clang 14
        // cannot compile that one into a coroutine with the fuzzer's
        // instrumentation.
        QTimer nextTurn;
        nextTurn.setSingleShot(true);
        nextTurn.start(0);
        co_await nextTurn;
    }
    if (!self || !m_reply || m_tooLarge) co_return QByteArray();
    co_return std::move(m_body);
}

} // namespace vantrel
