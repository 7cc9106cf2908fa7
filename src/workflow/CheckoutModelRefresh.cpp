// PLACEHOLDER: minimal account and catalog loading so that start-up and
// sign-in run end to end. The refresh work replaces this whole file.
#include "CheckoutModel.h"

#include "server/APIClient.h"

#include <QCoroTimer>

namespace vantrel {

QCoro::Task<> CheckoutModel::refreshAccount()
{
    co_await performBusy([this] { return loadAccount(); });
}

QCoro::Task<> CheckoutModel::loadAccount()
{
    QPointer<CheckoutModel> self(this);
    const Me me = co_await m_api->get<Me>(QStringLiteral("/api/me"));
    if (!self) co_return;
    setPaymentsEnabled(me.paymentsEnabled);
    setPaymentRoute(me.paymentRoute.value_or(QStringLiteral("square_terminal")));
    setAccountingMode(me.accountingMode.value_or(QStringLiteral("individual_zoho")));
    setPaymentsSetupMessage(me.paymentsSetupMessage.value_or(QString()));
    co_await loadTransactions();
}

QCoro::Task<> CheckoutModel::loadTransactions()
{
    QPointer<CheckoutModel> self(this);
    TransactionsResponse reply = co_await m_api->get<TransactionsResponse>(QStringLiteral("/api/checkouts"));
    if (!self) co_return;
    setTransactions(std::move(reply.checkouts));
}

QCoro::Task<> CheckoutModel::refreshTransactions()
{
    co_await performBusy([this] { return loadTransactions(); });
}

QCoro::Task<> CheckoutModel::refreshCatalog()
{
    if (m_catalogBusy) co_return;
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    setCatalogBusy(true);
    try {
        Catalog catalog = co_await m_api->get<Catalog>(QStringLiteral("/api/catalog"));
        if (!self) co_return;
        setProducts(std::move(catalog.products));
        setCatalogAt(QDateTime::fromMSecsSinceEpoch(qint64(catalog.at * 1000), Qt::UTC));
    } catch (...) {
        if (!self) co_return;
        if (m_workspaceGeneration == generation && !isCancellation(std::current_exception()))
            setNotice(QStringLiteral("Catalog could not refresh. Quantities shown may be out of date."));
    }
    if (self && m_workspaceGeneration == generation) setCatalogBusy(false);
}

void CheckoutModel::startCatalogTimer()
{
    if (m_catalogTimer) m_catalogTimer->cancel();
    TaskHandle handle = TaskHandle::make();
    m_catalogTimer = handle;
    launch(catalogLoop(QPointer<CheckoutModel>(this), handle, m_workspaceGeneration));
}

QCoro::Task<> CheckoutModel::catalogLoop(QPointer<CheckoutModel> model, TaskHandle handle, QUuid generation)
{
    while (!handle.isCancelled()) {
        if (!model) co_return;
        const auto interval = model->m_services.catalogInterval;
        co_await QCoro::sleepFor(interval);
        if (handle.isCancelled() || !model || !model->m_session ||
            model->m_workspaceGeneration != generation)
            co_return;
        co_await model->refreshCatalog();
    }
}

bool CheckoutModel::usesDailySquareImport() const
{
    return m_paymentRoute == QLatin1String("square_register") &&
           m_accountingMode == QLatin1String("native_square_summary");
}

QString CheckoutModel::paymentsSetupNotice() const
{
    const QString message = m_paymentsSetupMessage.trimmed();
    if (!message.isEmpty()) return message;
    if (m_paymentRoute == QLatin1String("square_register"))
        return QStringLiteral("Square Register setup needs to be completed before preparing invoices.");
    return QStringLiteral("Payment setup is required on the server.");
}

} // namespace vantrel
