#include "SessionStore.h"

namespace vantrel {

QCoro::Task<std::optional<QByteArray>> InMemorySessionStore::read(QString account)
{
    const auto it = items.constFind(account);
    if (it == items.cend()) co_return std::nullopt;
    co_return *it;
}

QCoro::Task<void> InMemorySessionStore::write(QString account, QByteArray bytes)
{
    items.remove(account);
    items.insert(account, bytes);
    co_return;
}

QCoro::Task<void> InMemorySessionStore::remove(QString account)
{
    items.remove(account);
    co_return;
}

} // namespace vantrel
