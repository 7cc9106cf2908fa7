#include "CustomersPart.h"

#include "CheckoutModel.h"

#include "records/Uuid.h"

namespace vantrel {

CustomersPart::CustomersPart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_results(makeCustomerList(this)),
      m_quotes(makeQuoteList(this)), m_deals(makeDealList(this))
{
    connect(&workspace, &CheckoutModel::customersChanged, this,
            [this] { m_results->assign(m_workspace.customers()); });
    connect(&workspace, &CheckoutModel::quotesChanged, this, [this] { m_quotes->assign(m_workspace.quotes()); });
    connect(&workspace, &CheckoutModel::dealsChanged, this, [this] { m_deals->assign(m_workspace.deals()); });
    connect(&workspace, &CheckoutModel::customerSearchBusyChanged, this, &CustomersPart::searchBusyChanged);
    connect(&workspace, &CheckoutModel::customerSearchErrorChanged, this, &CustomersPart::searchErrorChanged);
}

bool CustomersPart::searchBusy() const { return m_workspace.customerSearchBusy(); }

QString CustomersPart::searchError() const { return m_workspace.customerSearchError().value_or(QString()); }

void CustomersPart::search(const QString &text) { m_workspace.searchCustomers(text); }

QCoro::Task<bool> CustomersPart::selectById(QString customerId)
{
    const int row = m_results->indexOfId(customerId);
    if (row < 0 || m_workspace.editingLocked()) co_return false;
    const Customer customer = m_results->items().at(row);
    co_await m_workspace.selectCustomer(customer);
    co_return true;
}

QCoro::QmlTask CustomersPart::select(const QString &customerId) { return selectById(customerId); }

QCoro::QmlTask CustomersPart::create(const QString &firstName, const QString &lastName, const QString &phone,
                                     const QString &email, const QString &campaignId, const QString &dealAmount)
{
    NewCustomerRequest form;
    // The form keeps its request id across attempts until a request is made of it.
    const std::optional<NewCustomerRequest> &kept = m_workspace.draft().customerDraft;
    form.requestId = kept ? kept->requestId : newUuidString();
    form.firstName = firstName;
    form.lastName = lastName;
    form.phone = phone;
    form.email = email;
    if (!campaignId.isEmpty()) form.campaignId = campaignId;
    if (!dealAmount.isEmpty()) form.dealAmount = dealAmount;
    return m_workspace.createCustomer(std::move(form));
}

QCoro::QmlTask CustomersPart::recoverPendingRequest() { return m_workspace.resumeCustomerRequest(); }

} // namespace vantrel
