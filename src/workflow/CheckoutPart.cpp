#include "CheckoutPart.h"

#include "CheckoutModel.h"
#include "Launch.h"
#include "WorkspaceLists.h"

namespace vantrel {

namespace {

const QString defaultPaymentRoute = QStringLiteral("square_terminal");
const QString defaultAccountingMode = QStringLiteral("individual_zoho");

template <class F>
auto fromTransaction(const std::optional<CheckoutTransaction> &shown, F read)
    -> decltype(read(CheckoutTransaction{}))
{
    return shown ? read(*shown) : decltype(read(CheckoutTransaction{})){};
}

} // namespace

CheckoutPart::CheckoutPart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_paymentRoute(defaultPaymentRoute),
      m_accountingMode(defaultAccountingMode), m_watchGeneration(QUuid::createUuid())
{
    for (auto signal : {&CheckoutModel::draftChanged, &CheckoutModel::busyChanged})
        connect(&workspace, signal, this, &CheckoutPart::recheck);
    connect(this, &CheckoutPart::accountChanged, this, &CheckoutPart::recheck);
    connect(this, &CheckoutPart::transactionChanged, this, &CheckoutPart::recheck);
}

void CheckoutPart::recheck()
{
    if (const bool can = m_workspace.canStartCheckout(); can != m_canStartCheckout) {
        m_canStartCheckout = can;
        emit canStartCheckoutChanged();
    }
    const bool own = ownCheckout();
    if (own != m_ownCheckout) {
        m_ownCheckout = own;
        emit ownCheckoutChanged();
    }
}

bool CheckoutPart::ownCheckout() const
{
    return m_transaction && checkoutBelongsToDraft(m_workspace.draft(), *m_transaction);
}

void CheckoutPart::setTransaction(std::optional<CheckoutTransaction> transaction)
{
    if (transaction == m_transaction) return;
    m_transaction = std::move(transaction);
    emit transactionChanged();
}

void CheckoutPart::applyAccount(const Me &me)
{
    const bool enabled = me.paymentsEnabled;
    const QString route = me.paymentRoute.value_or(defaultPaymentRoute);
    const QString mode = me.accountingMode.value_or(defaultAccountingMode);
    const QString message = me.paymentsSetupMessage.value_or(QString());
    if (enabled == m_paymentsEnabled && route == m_paymentRoute && mode == m_accountingMode &&
        message == m_paymentsSetupMessage)
        return;
    m_paymentsEnabled = enabled;
    m_paymentRoute = route;
    m_accountingMode = mode;
    m_paymentsSetupMessage = message;
    emit accountChanged();
}

void CheckoutPart::resetAccount() { applyAccount(Me{}); }

void CheckoutPart::stopWatching()
{
    if (m_poller) m_poller->cancel();
    m_poller.reset();
    m_watchGeneration = QUuid::createUuid();
}

QString CheckoutPart::transactionId() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.id; });
}
QString CheckoutPart::status() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.status; });
}
QString CheckoutPart::statusLabel() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.statusLabel(); });
}
QString CheckoutPart::tender() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.tender; });
}
QString CheckoutPart::quoteNumber() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.quoteNumber; });
}
qint64 CheckoutPart::amountCents() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.amountCents; });
}
qint64 CheckoutPart::cashCents() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.cashCents; });
}
QString CheckoutPart::amountText() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) {
        return moneyText(Decimal::fromCents(t.amountCents));
    });
}
bool CheckoutPart::hold() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.hold; });
}
QString CheckoutPart::invoiceNumber() const
{
    return fromTransaction(m_transaction,
                           [](const CheckoutTransaction &t) { return t.invoiceNumber.value_or(QString()); });
}
QString CheckoutPart::receiptLink() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) {
        const std::optional<QUrl> link = t.receiptLink();
        return link ? link->toString() : QString();
    });
}
QString CheckoutPart::transactionError() const
{
    return fromTransaction(m_transaction, [](const CheckoutTransaction &t) { return t.error; });
}

QCoro::QmlTask CheckoutPart::start(const QString &tender, const QString &cash)
{
    return startCheckout(tender, cash);
}

void CheckoutPart::resumeShown()
{
    if (m_transaction) launch(resume(*m_transaction));
}

void CheckoutPart::resumePending() { launch(resumeCheckout()); }

void CheckoutPart::cancel()
{
    if (m_transaction) launch(cancelCheckout(*m_transaction));
}

void CheckoutPart::changeHold(bool hold) { launch(setHold(hold)); }
void CheckoutPart::refreshSettings() { launch(refreshPaymentSettings()); }
void CheckoutPart::askForReceipt() { launch(requestReceipt()); }
void CheckoutPart::printInvoice() { launch(printInvoicePDF()); }

} // namespace vantrel
