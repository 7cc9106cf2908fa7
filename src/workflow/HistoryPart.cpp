#include "HistoryPart.h"

#include "CheckoutModel.h"
#include "Launch.h"
#include "WorkspaceGuard.h"

#include "server/Endpoints.h"

#include <QPointer>

namespace vantrel {

HistoryPart::HistoryPart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_transactions(makeTransactionList(this)),
      m_savedWork(makeArchivedRequestList(this))
{}

void HistoryPart::setTransactions(QList<CheckoutTransaction> transactions)
{
    m_transactions->assign(std::move(transactions));
}

void HistoryPart::keepFirst(const CheckoutTransaction &transaction)
{
    QList<CheckoutTransaction> list = transactions();
    list.removeIf([&](const CheckoutTransaction &t) { return t.id == transaction.id; });
    list.prepend(transaction);
    setTransactions(std::move(list));
}

void HistoryPart::setArchivedRequests(QList<ArchivedWorkspaceRequest> list)
{
    m_savedWork->assign(std::move(list));
}

void HistoryPart::forgetLoads()
{
    if (!m_loaded && m_loadError.isEmpty()) return;
    m_loaded = false;
    m_loadError.clear();
    emit loadStateChanged();
}

void HistoryPart::finishLoad(const std::exception_ptr &failure, bool current)
{
    --m_loadsUnderWay;
    // A stale or cancelled load says nothing about the list shown now.
    if (current && !failure) {
        m_loaded = true;
        m_loadError.clear();
    } else if (current && !isCancellation(failure)) {
        m_loadError = errorDescription(failure);
    }
    emit loadStateChanged();
}

QCoro::Task<> HistoryPart::loadTransactions()
{
    const WorkspaceGuard guard(m_workspace);
    const QPointer<HistoryPart> self(this);
    ++m_loadsUnderWay;
    m_loadError.clear(); // a retry shows as loading, not as the old failure
    emit loadStateChanged();

    std::optional<TransactionsResponse> reply;
    std::exception_ptr failure;
    try {
        reply = co_await CheckoutAPI::checkouts(m_workspace.api());
        guard.ensure();
    } catch (...) {
        failure = std::current_exception();
    }
    // The part dies with the workspace, which the guard has then reported.
    if (!self) std::rethrow_exception(failure ? failure : std::make_exception_ptr(CancelledError()));
    if (!failure) setTransactions(std::move(reply->checkouts));
    finishLoad(failure, guard.current());
    if (failure) std::rethrow_exception(failure);
}

QCoro::Task<> HistoryPart::refreshTransactions()
{
    std::function<QCoro::Task<>()> load = [this] { return loadTransactions(); };
    co_await m_workspace.performBusy(std::move(load));
}

void HistoryPart::refresh() { launch(refreshTransactions()); }

bool HistoryPart::reopen(const QString &entryId) { return m_workspace.reopenArchivedRequest(entryId); }

bool HistoryPart::remove(const QString &entryId) { return m_workspace.removeArchivedRequest(entryId); }

} // namespace vantrel
