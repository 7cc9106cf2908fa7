#include "LogCapture.h"

#include <QLoggingCategory>

namespace vantrel::testing {

namespace {
LogCapture *current = nullptr;
} // namespace

LogCapture::LogCapture(QByteArray category) : m_category(std::move(category))
{
    // Info lines are off by default; a test of them must see them.
    QLoggingCategory::setFilterRules(QString::fromLatin1(m_category) + QStringLiteral(".info=true"));
    current = this;
    m_previous = qInstallMessageHandler(&LogCapture::handle);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
    current = nullptr;
    QLoggingCategory::setFilterRules(QString());
}

void LogCapture::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (current && context.category && current->m_category == context.category) current->m_lines.append(message);
    if (current && current->m_previous) current->m_previous(type, context, message);
}

} // namespace vantrel::testing
