#pragma once
// Customers of the workspace: the search and its results, the chosen
// customer's quotes and deals, and customer creation with recovery of an
// unknown outcome.

#include "TaskHandle.h"
#include "WorkspaceLists.h"

#include "records/Requests.h"

#include <QCoroQmlTask>
#include <QObject>

#include <optional>

namespace vantrel {

class CheckoutModel;

class CustomersPart : public QObject {
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *results READ resultList CONSTANT)
    Q_PROPERTY(QAbstractListModel *quotes READ quoteList CONSTANT)
    Q_PROPERTY(QAbstractListModel *deals READ dealList CONSTANT)
    Q_PROPERTY(bool searchBusy READ customerSearchBusy NOTIFY customerSearchBusyChanged)
    // Empty when the last search did not fail.
    Q_PROPERTY(QString searchError READ searchErrorText NOTIFY customerSearchErrorChanged)

public:
    explicit CustomersPart(CheckoutModel &workspace);

    const QList<Customer> &customers() const { return m_results->items(); }
    const QList<Quote> &quotes() const { return m_quotes->items(); }
    const QList<Deal> &deals() const { return m_deals->items(); }
    bool customerSearchBusy() const { return m_customerSearchBusy; }
    const std::optional<QString> &customerSearchError() const { return m_customerSearchError; }
    const std::optional<TaskHandle> &customerSearchTask() const { return m_customerSearchTask; }
    CustomerListModel *resultList() const { return m_results; }
    QuoteListModel *quoteList() const { return m_quotes; }
    DealListModel *dealList() const { return m_deals; }
    QString searchErrorText() const { return m_customerSearchError.value_or(QString()); }

    // Debounced search into the results; a newer search cancels this one.
    Q_INVOKABLE void searchCustomers(const QString &text);
    QCoro::Task<> selectCustomer(Customer customer);
    QCoro::Task<> loadQuotesAndDeals(Customer customer); // throws
    QCoro::Task<bool> createCustomer(NewCustomerRequest form);
    QCoro::Task<bool> recoverCustomerRequest(NewCustomerRequest request); // throws
    // The screens' resume of a pending creation, as a busy operation: true
    // when the customer is on the draft afterwards.
    QCoro::Task<bool> resumeCustomerRequest();
    void applyCreatedCustomer(const NewCustomerResponse &created);
    // Puts an aborted creation's details back into the form; false when the
    // draft's pending creation is not the one that was sent.
    static bool clearAbortedCustomer(Draft &draft, const NewCustomerRequest &sent);

    // Puts a customer of the search results on the draft; resolves to false
    // when the id is not among the results or the draft is locked.
    Q_INVOKABLE QCoro::QmlTask select(const QString &customerId);
    // Resolves to true once the customer is on the draft.
    Q_INVOKABLE QCoro::QmlTask create(const QString &firstName, const QString &lastName, const QString &phone,
                                      const QString &email, const QString &campaignId,
                                      const QString &dealAmount);
    Q_INVOKABLE QCoro::QmlTask resumePendingRequest() { return resumeCustomerRequest(); }
    // Loads the deals of the draft's customer unless the list already holds
    // them all (after a restart, an opened quote or reopened work it holds at
    // most the linked deal).
    Q_INVOKABLE void loadDealsIfNeeded();
    QCoro::Task<> loadDeals(Customer customer); // throws

signals:
    void customerSearchBusyChanged();
    void customerSearchErrorChanged();

private:
    friend class CheckoutModel;
    friend class CheckoutPart;
    friend class QuotePart;

    static QCoro::Task<> customerSearch(QPointer<CustomersPart> part, TaskHandle handle, QString text);
    QCoro::Task<> createCustomerSteps(NewCustomerRequest form);
    QCoro::Task<bool> selectById(QString customerId);
    void setCustomers(QList<Customer> customers);
    void setCustomerSearchBusy(bool busy);
    void setCustomerSearchError(std::optional<QString> error);
    void setQuotes(QList<Quote> quotes);
    // forCustomer: the id of the customer whose whole deal list this is.
    void setDeals(QList<Deal> deals, std::optional<QString> forCustomer = std::nullopt);
    void cancelSearch();

    CheckoutModel &m_workspace;
    CustomerListModel *m_results;
    QuoteListModel *m_quotes;
    DealListModel *m_deals;
    std::optional<QString> m_dealsCustomerId;
    bool m_customerSearchBusy = false;
    std::optional<QString> m_customerSearchError;
    std::optional<TaskHandle> m_customerSearchTask;
};

} // namespace vantrel
