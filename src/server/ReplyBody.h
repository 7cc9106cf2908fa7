#pragma once
// A reply's body, taken as it arrives a slice at a time.

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <QCoroTask>

class QNetworkReply;

namespace vantrel {

// Collects the body of one reply. A fast server's whole catalog can be
// waiting at once; copying it in one go held the main thread for tens of
// milliseconds, so each turn of the event loop takes one slice and leaves the
// rest for the next turn. The body is refused (the reply aborted) at the
// announced length or at the first byte past the limit, so an oversized body
// is never held whole. A child of its reply.
class ReplyBody : public QObject {
    Q_OBJECT
public:
    // maxBytes 0 takes any length.
    ReplyBody(QNetworkReply *reply, qint64 maxBytes);

    bool tooLarge() const { return m_tooLarge; }
    // Once the reply has finished: the whole body, what was not yet taken
    // read a slice per turn. Empty when the reply went away meanwhile (the
    // caller checks the reply again) or the body was refused.
    QCoro::Task<QByteArray> takeWhole();

private:
    void lengthAnnounced();
    void readSlice();
    void readSliceLater();
    bool refusedFor(qint64 more);

    QPointer<QNetworkReply> m_reply;
    qint64 m_maxBytes;
    QByteArray m_body;
    bool m_tooLarge = false;
    bool m_sliceQueued = false;
};

} // namespace vantrel
