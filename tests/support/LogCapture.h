#pragma once
// Holds the lines one logging category writes while it lives, for tests of
// what the log says (and what it must never say). Messages still reach the
// handler that was installed before.

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

namespace vantrel::testing {

class LogCapture {
public:
    explicit LogCapture(QByteArray category);
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    const QStringList &lines() const { return m_lines; }
    // The lines holding `text`.
    QStringList containing(const QString &text) const { return m_lines.filter(text); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QByteArray m_category;
    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
};

} // namespace vantrel::testing
