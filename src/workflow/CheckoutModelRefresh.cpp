// Account settings, taxes, the checkout list and the catalog with its loop.
#include "CheckoutModel.h"

#include "CatalogDecoding.h"
#include "QuoteValidation.h"

#include "server/APIClient.h"
#include "server/Endpoints.h"

#include <QElapsedTimer>

#include <cmath>

namespace vantrel {

namespace {

const QString squareRegister = QStringLiteral("square_register");

// Ends an operation whose model went away or whose workspace was replaced
// while it waited; the caller never shows a cancellation.
void ensureCurrent(const QPointer<CheckoutModel> &model, const QUuid &generation)
{
    if (!model || model->workspaceGeneration() != generation) throw CancelledError();
}

// The catalog's time stamp; a value no clock can show fails the reply rather
// than wrapping around into a wrong date.
QDateTime catalogMoment(double at)
{
    const double ms = std::round(at * 1000.0);
    constexpr double limit = 8.0e15; // well inside QDateTime's range
    if (!std::isfinite(ms) || std::fabs(ms) > limit)
        throw DecodingError(QStringLiteral("The catalog's time stamp is out of range."));
    return QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC);
}

} // namespace

QCoro::Task<> CheckoutModel::refreshAccount()
{
    std::function<QCoro::Task<>()> load = [this] { return loadAccount(); };
    co_await performBusy(std::move(load));
}

QCoro::Task<> CheckoutModel::loadAccount()
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;

    const Me me = co_await CheckoutAPI::me(*m_api);
    ensureCurrent(self, generation);
    setPaymentsEnabled(me.paymentsEnabled);
    setPaymentRoute(me.paymentRoute.value_or(QStringLiteral("square_terminal")));
    setAccountingMode(me.accountingMode.value_or(QStringLiteral("individual_zoho")));
    setPaymentsSetupMessage(me.paymentsSetupMessage.value_or(QString()));

    co_await loadTransactions();
    ensureCurrent(self, generation);

    // Re-attach to the checkout the draft was waiting for, as the draft is now.
    if (m_draft.pendingCheckout) {
        const QString requestId = m_draft.pendingCheckout->requestId;
        const auto listed = std::find_if(m_transactions.cbegin(), m_transactions.cend(),
                                         [&](const CheckoutTransaction &t) { return t.id == requestId; });
        if (listed != m_transactions.cend()) {
            watch(*listed);
        } else {
            co_await recoverCheckoutRequest();
            ensureCurrent(self, generation);
        }
    } else if (!m_draft.pendingSave && !m_draft.pendingCustomer && m_draft.saved) {
        const QString quoteId = m_draft.saved->id;
        const auto live = std::find_if(m_transactions.cbegin(), m_transactions.cend(),
                                       [&](const CheckoutTransaction &t) {
                                           return t.quoteId == quoteId && t.status != QLatin1String("canceled");
                                       });
        if (live != m_transactions.cend()) watch(*live);
    }

    TaxesResponse taxes = co_await CheckoutAPI::taxes(*m_api);
    ensureCurrent(self, generation);
    setTaxes(std::move(taxes.taxes));
}

QCoro::Task<> CheckoutModel::loadTransactions()
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    TransactionsResponse reply = co_await CheckoutAPI::checkouts(*m_api);
    ensureCurrent(self, generation);
    setTransactions(std::move(reply.checkouts));
}

QCoro::Task<> CheckoutModel::refreshTransactions()
{
    std::function<QCoro::Task<>()> load = [this] { return loadTransactions(); };
    co_await performBusy(std::move(load));
}

QCoro::Task<> CheckoutModel::refreshCatalog()
{
    if (m_catalogBusy) co_return;
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    setCatalogBusy(true);

    // Only the transfer runs here; decoding a large catalog would hold up the
    // screens, so it happens on a worker and the result comes back whole.
    std::optional<Catalog> catalog;
    std::optional<QDateTime> at;
    std::exception_ptr failure;
    try {
        QByteArray bytes = co_await m_api->request(QStringLiteral("GET"), QStringLiteral("/api/catalog"),
                                                   std::nullopt);
        ensureCurrent(self, generation);
        catalog = co_await decodeCatalogInBackground(std::move(bytes));
        at = catalogMoment(catalog->at);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self) co_return;
    // A catalog that arrives after sign-out, reset or reopen belongs to a
    // workspace that no longer exists and is not shown.
    if (m_workspaceGeneration != generation) co_return;
    if (!failure) {
        QList<Product> previous = m_products;
        setProducts(std::move(catalog->products));
        releaseInBackground(std::move(previous));
        setCatalogAt(at);
    } else if (!isCancellation(failure)) {
        setNotice(QString::fromUtf8(messages::catalogNotRefreshed));
    }
    setCatalogBusy(false);
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
    while (!handle.isCancelled() && model) {
        const qint64 interval = model->m_services.catalogInterval.count();
        // Timers may fire a little early; the period is whole elapsed time on
        // the monotonic clock, so sleep again for whatever is left.
        QElapsedTimer clock;
        clock.start();
        for (qint64 left = interval; left > 0 && !handle.isCancelled(); left = interval - clock.elapsed())
            co_await TaskHandle::sleep(handle, std::chrono::milliseconds(left));
        if (handle.isCancelled() || !model || !model->m_session ||
            model->m_workspaceGeneration != generation)
            co_return;
        co_await model->refreshCatalog();
    }
}

bool CheckoutModel::usesDailySquareImport() const
{
    return m_paymentRoute == squareRegister &&
           m_accountingMode == QLatin1String("native_square_summary");
}

QString CheckoutModel::paymentsSetupNotice() const
{
    const QString message = m_paymentsSetupMessage.trimmed();
    if (!message.isEmpty()) return message;
    if (m_paymentRoute == squareRegister)
        return QStringLiteral("Square Register setup needs to be completed before preparing invoices.");
    return QStringLiteral("Payment setup is required on the server.");
}

} // namespace vantrel
