// PLACEHOLDER: quote open, edit and save are not written yet; the quotes work
// replaces this whole file.
#include "CheckoutModel.h"

namespace vantrel {

namespace {
APIError notYetAvailable() { return APIError{QStringLiteral("Quotes are not available in this build yet.")}; }
} // namespace

QCoro::Task<bool> CheckoutModel::openQuote(QString, Customer) { throw notYetAvailable(); co_return false; }
void CheckoutModel::loadQuote(const Quote &) { setError(notYetAvailable().error); }
void CheckoutModel::markEdited() { setError(notYetAvailable().error); }
void CheckoutModel::addProduct(const Product &) { setError(notYetAvailable().error); }
QCoro::Task<> CheckoutModel::saveQuote() { setError(notYetAvailable().error); co_return; }
void CheckoutModel::ensureStored(const QString &) { throw notYetAvailable(); }
QCoro::Task<> CheckoutModel::selectDeal(std::optional<Deal>) { setError(notYetAvailable().error); co_return; }
QCoro::Task<> CheckoutModel::linkDeal(Quote, std::optional<Deal>) { throw notYetAvailable(); co_return; }
QCoro::Task<> CheckoutModel::refreshDeal(QString) { setError(notYetAvailable().error); co_return; }

} // namespace vantrel
