#include "SessionStore.h"

namespace vantrel {

const QString SessionStoreError::writeFailed =
    QStringLiteral("The sign-in could not be saved in this device's keychain.");
const QString SessionStoreError::removeFailed =
    QStringLiteral("The saved sign-in could not be removed from this device's keychain.");

QCoro::Task<std::optional<QByteArray>> InMemorySessionStore::read(QString account)
{
    const auto it = items.constFind(account);
    if (it == items.cend()) co_return std::nullopt;
    co_return *it;
}

QCoro::Task<void> InMemorySessionStore::write(QString account, QByteArray bytes)
{
    if (refuseChanges) throw SessionStoreError(SessionStoreError::writeFailed);
    items.remove(account);
    items.insert(account, bytes);
    co_return;
}

QCoro::Task<void> InMemorySessionStore::remove(QString account)
{
    if (refuseChanges) throw SessionStoreError(SessionStoreError::removeFailed);
    items.remove(account);
    co_return;
}

QCoro::Task<void> InMemorySessionStore::flush() { co_return; }

} // namespace vantrel
