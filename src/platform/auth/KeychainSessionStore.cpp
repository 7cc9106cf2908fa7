#include "KeychainSessionStore.h"

#include <QCoroSignal>
#include <QPointer>

#include <qt6keychain/keychain.h>

namespace vantrel {

namespace {

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

// Runs a started job to its end; false when it failed.
QCoro::Task<bool> run(QKeychain::Job *job)
{
    QPointer<QKeychain::Job> guard(job);
    // Listening starts before the job does (the signal is delivered queued).
    auto finished = qCoro(job, &QKeychain::Job::finished);
    job->start();
    co_await finished;
    co_return guard && guard->error() == QKeychain::NoError;
}

} // namespace

KeychainSessionStore::KeychainSessionStore(QString service) : m_service(std::move(service)) {}

QCoro::Task<std::optional<QByteArray>> KeychainSessionStore::read(QString account)
{
    JobOwner owner(new QKeychain::ReadPasswordJob(m_service));
    owner.job->setKey(account);
    const bool ok = co_await run(owner.job);
    auto *job = qobject_cast<QKeychain::ReadPasswordJob *>(owner.job.data());
    if (!ok || !job) co_return std::nullopt;
    co_return job->binaryData();
}

QCoro::Task<void> KeychainSessionStore::write(QString account, QByteArray bytes)
{
    // Replace, never merge: the old item goes first (its outcome does not matter).
    co_await remove(account);
    JobOwner owner(new QKeychain::WritePasswordJob(m_service));
    owner.job->setKey(account);
    static_cast<QKeychain::WritePasswordJob *>(owner.job.data())->setBinaryData(bytes);
    co_await run(owner.job);
}

QCoro::Task<void> KeychainSessionStore::remove(QString account)
{
    JobOwner owner(new QKeychain::DeletePasswordJob(m_service));
    owner.job->setKey(account);
    co_await run(owner.job);
}

} // namespace vantrel
