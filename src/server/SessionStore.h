#pragma once
// Where the signed-in session is kept: one item per server address. Reads
// that fail mean "no session". The operations on one address take effect in
// the order they were called, whether or not anybody awaits them, so a
// sign-out issued while the sign-in's write is still running removes what
// that write stored.

#include <QByteArray>
#include <QCoroTask>
#include <QHash>
#include <QString>

#include <optional>
#include <stdexcept>

namespace vantrel {

// A keychain item that could not be written or removed; the text is meant
// for the person.
class SessionStoreError : public std::runtime_error {
public:
    explicit SessionStoreError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString text() const { return m_text; }

    static const QString writeFailed;
    static const QString removeFailed;

private:
    QString m_text;
};

class SessionStore {
public:
    virtual ~SessionStore() = default;
    virtual QCoro::Task<std::optional<QByteArray>> read(QString account) = 0;
    // Replaces the item (delete, then add). Throws SessionStoreError.
    virtual QCoro::Task<void> write(QString account, QByteArray bytes) = 0;
    // Removing an item that does not exist succeeds. Throws SessionStoreError.
    virtual QCoro::Task<void> remove(QString account) = 0;
    // Resolves once every operation called so far, on any address, has
    // finished (the app awaits it before quitting). Never throws.
    virtual QCoro::Task<void> flush() = 0;
    virtual bool hasPendingWork() const = 0;
};

// For tests and for machines without a keychain service. Every operation
// finishes at once.
class InMemorySessionStore : public SessionStore {
public:
    QCoro::Task<std::optional<QByteArray>> read(QString account) override;
    QCoro::Task<void> write(QString account, QByteArray bytes) override;
    QCoro::Task<void> remove(QString account) override;
    QCoro::Task<void> flush() override;
    bool hasPendingWork() const override { return false; }

    QHash<QString, QByteArray> items;
    // Makes writes and removes fail as a locked or missing keychain does.
    bool refuseChanges = false;
};

} // namespace vantrel
