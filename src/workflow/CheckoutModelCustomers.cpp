// PLACEHOLDER: customer search, selection and creation are not written yet;
// the customers work replaces this whole file.
#include "CheckoutModel.h"

namespace vantrel {

namespace {
APIError notYetAvailable() { return APIError{QStringLiteral("Customers are not available in this build yet.")}; }
} // namespace

void CheckoutModel::searchCustomers(const QString &) { setCustomerSearchError(notYetAvailable().error); }
QCoro::Task<> CheckoutModel::selectCustomer(Customer) { throw notYetAvailable(); co_return; }
QCoro::Task<> CheckoutModel::loadQuotesAndDeals(Customer) { throw notYetAvailable(); co_return; }
QCoro::Task<bool> CheckoutModel::createCustomer(NewCustomerRequest) { throw notYetAvailable(); co_return false; }
QCoro::Task<bool> CheckoutModel::recoverCustomerRequest(NewCustomerRequest) { throw notYetAvailable(); co_return false; }
void CheckoutModel::applyCreatedCustomer(const NewCustomerResponse &) { setError(notYetAvailable().error); }
bool CheckoutModel::clearAbortedCustomer(Draft &, const NewCustomerRequest &) { return false; }

QCoro::Task<> CheckoutModel::customerSearch(QPointer<CheckoutModel>, TaskHandle, QString) { co_return; }

} // namespace vantrel
