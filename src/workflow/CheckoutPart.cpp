#include "CheckoutPart.h"

#include "CheckoutModel.h"
#include "Launch.h"
#include "WorkspaceLists.h"

namespace vantrel {

CheckoutPart::CheckoutPart(CheckoutModel &workspace) : QObject(&workspace), m_workspace(workspace)
{
    for (auto signal : {&CheckoutModel::paymentsEnabledChanged, &CheckoutModel::paymentRouteChanged,
                        &CheckoutModel::accountingModeChanged, &CheckoutModel::paymentsSetupMessageChanged})
        connect(&workspace, signal, this, &CheckoutPart::accountChanged);
    connect(&workspace, &CheckoutModel::transactionChanged, this, &CheckoutPart::transactionChanged);
    for (auto signal : {&CheckoutModel::paymentsEnabledChanged, &CheckoutModel::draftChanged,
                        &CheckoutModel::busyChanged, &CheckoutModel::transactionChanged})
        connect(&workspace, signal, this, &CheckoutPart::recheck);
    m_canStartCheckout = workspace.canStartCheckout();
}

void CheckoutPart::recheck()
{
    if (const bool can = m_workspace.canStartCheckout(); can != m_canStartCheckout) {
        m_canStartCheckout = can;
        emit canStartCheckoutChanged();
    }
}

bool CheckoutPart::paymentsEnabled() const { return m_workspace.paymentsEnabled(); }
QString CheckoutPart::paymentRoute() const { return m_workspace.paymentRoute(); }
QString CheckoutPart::accountingMode() const { return m_workspace.accountingMode(); }
QString CheckoutPart::paymentsSetupMessage() const { return m_workspace.paymentsSetupMessage(); }
bool CheckoutPart::usesDailySquareImport() const { return m_workspace.usesDailySquareImport(); }
QString CheckoutPart::paymentsSetupNotice() const { return m_workspace.paymentsSetupNotice(); }

namespace {
template <class F>
auto fromTransaction(const CheckoutModel &workspace, F read) -> decltype(read(CheckoutTransaction{}))
{
    const std::optional<CheckoutTransaction> &shown = workspace.transaction();
    return shown ? read(*shown) : decltype(read(CheckoutTransaction{})){};
}
} // namespace

bool CheckoutPart::hasTransaction() const { return m_workspace.transaction().has_value(); }
QString CheckoutPart::transactionId() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.id; });
}
QString CheckoutPart::status() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.status; });
}
QString CheckoutPart::statusLabel() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.statusLabel(); });
}
QString CheckoutPart::tender() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.tender; });
}
QString CheckoutPart::quoteNumber() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.quoteNumber; });
}
qint64 CheckoutPart::amountCents() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.amountCents; });
}
qint64 CheckoutPart::cashCents() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.cashCents; });
}
QString CheckoutPart::amountText() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return centsText(t.amountCents); });
}
bool CheckoutPart::hold() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.hold; });
}
QString CheckoutPart::invoiceNumber() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.invoiceNumber.value_or(QString()); });
}
QString CheckoutPart::receiptLink() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) {
        const std::optional<QUrl> link = t.receiptLink();
        return link ? link->toString() : QString();
    });
}
QString CheckoutPart::transactionError() const
{
    return fromTransaction(m_workspace, [](const CheckoutTransaction &t) { return t.error; });
}

QCoro::QmlTask CheckoutPart::start(const QString &tender, const QString &cash)
{
    return m_workspace.startCheckout(tender, cash);
}

void CheckoutPart::resumeCheckout() { launch(m_workspace.resumeCheckout()); }

void CheckoutPart::resume()
{
    if (const auto &shown = m_workspace.transaction()) launch(m_workspace.resume(*shown));
}

void CheckoutPart::cancel()
{
    if (const auto &shown = m_workspace.transaction()) launch(m_workspace.cancelCheckout(*shown));
}

void CheckoutPart::setHold(bool hold) { launch(m_workspace.setHold(hold)); }
void CheckoutPart::requestReceipt() { launch(m_workspace.requestReceipt()); }
void CheckoutPart::printInvoicePDF() { launch(m_workspace.printInvoicePDF()); }
void CheckoutPart::startNextSale() { m_workspace.startNextSale(); }

} // namespace vantrel
