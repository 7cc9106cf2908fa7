#pragma once
// The history of the workspace: the server's checkout list and the local list
// of saved work (requests put aside by reset and reopen).

#include "WorkspaceLists.h"

#include <QCoroTask>
#include <QObject>

namespace vantrel {

class CheckoutModel;

class HistoryPart : public QObject {
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *transactions READ transactionList CONSTANT)
    Q_PROPERTY(QAbstractListModel *savedWork READ savedWorkList CONSTANT)
    // The first load of the checkout list has not answered yet.
    Q_PROPERTY(bool loading READ loading NOTIFY loadingChanged)

public:
    explicit HistoryPart(CheckoutModel &workspace);

    const QList<CheckoutTransaction> &transactions() const { return m_transactions->items(); }
    const QList<ArchivedWorkspaceRequest> &archivedRequests() const { return m_savedWork->items(); }
    TransactionListModel *transactionList() const { return m_transactions; }
    ArchivedRequestListModel *savedWorkList() const { return m_savedWork; }
    bool loading() const { return !m_loaded; }

    QCoro::Task<> loadTransactions(); // throws
    // The same as a busy operation, failures in the error slot.
    QCoro::Task<> refreshTransactions();
    Q_INVOKABLE void refresh();
    // Makes a saved entry the workspace again; false when it could not be.
    Q_INVOKABLE bool reopen(const QString &entryId);

signals:
    void loadingChanged();

private:
    friend class CheckoutModel;
    friend class CheckoutPart;

    void setTransactions(QList<CheckoutTransaction> transactions);
    void setArchivedRequests(QList<ArchivedWorkspaceRequest> list);
    void setLoaded(bool loaded);

    CheckoutModel &m_workspace;
    TransactionListModel *m_transactions;
    ArchivedRequestListModel *m_savedWork;
    bool m_loaded = false;
};

} // namespace vantrel
