#include "KeychainSessionStore.h"

#include <QCoreApplication>
#include <QCoroSignal>
#include <QPointer>

#include <qt6keychain/keychain.h>

#include <coroutine>
#include <deque>
#include <utility>
#include <vector>

namespace vantrel {

// The keychain jobs of one address run one after another, in the order the
// operations were called: QtKeychain starts each job at once, and a delete
// started after an add could otherwise finish before it.
struct KeychainSessionStore::State {
    struct Line {
        bool busy = false;
        std::deque<std::coroutine_handle<>> waiting;
    };
    QString service;
    QHash<QString, std::shared_ptr<Line>> lines;
    int pending = 0; // operations called and not yet finished
    std::vector<std::coroutine_handle<>> flushWaiters;
};

namespace {

// Resumes from the event loop, never from inside the coroutine that is
// finishing, so no operation runs nested in another.
void resumeLater(std::coroutine_handle<> handle)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [handle] { handle.resume(); }, Qt::QueuedConnection);
}

// Holds only pointers (see APIClient.h).
struct LineWait {
    std::deque<std::coroutine_handle<>> *waiting;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> handle) { waiting->push_back(handle); }
    void await_resume() const noexcept {}
};

struct FlushWait {
    std::vector<std::coroutine_handle<>> *waiters;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> handle) { waiters->push_back(handle); }
    void await_resume() const noexcept {}
};

// A job must outlive the signal it is delivering, so it is freed later.
struct JobOwner {
    explicit JobOwner(QKeychain::Job *job) : job(job)
    {
        job->setAutoDelete(false);
        job->setInsecureFallback(false);
    }
    ~JobOwner()
    {
        if (job) job->deleteLater();
    }
    JobOwner(const JobOwner &) = delete;
    JobOwner &operator=(const JobOwner &) = delete;
    QPointer<QKeychain::Job> job;
};

// Runs a started job to its end.
QCoro::Task<QKeychain::Error> run(QKeychain::Job *job)
{
    QPointer<QKeychain::Job> guard(job);
    // Listening starts before the job does (the signal is delivered queued).
    auto finished = qCoro(job, &QKeychain::Job::finished);
    job->start();
    co_await finished;
    co_return guard ? guard->error() : QKeychain::OtherError;
}

QCoro::Task<QKeychain::Error> deleteItem(QString service, QString account)
{
    JobOwner owner(new QKeychain::DeletePasswordJob(service));
    owner.job->setKey(account);
    // (named: see APIClient.h)
    QCoro::Task<QKeychain::Error> deleting = run(owner.job);
    const QKeychain::Error error = co_await deleting;
    // Nothing stored is what a delete is for.
    co_return error == QKeychain::EntryNotFound ? QKeychain::NoError : error;
}

// The store's failures in the person's language (see SessionStore.cpp).
SessionStoreError failure(const QString &source)
{
    return SessionStoreError(QCoreApplication::translate("SignIn", source.toUtf8().constData()));
}

} // namespace

// An address's turn, asked for when the operation is called (which fixes the
// order) and handed to the next operation in line when it goes out of scope,
// however the operation ends.
class KeychainSessionStore::Turn {
public:
    Turn(std::shared_ptr<State> state, const QString &account) : m_state(std::move(state)), m_account(account)
    {
        ++m_state->pending;
        auto &line = m_state->lines[account];
        if (!line) line = std::make_shared<State::Line>();
        m_line = line;
        m_granted = !m_line->busy;
        m_line->busy = true;
    }
    ~Turn()
    {
        if (!m_line->waiting.empty()) {
            const auto next = m_line->waiting.front();
            m_line->waiting.pop_front();
            resumeLater(next); // the line stays busy for it
        } else {
            m_line->busy = false;
            if (m_state->lines.value(m_account) == m_line) m_state->lines.remove(m_account);
        }
        if (--m_state->pending == 0) {
            const auto waiters = std::exchange(m_state->flushWaiters, {});
            for (const auto handle : waiters) resumeLater(handle);
        }
    }
    Turn(const Turn &) = delete;
    Turn &operator=(const Turn &) = delete;

    // Not granted at once: await this before touching the keychain.
    LineWait wait() const { return LineWait{&m_line->waiting}; }
    bool granted() const { return m_granted; }

private:
    std::shared_ptr<State> m_state;
    QString m_account;
    std::shared_ptr<State::Line> m_line;
    bool m_granted = false;
};

KeychainSessionStore::KeychainSessionStore(QString service) : m_state(std::make_shared<State>())
{
    m_state->service = std::move(service);
}

KeychainSessionStore::~KeychainSessionStore() = default;

QCoro::Task<std::optional<QByteArray>> KeychainSessionStore::read(QString account)
{
    return readIn(m_state, std::move(account));
}

QCoro::Task<void> KeychainSessionStore::write(QString account, QByteArray bytes)
{
    return writeIn(m_state, std::move(account), std::move(bytes));
}

QCoro::Task<void> KeychainSessionStore::remove(QString account)
{
    return removeIn(m_state, std::move(account));
}

QCoro::Task<void> KeychainSessionStore::flush() { return flushIn(m_state); }

bool KeychainSessionStore::hasPendingWork() const { return m_state->pending > 0; }

QCoro::Task<std::optional<QByteArray>> KeychainSessionStore::readIn(std::shared_ptr<State> state,
                                                                    QString account)
{
    Turn turn(state, account);
    if (!turn.granted()) co_await turn.wait();
    JobOwner owner(new QKeychain::ReadPasswordJob(state->service));
    owner.job->setKey(account);
    QCoro::Task<QKeychain::Error> reading = run(owner.job);
    const QKeychain::Error error = co_await reading;
    auto *job = qobject_cast<QKeychain::ReadPasswordJob *>(owner.job.data());
    if (error != QKeychain::NoError || !job) co_return std::nullopt;
    co_return job->binaryData();
}

QCoro::Task<void> KeychainSessionStore::writeIn(std::shared_ptr<State> state, QString account,
                                                QByteArray bytes)
{
    Turn turn(state, account);
    if (!turn.granted()) co_await turn.wait();
    // Replace, never merge: the old item goes first (its outcome does not matter).
    QCoro::Task<QKeychain::Error> replacing = deleteItem(state->service, account);
    co_await replacing;
    JobOwner owner(new QKeychain::WritePasswordJob(state->service));
    owner.job->setKey(account);
    static_cast<QKeychain::WritePasswordJob *>(owner.job.data())->setBinaryData(bytes);
    QCoro::Task<QKeychain::Error> adding = run(owner.job);
    const QKeychain::Error error = co_await adding;
    if (error != QKeychain::NoError) throw failure(SessionStoreError::writeFailed);
}

QCoro::Task<void> KeychainSessionStore::removeIn(std::shared_ptr<State> state, QString account)
{
    Turn turn(state, account);
    if (!turn.granted()) co_await turn.wait();
    QCoro::Task<QKeychain::Error> removing = deleteItem(state->service, account);
    const QKeychain::Error error = co_await removing;
    if (error != QKeychain::NoError) throw failure(SessionStoreError::removeFailed);
}

QCoro::Task<void> KeychainSessionStore::flushIn(std::shared_ptr<State> state)
{
    while (state->pending > 0) co_await FlushWait{&state->flushWaiters};
}

} // namespace vantrel
