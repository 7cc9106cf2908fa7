#pragma once
// Where the signed-in session is kept: one item per server address. Reads
// that fail mean "no session"; writes and deletes fail silently.

#include <QByteArray>
#include <QCoroTask>
#include <QHash>
#include <QString>

#include <optional>

namespace vantrel {

class SessionStore {
public:
    virtual ~SessionStore() = default;
    virtual QCoro::Task<std::optional<QByteArray>> read(QString account) = 0;
    // Replaces the item (delete, then add).
    virtual QCoro::Task<void> write(QString account, QByteArray bytes) = 0;
    virtual QCoro::Task<void> remove(QString account) = 0;
};

// For tests and for machines without a keychain service.
class InMemorySessionStore : public SessionStore {
public:
    QCoro::Task<std::optional<QByteArray>> read(QString account) override;
    QCoro::Task<void> write(QString account, QByteArray bytes) override;
    QCoro::Task<void> remove(QString account) override;
    QHash<QString, QByteArray> items;
};

} // namespace vantrel
