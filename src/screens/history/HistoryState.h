#pragma once
// The history sheet's view of the workspace: the saved work as titled rows,
// the transactions list's placeholder and row icons, and following a
// checkout from the list (asking first when that replaces live work).

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include "screens/history/HistoryRules.h"
#include "screens/controls/RowsModel.h"

#include "screens/controls/WorkspaceFace.h"

namespace vantrel {

// A transaction row's symbol and the theme's name of its colour ("green",
// "orange" or ""); the views read it as a typed value.
struct TransactionIcon {
    Q_GADGET
    QML_VALUE_TYPE(transactionIcon)
    Q_PROPERTY(QString symbol MEMBER symbol)
    Q_PROPERTY(QString tone MEMBER tone)

public:
    QString symbol;
    QString tone;
    bool operator==(const TransactionIcon &) const = default;
};

class HistoryState : public vantrel::WorkspaceFace {
    Q_OBJECT
    QML_ELEMENT
    // Roles entryId, title, summary, date and removable (no request of
    // unknown outcome), newest first as the workspace keeps them.
    Q_PROPERTY(vantrel::screens::RowsModel *savedWork READ savedWork CONSTANT)
    // What stands with the checkout rows or in their place: "Loading…", the
    // empty list's text, or a failed load with its reason and "Try again".
    Q_PROPERTY(QString placeholder READ placeholder NOTIFY changed)
    Q_PROPERTY(QString placeholderDetail READ placeholderDetail NOTIFY changed)
    Q_PROPERTY(bool placeholderProgress READ placeholderProgress NOTIFY changed)
    Q_PROPERTY(bool canRetry READ canRetry NOTIFY changed)
    // {title, message, confirm, cancel} of the question asked before following.
    Q_PROPERTY(vantrel::screens::Confirmation followConfirmation READ followConfirmation CONSTANT)

public:
    explicit HistoryState(QObject *parent = nullptr);

    screens::RowsModel *savedWork() const { return m_savedWork; }
    QString placeholder() const { return m_view.placeholder.text; }
    QString placeholderDetail() const { return m_view.placeholder.detail; }
    bool placeholderProgress() const { return m_view.placeholder.progress; }
    bool canRetry() const { return m_view.placeholder.retry; }
    screens::Confirmation followConfirmation() const;

    // The icon of a transaction row by its status.
    Q_INVOKABLE vantrel::TransactionIcon rowIcon(const QString &status) const;
    // Whether following this transaction would replace live work.
    Q_INVOKABLE bool followNeedsConfirmation(const QString &transactionId) const;
    // Makes the listed transaction the workspace's; false when it is no
    // longer listed.
    Q_INVOKABLE bool follow(const QString &transactionId);
    // {title, message, confirm, cancel} of the question before removing the
    // saved entry; empty when it is no longer listed.
    Q_INVOKABLE vantrel::screens::Confirmation removeConfirmation(const QString &entryId) const;

signals:
    void changed();

protected:
    QList<QMetaObject::Connection> connectTo(CheckoutModel *workspace) override;
    void switched() override;

private:
    struct View {
        QList<QVariantMap> savedWork;
        screens::TransactionsPlaceholder placeholder;
        bool operator==(const View &) const = default;
    };
    void recompute();
    View compute() const;

    View m_view;
    screens::RowsModel *m_savedWork;
};

} // namespace vantrel
