// The screens' entry points: each starts one operation and returns at once.
#include "CheckoutModel.h"

#include <QJsonDocument>

namespace vantrel {

namespace {

// Records arrive from QML as the JSON objects the model published.
template <class T>
std::optional<T> fromQml(const QJsonObject &object, CheckoutModel &model)
{
    QString problem;
    std::optional<T> record =
        tryDecode<T>(QJsonDocument(object).toJson(QJsonDocument::Compact), KeyStyle::Storage, &problem);
    if (!record) model.setError(problem);
    return record;
}

QCoro::Task<> discardResult(QCoro::Task<bool> task)
{
    co_await std::move(task);
}

QCoro::Task<> busyLoadQuotesAndDeals(CheckoutModel *model, Customer customer)
{
    std::function<QCoro::Task<>()> load = [model, customer] { return model->loadQuotesAndDeals(customer); };
    co_await model->performBusy(load);
}

QCoro::Task<> busyRecoverCustomer(CheckoutModel *model, NewCustomerRequest pending)
{
    std::function<QCoro::Task<>()> recover = [model, pending] {
        return discardResult(model->recoverCustomerRequest(pending));
    };
    co_await model->performBusy(recover);
}

} // namespace

void CheckoutModel::runStart() { launch(start()); }
void CheckoutModel::runRefreshAll() { launch(refreshAll()); }
void CheckoutModel::runSignIn() { launch(signIn()); }

void CheckoutModel::runSetDraft(const QJsonObject &draft)
{
    if (auto record = fromQml<Draft>(draft, *this)) setDraft(std::move(*record));
}

void CheckoutModel::runRefreshAccount() { launch(refreshAccount()); }
void CheckoutModel::runRefreshTransactions() { launch(refreshTransactions()); }
void CheckoutModel::runRefreshCatalog() { launch(refreshCatalog()); }

void CheckoutModel::runSelectCustomer(const QJsonObject &customer)
{
    if (auto record = fromQml<Customer>(customer, *this)) launch(selectCustomer(std::move(*record)));
}

void CheckoutModel::runLoadQuotesAndDeals(const QJsonObject &customer)
{
    auto record = fromQml<Customer>(customer, *this);
    if (!record) return;
    launch(busyLoadQuotesAndDeals(this, std::move(*record)));
}

void CheckoutModel::runCreateCustomer(const QJsonObject &form)
{
    auto record = fromQml<NewCustomerRequest>(form, *this);
    if (!record) return;
    launch(discardResult(createCustomer(std::move(*record))));
}

void CheckoutModel::runRecoverCustomerRequest()
{
    if (!m_draft.pendingCustomer) return;
    launch(busyRecoverCustomer(this, *m_draft.pendingCustomer));
}

void CheckoutModel::runOpenQuote(const QString &id, const QJsonObject &customer)
{
    auto record = fromQml<Customer>(customer, *this);
    if (!record) return;
    launch(discardResult(openQuote(id, std::move(*record))));
}

void CheckoutModel::runAddProduct(const QJsonObject &product)
{
    if (auto record = fromQml<Product>(product, *this)) addProduct(*record);
}

void CheckoutModel::runSaveQuote() { launch(saveQuote()); }

void CheckoutModel::runSelectDeal(const QVariant &deal)
{
    std::optional<Deal> chosen;
    if (deal.isValid() && !deal.isNull()) {
        chosen = fromQml<Deal>(QJsonObject::fromVariantMap(deal.toMap()), *this);
        if (!chosen) return;
    }
    launch(selectDeal(std::move(chosen)));
}

void CheckoutModel::runRefreshDeal(const QString &id) { launch(refreshDeal(id)); }
void CheckoutModel::runStartCheckout(const QString &tender, const QString &cash)
{
    launch(startCheckout(tender, cash));
}
void CheckoutModel::runResumeCheckout() { launch(resumeCheckout()); }

void CheckoutModel::runCancelCheckout(const QJsonObject &transaction)
{
    if (auto record = fromQml<CheckoutTransaction>(transaction, *this))
        launch(cancelCheckout(std::move(*record)));
}

void CheckoutModel::runSetHold(bool hold) { launch(setHold(hold)); }
void CheckoutModel::runRequestReceipt() { launch(requestReceipt()); }
void CheckoutModel::runPrintQuotePDF() { launch(printQuotePDF()); }
void CheckoutModel::runPrintInvoicePDF() { launch(printInvoicePDF()); }

} // namespace vantrel
