#pragma once
// The signed-in session kept in the desktop keychain (Secret Service,
// KWallet, ...), one item per server address. Never falls back to a
// plain-text file.

#include "server/SessionStore.h"

namespace vantrel {

class KeychainSessionStore : public SessionStore {
public:
    explicit KeychainSessionStore(QString service = QStringLiteral("com.vantrel.checkout"));
    QCoro::Task<std::optional<QByteArray>> read(QString account) override;
    QCoro::Task<void> write(QString account, QByteArray bytes) override;
    QCoro::Task<void> remove(QString account) override;

private:
    QString m_service;
};

} // namespace vantrel
