#pragma once
// The history as the screens see it: the server's checkout list and the
// local list of saved work.

#include "WorkspaceLists.h"

#include <QObject>

namespace vantrel {

class CheckoutModel;

class HistoryPart : public QObject {
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *transactions READ transactionList CONSTANT)
    Q_PROPERTY(QAbstractListModel *savedWork READ savedWorkList CONSTANT)

public:
    explicit HistoryPart(CheckoutModel &workspace);

    TransactionListModel *transactionList() const { return m_transactions; }
    ArchivedRequestListModel *savedWorkList() const { return m_savedWork; }

    Q_INVOKABLE void refresh();
    // Makes a saved entry the workspace again; false when it could not be.
    Q_INVOKABLE bool reopen(const QString &entryId);

private:
    CheckoutModel &m_workspace;
    TransactionListModel *m_transactions;
    ArchivedRequestListModel *m_savedWork;
};

} // namespace vantrel
