#pragma once
// The history sheet's view of the workspace: the saved work as titled rows,
// the transactions list's placeholder and row icons, and following a
// checkout from the list (asking first when that replaces live work).

#include <QObject>
#include <QPointer>

#include "RowsModel.h"

#include "workflow/CheckoutModel.h"

namespace vantrel {

class HistoryState : public QObject {
    Q_OBJECT
    Q_PROPERTY(vantrel::CheckoutModel *workspace READ workspace WRITE setWorkspace NOTIFY workspaceChanged)
    // Roles entryId, title, summary and date, newest first as the workspace
    // keeps them.
    Q_PROPERTY(vantrel::screens::RowsModel *savedWork READ savedWork CONSTANT)
    // "Loading…" or the empty list's text; empty while rows are shown.
    Q_PROPERTY(QString placeholder READ placeholder NOTIFY changed)
    // {title, message, confirm, cancel} of the question asked before following.
    Q_PROPERTY(QVariantMap followConfirmation READ followConfirmation CONSTANT)

public:
    explicit HistoryState(QObject *parent = nullptr);

    CheckoutModel *workspace() const { return m_workspace; }
    void setWorkspace(CheckoutModel *workspace);
    screens::RowsModel *savedWork() const { return m_savedWork; }
    QString placeholder() const { return m_view.placeholder; }
    QVariantMap followConfirmation() const;

    // The icon of a transaction row by its status: {symbol, tone}.
    Q_INVOKABLE QVariantMap rowIcon(const QString &status) const;
    // Whether following this transaction would replace live work.
    Q_INVOKABLE bool followNeedsConfirmation(const QString &transactionId) const;
    // Makes the listed transaction the workspace's; false when it is no
    // longer listed.
    Q_INVOKABLE bool follow(const QString &transactionId);

signals:
    void workspaceChanged();
    void changed();

private:
    struct View {
        QList<QVariantMap> savedWork;
        QString placeholder;
        bool operator==(const View &) const = default;
    };
    void recompute();
    View compute() const;

    QPointer<CheckoutModel> m_workspace;
    QList<QMetaObject::Connection> m_connections;
    View m_view;
    screens::RowsModel *m_savedWork;
};

} // namespace vantrel
