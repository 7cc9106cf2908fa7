// PLACEHOLDER: hold, receipt, printing and next sale are not written yet; the
// post-payment work replaces this whole file.
#include "CheckoutModel.h"

namespace vantrel {

namespace {
APIError notYetAvailable() { return APIError{QStringLiteral("This action is not available in this build yet.")}; }
} // namespace

QCoro::Task<> CheckoutModel::setHold(bool) { setError(notYetAvailable().error); co_return; }
QCoro::Task<> CheckoutModel::requestReceipt() { setError(notYetAvailable().error); co_return; }
QCoro::Task<> CheckoutModel::printQuotePDF() { setError(notYetAvailable().error); co_return; }
QCoro::Task<> CheckoutModel::printInvoicePDF() { setError(notYetAvailable().error); co_return; }
QCoro::Task<> CheckoutModel::printDocument(QString, QString) { throw notYetAvailable(); co_return; }
void CheckoutModel::startNextSale() { setError(notYetAvailable().error); }

} // namespace vantrel
