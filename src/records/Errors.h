#pragma once
// The error values the client throws. Only APIError (Reference.h) carries a
// text meant for the user; the others keep the text of whoever produced them.

#include <QString>
#include <exception>
#include <stdexcept>

namespace vantrel {

// A reply or stored file that is not the record we expected.
class DecodingError : public std::runtime_error {
public:
    explicit DecodingError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString text() const { return m_text; }

private:
    QString m_text;
};

// A request that was cut off because the address, the token or the workspace
// changed, or because its task was cancelled. Never shown to the user.
class CancelledError : public std::exception {
public:
    const char *what() const noexcept override { return "cancelled"; }
};

// The network failed before any HTTP reply arrived; keeps Qt's own text.
class TransportError : public std::runtime_error {
public:
    TransportError(const QString &text, int code)
        : std::runtime_error(text.toStdString()), m_text(text), m_code(code)
    {}
    QString text() const { return m_text; }
    int code() const { return m_code; }

private:
    QString m_text;
    int m_code;
};

// What a failed creating request (quote save, customer creation, checkout
// start) left behind on the server, which decides whether its stored copy is
// kept for a resend or dropped:
// - unknown: no reply, a time-out, a 5xx, a reply that could not be read, or
//   a refusal that may pass on a retry (408, 425, 429): the server may hold
//   it, so the stored request is kept and sent again unchanged;
// - refused: a definite 4xx refusal of what was sent; nothing was created and
//   sending the same again would be refused again;
// - requestIdConflict: nothing was created for this request, but its id is
//   spent (used for something else, or closed by a recovery check);
// - cancelled: cut off on this side; nothing is shown.
enum class CreateOutcome { unknown, refused, requestIdConflict, cancelled };
CreateOutcome createOutcome(const std::exception_ptr &error);
// True for refused and requestIdConflict: the request can be dropped.
bool notCreated(CreateOutcome outcome);
// The HTTP status of a server's refusal, 0 for any other failure.
int httpStatus(const std::exception_ptr &error);

// The text a person sees for a failure (empty for a cancellation).
QString errorDescription(const std::exception_ptr &error);
bool isCancellation(const std::exception_ptr &error);

} // namespace vantrel
