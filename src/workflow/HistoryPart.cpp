#include "HistoryPart.h"

#include "CheckoutModel.h"
#include "Launch.h"

namespace vantrel {

HistoryPart::HistoryPart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_transactions(makeTransactionList(this)),
      m_savedWork(makeArchivedRequestList(this))
{
    connect(&workspace, &CheckoutModel::transactionsChanged, this,
            [this] { m_transactions->assign(m_workspace.transactions()); });
    connect(&workspace, &CheckoutModel::archivedRequestsChanged, this,
            [this] { m_savedWork->assign(m_workspace.archivedRequests()); });
}

void HistoryPart::refresh() { launch(m_workspace.refreshTransactions()); }

bool HistoryPart::reopen(const QString &entryId) { return m_workspace.reopenArchivedRequest(entryId); }

} // namespace vantrel
