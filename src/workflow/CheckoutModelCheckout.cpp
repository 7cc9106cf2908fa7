// PLACEHOLDER: checkout start, payment watching and recovery are not written
// yet; the checkout work replaces this whole file. watch() only shows the
// transaction so that reopening a saved request can call it.
#include "CheckoutModel.h"

namespace vantrel {

namespace {
APIError notYetAvailable() { return APIError{QStringLiteral("Checkout is not available in this build yet.")}; }
} // namespace

QCoro::Task<> CheckoutModel::startCheckout(QString, QString) { setError(notYetAvailable().error); co_return; }
void CheckoutModel::watch(const CheckoutTransaction &transaction)
{
    if (m_poller) m_poller->cancel();
    m_poller.reset();
    setTransaction(transaction);
    m_watchGeneration = QUuid::createUuid();
}
QCoro::Task<> CheckoutModel::resume(CheckoutTransaction) { setError(notYetAvailable().error); co_return; }
QCoro::Task<> CheckoutModel::cancelCheckout(CheckoutTransaction) { setError(notYetAvailable().error); co_return; }
QCoro::Task<> CheckoutModel::recoverCheckoutRequest() { throw notYetAvailable(); co_return; }
QCoro::Task<> CheckoutModel::resumeCheckout() { setError(notYetAvailable().error); co_return; }
bool CheckoutModel::clearAbortedCheckout(Draft &, const std::optional<CheckoutRequest> &) { return false; }

QCoro::Task<> CheckoutModel::pollLoop(QPointer<CheckoutModel>, TaskHandle, QUuid, QString, QString, QString)
{
    co_return;
}

} // namespace vantrel
