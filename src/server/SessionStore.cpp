#include "SessionStore.h"

#include <QCoreApplication>

namespace vantrel {

// The English sources; every store raises them in the person's language.
const QString SessionStoreError::writeFailed = QString::fromUtf8(
    QT_TRANSLATE_NOOP("SignIn", "The sign-in could not be saved in this device's keychain."));
const QString SessionStoreError::removeFailed = QString::fromUtf8(
    QT_TRANSLATE_NOOP("SignIn", "The saved sign-in could not be removed from this device's keychain."));

namespace {

SessionStoreError failure(const QString &source)
{
    return SessionStoreError(QCoreApplication::translate("SignIn", source.toUtf8().constData()));
}

} // namespace

QCoro::Task<std::optional<QByteArray>> InMemorySessionStore::read(QString account)
{
    const auto it = items.constFind(account);
    if (it == items.cend()) co_return std::nullopt;
    co_return *it;
}

QCoro::Task<void> InMemorySessionStore::write(QString account, QByteArray bytes)
{
    if (refuseChanges) throw failure(SessionStoreError::writeFailed);
    items.remove(account);
    items.insert(account, bytes);
    co_return;
}

QCoro::Task<void> InMemorySessionStore::remove(QString account)
{
    if (refuseChanges) throw failure(SessionStoreError::removeFailed);
    items.remove(account);
    co_return;
}

QCoro::Task<void> InMemorySessionStore::flush() { co_return; }

} // namespace vantrel
