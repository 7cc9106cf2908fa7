#include "HistoryPart.h"

#include "CheckoutModel.h"
#include "Launch.h"
#include "WorkspaceGuard.h"

#include "server/Endpoints.h"

namespace vantrel {

HistoryPart::HistoryPart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_transactions(makeTransactionList(this)),
      m_savedWork(makeArchivedRequestList(this))
{}

void HistoryPart::setTransactions(QList<CheckoutTransaction> transactions)
{
    m_transactions->assign(std::move(transactions));
}

void HistoryPart::setArchivedRequests(QList<ArchivedWorkspaceRequest> list)
{
    m_savedWork->assign(std::move(list));
}

void HistoryPart::setLoaded(bool loaded)
{
    if (loaded == m_loaded) return;
    m_loaded = loaded;
    emit loadingChanged();
}

QCoro::Task<> HistoryPart::loadTransactions()
{
    const WorkspaceGuard guard(m_workspace);
    TransactionsResponse reply = co_await CheckoutAPI::checkouts(m_workspace.api());
    guard.ensure();
    setTransactions(std::move(reply.checkouts));
    setLoaded(true);
}

QCoro::Task<> HistoryPart::refreshTransactions()
{
    std::function<QCoro::Task<>()> load = [this] { return loadTransactions(); };
    co_await m_workspace.performBusy(std::move(load));
}

void HistoryPart::refresh() { launch(refreshTransactions()); }

bool HistoryPart::reopen(const QString &entryId) { return m_workspace.reopenArchivedRequest(entryId); }

} // namespace vantrel
