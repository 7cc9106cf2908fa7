#pragma once
// Customers as the screens see them: the search and its results, the chosen
// customer's quotes and deals, and customer creation with its recovery.

#include "WorkspaceLists.h"

#include <QCoroQmlTask>
#include <QObject>

namespace vantrel {

class CheckoutModel;

class CustomersPart : public QObject {
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *results READ resultList CONSTANT)
    Q_PROPERTY(QAbstractListModel *quotes READ quoteList CONSTANT)
    Q_PROPERTY(QAbstractListModel *deals READ dealList CONSTANT)
    Q_PROPERTY(bool searchBusy READ searchBusy NOTIFY searchBusyChanged)
    // Empty when the last search did not fail.
    Q_PROPERTY(QString searchError READ searchError NOTIFY searchErrorChanged)

public:
    explicit CustomersPart(CheckoutModel &workspace);

    CustomerListModel *resultList() const { return m_results; }
    QuoteListModel *quoteList() const { return m_quotes; }
    DealListModel *dealList() const { return m_deals; }
    bool searchBusy() const;
    QString searchError() const;

    Q_INVOKABLE void search(const QString &text);
    // Puts a customer of the search results on the draft; resolves to false
    // when the id is not among the results or the draft is locked.
    Q_INVOKABLE QCoro::QmlTask select(const QString &customerId);
    // Resolves to true once the customer is on the draft.
    Q_INVOKABLE QCoro::QmlTask create(const QString &firstName, const QString &lastName,
                                      const QString &phone, const QString &email,
                                      const QString &campaignId, const QString &dealAmount);
    Q_INVOKABLE QCoro::QmlTask recoverPendingRequest();

signals:
    void searchBusyChanged();
    void searchErrorChanged();

private:
    QCoro::Task<bool> selectById(QString customerId);

    CheckoutModel &m_workspace;
    CustomerListModel *m_results;
    QuoteListModel *m_quotes;
    DealListModel *m_deals;
};

} // namespace vantrel
