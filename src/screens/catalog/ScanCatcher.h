#pragma once
// A barcode scanner is a keyboard that types a code fast and ends with Enter.
// The catcher hears those keys wherever focus is in the window (a product
// card, a button, nothing at all) and hands the code over as one scan, except
// while a text field has focus: there the keys are the person's own typing.

#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace vantrel::screens {

// The keys outside text fields since the last Enter or other key.
class ScanBuffer {
public:
    // Feeds one key press; answers the code when the key ends a scan.
    std::optional<QString> press(int key, const QString &text, bool inTextField);
    void clear() { m_code.clear(); }

private:
    QString m_code;
};

class ScanCatcher : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickWindow *window READ window WRITE setWindow NOTIFY windowChanged)

public:
    using QObject::QObject;
    QQuickWindow *window() const { return m_window; }
    void setWindow(QQuickWindow *window);

signals:
    void windowChanged();
    void scanned(const QString &code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QQuickWindow> m_window;
    ScanBuffer m_buffer;
};

// Whether keys typed now go into an editable text field.
bool isEditableText(const QQuickItem *item);

} // namespace vantrel::screens
