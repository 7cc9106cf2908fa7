#pragma once
// The signed-in session kept in the desktop keychain (Secret Service,
// KWallet, ...), one item per server address. Never falls back to a
// plain-text file.

#include "server/SessionStore.h"

#include <memory>

namespace vantrel {

class KeychainSessionStore : public SessionStore {
public:
    explicit KeychainSessionStore(QString service = QStringLiteral("com.vantrel.checkout"));
    ~KeychainSessionStore() override;

    QCoro::Task<std::optional<QByteArray>> read(QString account) override;
    QCoro::Task<void> write(QString account, QByteArray bytes) override;
    QCoro::Task<void> remove(QString account) override;
    QCoro::Task<void> flush() override;
    bool hasPendingWork() const override;

private:
    // Shared with the operations still running, which may outlive the store.
    struct State;
    class Turn;
    static QCoro::Task<std::optional<QByteArray>> readIn(std::shared_ptr<State> state, QString account);
    static QCoro::Task<void> writeIn(std::shared_ptr<State> state, QString account, QByteArray bytes);
    static QCoro::Task<void> removeIn(std::shared_ptr<State> state, QString account);
    static QCoro::Task<void> flushIn(std::shared_ptr<State> state);

    std::shared_ptr<State> m_state;
};

} // namespace vantrel
