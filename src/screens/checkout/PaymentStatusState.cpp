#include "PaymentStatusState.h"

#include "workflow/WorkspaceParts.h"

#include <QDesktopServices>

namespace vantrel {

using namespace screens;

namespace {

QString kindName(CompletedItem item)
{
    switch (item) {
    case CompletedItem::PrintOnRegisterNote: return QStringLiteral("registerNote");
    case CompletedItem::SquareReceiptLink: return QStringLiteral("receiptLink");
    case CompletedItem::TerminalReceiptButton: return QStringLiteral("terminalReceipt");
    case CompletedItem::PrintPaidInvoiceNote: return QStringLiteral("printNote");
    case CompletedItem::InvoicePdfButton: return QStringLiteral("invoicePdf");
    case CompletedItem::PrintInvoiceButton: return QStringLiteral("printInvoice");
    case CompletedItem::StartNextSaleButton: return QStringLiteral("nextSale");
    }
    return {};
}

} // namespace

QString toneName(Tone tone)
{
    switch (tone) {
    case Tone::Green: return QStringLiteral("green");
    case Tone::Orange: return QStringLiteral("orange");
    case Tone::Plain: break;
    }
    return {};
}

PaymentStatusState::PaymentStatusState(QObject *parent)
    : WorkspaceFace(parent), m_checklist(new RowsModel({"text", "symbol", "done"}, this)),
      m_details(new RowsModel({"label", "value"}, this))
{}

QList<QMetaObject::Connection> PaymentStatusState::connectTo(CheckoutModel *workspace)
{
    const auto again = [this] { recompute(); };
    return {connect(workspace->checkoutPart(), &CheckoutPart::transactionChanged, this, again),
            connect(workspace, &CheckoutModel::draftChanged, this, again)};
}

void PaymentStatusState::switched() { recompute(); }

void PaymentStatusState::recompute()
{
    View next = compute();
    if (next == m_view) return;
    m_view = std::move(next);
    m_checklist->setRows(m_view.checklist);
    m_details->setRows(m_view.details);
    emit changed();
}

PaymentStatusState::View PaymentStatusState::compute() const
{
    View view;
    if (!workspace() || !workspace()->checkoutPart()->transaction()) return view;
    const CheckoutTransaction &tx = *workspace()->checkoutPart()->transaction();
    view.shown = true;
    view.complete = tx.status == QLatin1String(status::complete);

    const StatusIcon icon = statusIcon(tx);
    view.iconSymbol = icon.symbol;
    view.iconTone = toneName(icon.tone);
    view.statusLabel = tx.statusLabel();
    view.amountText = moneyText(Decimal::fromCents(tx.amountCents));
    view.tenderLine = screens::tenderLine(tx);
    view.instructionsShown = showsRegisterInstructions(tx);
    view.squareInvoiceNumber = tx.squareInvoiceNumber.value_or(QString());

    const Checklist list = accountingChecklist(tx);
    for (const ChecklistRow &row : list.rows)
        view.checklist.append(QVariantMap{{QStringLiteral("text"), row.text},
                                          {QStringLiteral("symbol"), row.symbol},
                                          {QStringLiteral("done"), row.done}});
    view.checklistCaption = list.caption;
    view.dealSyncShown = showsDealSyncRow(tx);

    if (!view.complete) {
        view.nextStepText = screens::nextStepText(tx);
        view.errorText = tx.error;
        view.resumeTitle = screens::resumeTitle(tx);
        view.cancelShown = showsCancel(tx);
        view.cancelTitle = screens::cancelTitle(tx);
        view.cancelConfirmation = screens::cancelConfirmation(tx);
    }

    if (const std::optional<DetailRow> invoice = invoiceDetail(tx))
        view.details.append(QVariantMap{{QStringLiteral("label"), invoice->label},
                                        {QStringLiteral("value"), invoice->value}});
    view.pickupShown = showsPickup(tx);
    if (view.pickupShown) {
        view.pickupText = screens::pickupText(tx);
        view.holdButtonShown = showsHoldButton(tx);
        view.holdButtonTitle = screens::holdButtonTitle(tx);
        view.fulfillmentError = tx.fulfillmentError.value_or(QString());
    }
    if (const std::optional<qint64> change = changeGivenCents(tx))
        view.changeGivenText = moneyText(Decimal::fromCents(*change));

    if (view.complete) {
        for (const CompletedAction &action : screens::completedActions(tx))
            view.completedActions.insert(kindName(action.item), action.text);
    }
    view.transactionIdText = screens::transactionIdText(tx);

    const DraftActions back = draftActions(workspace()->draft(), tx);
    view.backToDraftShown = back.backToDraft;
    view.checkSavedRequestShown = back.checkSavedRequest;
    if (back.backToDraft) view.followedCaption = checkoutText::followedCaption.toString();
    return view;
}

QString PaymentStatusState::completedActionText(const QString &kind) const
{
    return m_view.completedActions.value(kind);
}

void PaymentStatusState::toggleHold()
{
    if (!workspace() || !workspace()->checkoutPart()->transaction()) return;
    workspace()->checkoutPart()->changeHold(!workspace()->checkoutPart()->transaction()->hold);
}

bool PaymentStatusState::openReceipt() const
{
    if (!workspace() || !workspace()->checkoutPart()->transaction()) return false;
    const std::optional<QUrl> link = workspace()->checkoutPart()->transaction()->receiptLink();
    return link && QDesktopServices::openUrl(*link);
}

} // namespace vantrel
