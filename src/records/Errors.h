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

// The text a person sees for a failure (empty for a cancellation).
QString errorDescription(const std::exception_ptr &error);
bool isCancellation(const std::exception_ptr &error);

} // namespace vantrel
