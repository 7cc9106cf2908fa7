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
    // A load of the checkout list is under way.
    Q_PROPERTY(bool loading READ loading NOTIFY loadStateChanged)
    // Why the last load of the list failed; empty once one succeeds. The
    // list shown stays the last one that loaded.
    Q_PROPERTY(QString loadError READ loadError NOTIFY loadStateChanged)

public:
    explicit HistoryPart(CheckoutModel &workspace);

    const QList<CheckoutTransaction> &transactions() const { return m_transactions->items(); }
    const QList<ArchivedWorkspaceRequest> &archivedRequests() const { return m_savedWork->items(); }
    TransactionListModel *transactionList() const { return m_transactions; }
    ArchivedRequestListModel *savedWorkList() const { return m_savedWork; }
    bool loading() const { return m_loadsUnderWay > 0; }
    // A load has answered since sign-in, so the list is the server's.
    bool loaded() const { return m_loaded; }
    QString loadError() const { return m_loadError; }

    QCoro::Task<> loadTransactions(); // throws
    // The same as a busy operation, failures in the error slot.
    QCoro::Task<> refreshTransactions();
    Q_INVOKABLE void refresh();
    // Makes a saved entry the workspace again; false when it could not be.
    Q_INVOKABLE bool reopen(const QString &entryId);
    // Drops a saved entry; false (reason in the error slot) when it cannot be.
    Q_INVOKABLE bool remove(const QString &entryId);

signals:
    void loadStateChanged();

private:
    friend class CheckoutModel;
    friend class CheckoutPart;

    void setTransactions(QList<CheckoutTransaction> transactions);
    // Puts a transaction the workspace stops showing first in the list, so
    // it stays one tap away whether or not the server listed it yet.
    void keepFirst(const CheckoutTransaction &transaction);
    void setArchivedRequests(QList<ArchivedWorkspaceRequest> list);
    // Signed out: nothing loaded and nothing failed.
    void forgetLoads();
    void finishLoad(const std::exception_ptr &failure, bool current);

    CheckoutModel &m_workspace;
    TransactionListModel *m_transactions;
    ArchivedRequestListModel *m_savedWork;
    bool m_loaded = false;
    int m_loadsUnderWay = 0;
    QString m_loadError;
};

} // namespace vantrel
