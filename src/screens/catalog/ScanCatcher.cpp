#include "ScanCatcher.h"

#include <QKeyEvent>

#include <utility>
#include <QQuickItem>

namespace vantrel::screens {

std::optional<QString> ScanBuffer::press(int key, const QString &text, bool inTextField)
{
    if (inTextField) {
        m_code.clear();
        return std::nullopt;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_code.isEmpty()) return std::nullopt;
        return std::exchange(m_code, QString());
    }
    // Printable text only; any other key (Tab, arrows, Escape) ends what was typed.
    if (text.size() == 1 && text.at(0).isPrint()) {
        m_code += text;
    } else if (key != Qt::Key_Shift) {
        m_code.clear();
    }
    return std::nullopt;
}

bool isEditableText(const QQuickItem *item)
{
    if (!item) return false;
    if (!item->inherits("QQuickTextInput") && !item->inherits("QQuickTextEdit")) return false;
    return !item->property("readOnly").toBool();
}

void ScanCatcher::setWindow(QQuickWindow *window)
{
    if (window == m_window) return;
    if (m_window) m_window->removeEventFilter(this);
    m_window = window;
    m_buffer.clear();
    if (m_window) m_window->installEventFilter(this);
    emit windowChanged();
}

bool ScanCatcher::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: the window may be part-way through its destruction.
    if (event->type() != QEvent::KeyPress || watched != m_window.data())
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const std::optional<QString> code =
        m_buffer.press(key->key(), key->text(), isEditableText(m_window->activeFocusItem()));
    if (!code) return false;
    emit scanned(*code);
    // The Enter that ended the scan does not also press whatever has focus.
    return true;
}

} // namespace vantrel::screens
