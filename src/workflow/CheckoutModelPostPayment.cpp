// What the workspace offers once a checkout exists: the pickup hold, terminal
// receipts, printing the quote and invoice PDFs, and the next sale.
#include "CheckoutModel.h"

#include "platform/print/PrintService.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"

namespace vantrel {

namespace {

// Busy operations are named before they are awaited: g++ 12 destroys a
// lambda temporary inside a co_await expression twice, which over-releases
// the strings it captured.
using BusyOperation = std::function<QCoro::Task<>()>;

const char *const demoReceipt = "Demo receipt request completed. No physical receipt was printed.";
const char *const terminalReceipt = "Receipt requested on Square Terminal.";
const char *const notPrintable = "Zoho did not return a printable PDF.";
const char *const noPrintDialog = "Unable to present the print dialog.";
const char *const finishPendingFirst = "Resume the pending operation before starting a new sale.";
const char *const paidInvoiceJobName = "Paid invoice";

QCoro::Task<> holdOnServer(CheckoutModel *model, QString id, bool hold)
{
    QPointer<CheckoutModel> self(model);
    const QUuid generation = model->workspaceGeneration();
    std::optional<CheckoutTransaction> reply = co_await CheckoutAPI::holdCheckout(model->api(), id, hold);
    if (!self || model->workspaceGeneration() != generation) throw CancelledError();
    // The reply belongs to the transaction it was asked for; one shown since
    // then keeps its own state.
    if (!model->transaction() || model->transaction()->id != id) co_return;
    model->setTransaction(std::move(reply));
}

QCoro::Task<> receiptOnServer(CheckoutModel *model, QString id)
{
    QPointer<CheckoutModel> self(model);
    const QUuid generation = model->workspaceGeneration();
    co_await CheckoutAPI::requestReceipt(model->api(), id);
    if (!self || model->workspaceGeneration() != generation) throw CancelledError();
    const bool demo = model->session() && model->session()->demo;
    model->setNotice(QString::fromUtf8(demo ? demoReceipt : terminalReceipt));
}

} // namespace

QCoro::Task<> CheckoutModel::setHold(bool hold)
{
    if (!m_transaction) co_return;
    const QString id = m_transaction->id;
    BusyOperation operation = [this, id, hold] { return holdOnServer(this, id, hold); };
    co_await performBusy(std::move(operation));
}

QCoro::Task<> CheckoutModel::requestReceipt()
{
    if (!m_transaction) co_return;
    const QString id = m_transaction->id;
    BusyOperation operation = [this, id] { return receiptOnServer(this, id); };
    co_await performBusy(std::move(operation));
}

QCoro::Task<> CheckoutModel::printQuotePDF()
{
    if (!m_draft.saved) co_return;
    const QString path = QStringLiteral("/api/quotes/") + pathIdentifier(m_draft.saved->id) + QStringLiteral("/pdf");
    const QString jobName = m_draft.saved->number;
    BusyOperation operation = [this, path, jobName] { return printDocument(path, jobName); };
    co_await performBusy(std::move(operation));
}

QCoro::Task<> CheckoutModel::printInvoicePDF()
{
    if (!m_transaction) co_return;
    const QString path =
        QStringLiteral("/api/checkouts/") + pathIdentifier(m_transaction->id) + QStringLiteral("/pdf");
    const QString jobName = m_transaction->invoiceNumber.value_or(QString::fromUtf8(paidInvoiceJobName));
    BusyOperation operation = [this, path, jobName] { return printDocument(path, jobName); };
    co_await performBusy(std::move(operation));
}

QCoro::Task<> CheckoutModel::printDocument(QString path, QString jobName)
{
    QPointer<CheckoutModel> self(this);
    const QUuid generation = m_workspaceGeneration;
    const QByteArray document = co_await m_api->request(QStringLiteral("GET"), path, std::nullopt);
    if (!self || m_workspaceGeneration != generation) throw CancelledError();
    PrintService *printer = m_services.printer;
    if (!printer) throw APIError{QString::fromUtf8(noPrintDialog)};
    if (!printer->canPrint(document)) throw APIError{QString::fromUtf8(notPrintable)};
    if (!printer->present(document, jobName)) throw APIError{QString::fromUtf8(noPrintDialog)};
}

void CheckoutModel::startNextSale()
{
    const bool pending = m_draft.pendingCheckout || m_draft.pendingSave || m_draft.pendingCustomer;
    const bool live = m_transaction && m_transaction->status != QLatin1String(status::complete) &&
                      m_transaction->status != QLatin1String(status::canceled);
    if (pending || live) {
        setError(QString::fromUtf8(finishPendingFirst));
        return;
    }
    resetWorkspace();
}

} // namespace vantrel
