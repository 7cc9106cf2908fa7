#include "CheckoutRules.h"

#include "records/Money.h"
#include "records/TypedAmount.h"
#include "records/TypedNumber.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantrel::screens {
namespace ct = checkoutText;

namespace {

bool filled(const std::optional<QString> &text) { return text && !text->isEmpty(); }

bool onRegister(const CheckoutTransaction &tx)
{
    return tx.paymentRoute && isRegisterRoute(*tx.paymentRoute);
}

bool is(const QString &value, const char *code) { return value == QLatin1String(code); }

QString doneSymbol(bool done)
{
    return done ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle");
}

} // namespace

// ---- Checkout sheet ---------------------------------------------------------

bool isRegisterRoute(const QString &paymentRoute) { return is(paymentRoute, route::squareRegister); }

qint64 amountDueCents(const Draft &draft) { return draft.saved ? cents(draft.saved->total) : 0; }

qint64 changeDueCents(const QString &cashText, qint64 amountDue, const QLocale &locale)
{
    const qint64 cash = typedCents(readTypedAmount(cashText, cashReceivedLabel(), locale));
    // Subtracting in 128 bits keeps absurd typed amounts from wrapping around.
    const Int128 change = Int128(cash) - Int128(amountDue);
    return change > 0 ? qint64(std::min<Int128>(change, std::numeric_limits<qint64>::max())) : 0;
}

QString checkoutSheetTitle(const QString &paymentRoute)
{
    return isRegisterRoute(paymentRoute) ? ct::prepareForRegister.toString() : ct::collectPayment.toString();
}

QString checkoutHeading(const Draft &draft)
{
    return draft.saved ? draft.saved->number : ct::checkoutHeading.toString();
}

QString checkoutTender(const QString &paymentRoute, const QString &chosenTender)
{
    if (isRegisterRoute(paymentRoute)) return QStringLiteral("register");
    return chosenTender == QLatin1String("cash") ? QStringLiteral("cash") : QStringLiteral("card");
}

QString cashProblem(const QString &cashText, const QLocale &locale)
{
    return readTypedAmount(cashText, cashReceivedLabel(), locale).problem;
}

FrozenChoices frozenChoices(const CheckoutRequest &pending)
{
    FrozenChoices frozen{pending.tender, QString(), pending.hold};
    // As it would have been typed: whole dollars and two digits of cents,
    // with the locale's decimal mark.
    if (is(pending.tender, "cash") && pending.cashCents >= 0)
        frozen.cash = editableNumber(QStringLiteral("%1.%2")
                                         .arg(pending.cashCents / 100)
                                         .arg(pending.cashCents % 100, 2, 10, QLatin1Char('0')));
    return frozen;
}

MainButton checkoutMainButton(const SheetChoices &state)
{
    MainButton button;
    if (state.pending) {
        // One path for a stored request, the editor's: check what became of
        // it. Sending it again under another tender is how a sale gets paid
        // twice or recorded as the wrong payment.
        button.title = editorText::checkSavedRequest.toString();
        button.progress = state.busy;
        button.enabled = !state.busy;
        button.checksPending = true;
        return button;
    }
    const QString tender = checkoutTender(state.paymentRoute, state.tender);
    button.title = tender == QLatin1String("register") ? ct::prepareRegisterInvoice.toString()
                   : tender == QLatin1String("cash")   ? ct::recordCashPayment.toString()
                                                       : ct::sendToTerminal.toString();
    button.progress = state.busy;
    button.enabled = !state.busy;
    if (tender == QLatin1String("cash")) {
        const TypedAmount typed = readTypedAmount(state.cash, cashReceivedLabel(), state.locale);
        const bool covers = typed.amount && typedCents(typed) >= state.amountDue;
        button.enabled = button.enabled && state.cashConfirmed && covers;
    }
    return button;
}

HoldArea holdArea(bool usesDailySquareImport, bool holding)
{
    if (usesDailySquareImport) return {false, ct::dailyImportSheetCaption.toString()};
    return {true, holding ? ct::holdingCaption.toString() : ct::notHoldingCaption.toString()};
}

// ---- Payment status view ----------------------------------------------------

bool paymentTaken(const QString &code)
{
    return is(code, status::complete) || is(code, status::syncingZoho) || is(code, status::paidSyncPending);
}

StatusIcon statusIcon(const CheckoutTransaction &tx)
{
    if (is(tx.status, status::complete)) return {QStringLiteral("checkmark"), Tone::Green};
    if (!tx.error.isEmpty())
        return {QStringLiteral("exclamationmark.arrow.triangle.2.circlepath"), Tone::Orange};
    if (is(tx.status, status::awaitingRegisterPayment)) return {QStringLiteral("creditcard"), Tone::Plain};
    // A canceled checkout is over: no spinner as if something were still running.
    if (is(tx.status, status::canceled)) return {QStringLiteral("xmark.circle"), Tone::Plain};
    return {};
}

QString tenderLine(const CheckoutTransaction &tx)
{
    // A register tender without a route is still a register invoice, not cash.
    if (onRegister(tx) || is(tx.tender, "register")) return ct::squareRegister.toString();
    if (is(tx.tender, "card")) return ct::squareTerminal.toString();
    return ct::cashPayment.toString();
}

bool showsRegisterInstructions(const CheckoutTransaction &tx)
{
    return onRegister(tx) && !paymentTaken(tx.status);
}

Checklist accountingChecklist(const CheckoutTransaction &tx)
{
    Checklist list;
    const bool taken = paymentTaken(tx.status);
    list.rows.append(
        {onRegister(tx) ? ct::squarePaymentConfirmed.toString() : ct::paymentConfirmed.toString(),
         doneSymbol(taken), taken});
    const bool complete = is(tx.status, status::complete);
    if (tx.isNativeSquareRegister()) {
        list.rows.append({ct::dailyImportRow.toString(), QStringLiteral("calendar"), false});
        if (complete) list.caption = ct::awaitingDailyImport.toString();
    } else {
        const bool ordered = filled(tx.salesorderId);
        list.rows.append({ct::quoteAccepted.toString(), doneSymbol(ordered), ordered});
        list.rows.append({ct::invoicePaid.toString(), doneSymbol(complete), complete});
    }
    return list;
}

bool showsDealSyncRow(const CheckoutTransaction &tx)
{
    return tx.dealSyncStatus && *tx.dealSyncStatus == QLatin1String("pending");
}

QString nextStepText(const CheckoutTransaction &tx)
{
    if (is(tx.status, status::canceled)) return ct::nextStepCanceled.toString();
    if (paymentTaken(tx.status))
        return tx.isNativeSquareRegister() ? ct::nextStepDailyImport.toString()
                                           : ct::nextStepPaymentSaved.toString();
    return onRegister(tx) ? ct::nextStepRegister.toString() : ct::nextStepReopen.toString();
}

QString resumeTitle(const CheckoutTransaction &tx)
{
    if (is(tx.status, status::canceled)) return {};
    return onRegister(tx) && !paymentTaken(tx.status) ? ct::checkPayment.toString()
                                                      : ct::refreshAndResume.toString();
}

bool showsCancel(const CheckoutTransaction &tx)
{
    // Once money has moved (or the checkout is already over) cancelling here
    // would only contradict the payment: staff resume instead.
    return !paymentTaken(tx.status) && !is(tx.status, status::canceled) && !filled(tx.zohoPaymentId);
}

DraftActions draftActions(const Draft &draft, const CheckoutTransaction &tx)
{
    DraftActions actions;
    actions.backToDraft = !checkoutBelongsToDraft(draft, tx);
    actions.checkSavedRequest = draft.pendingCheckout && draft.pendingCheckout->requestId != tx.id;
    return actions;
}

QString cancelTitle(const CheckoutTransaction &tx)
{
    return onRegister(tx) ? ct::cancelUnpaidInvoice.toString() : ct::cancelTerminalRequest.toString();
}

Confirmation cancelConfirmation(const CheckoutTransaction &tx)
{
    const bool reg = onRegister(tx);
    return {reg ? ct::cancelInvoiceTitle.toString() : ct::cancelTerminalTitle.toString(),
            ct::cancelMessage.toString(),
            reg ? ct::cancelUnpaidInvoice.toString() : ct::cancelRequest.toString(),
            ct::keepCheckout.toString()};
}

std::optional<DetailRow> invoiceDetail(const CheckoutTransaction &tx)
{
    if (onRegister(tx)) {
        if (!filled(tx.squareInvoiceNumber)) return std::nullopt;
        return DetailRow{ct::squareInvoice.toString(), *tx.squareInvoiceNumber};
    }
    if (!filled(tx.invoiceNumber)) return std::nullopt;
    return DetailRow{editorText::paidInvoice.toString(), *tx.invoiceNumber};
}

bool showsPickup(const CheckoutTransaction &tx)
{
    return !(tx.isNativeSquareRegister() && !filled(tx.salesorderId));
}

QString pickupText(const CheckoutTransaction &tx)
{
    if (tx.fulfillment == QLatin1String("fulfilled")) return ct::fulfilled.toString();
    if (tx.hold) return ct::onHold.toString();
    if (tx.fulfillment == QLatin1String("needs_attention")) return ct::needsAttention.toString();
    return ct::scheduledEndOfDay.toString();
}

bool showsHoldButton(const CheckoutTransaction &tx)
{
    return showsPickup(tx) && tx.fulfillment != QLatin1String("fulfilled");
}

QString holdButtonTitle(const CheckoutTransaction &tx)
{
    return tx.hold ? ct::releaseHold.toString() : ct::holdFulfillment.toString();
}

std::optional<qint64> changeGivenCents(const CheckoutTransaction &tx)
{
    if (!is(tx.tender, "cash") || onRegister(tx)) return std::nullopt;
    const Int128 change = Int128(tx.cashCents) - Int128(tx.amountCents);
    return change > 0 ? qint64(std::min<Int128>(change, std::numeric_limits<qint64>::max())) : 0;
}

QList<CompletedAction> completedActions(const CheckoutTransaction &tx)
{
    QList<CompletedAction> actions;
    if (onRegister(tx)) {
        actions.append({CompletedItem::PrintOnRegisterNote,
                        ct::printOnRegister.toString(),
                        QStringLiteral("printer"),
                        {}});
        // Only a vetted address is ever handed to the browser.
        if (const std::optional<QUrl> link = tx.receiptLink())
            actions.append({CompletedItem::SquareReceiptLink, ct::viewSquareReceipt.toString(),
                            QStringLiteral("receipt"), link});
    } else {
        actions.append({CompletedItem::TerminalReceiptButton,
                        ct::printTerminalReceipt.toString(),
                        QStringLiteral("printer.fill"),
                        {}});
    }
    if (!tx.isNativeSquareRegister()) {
        actions.append({CompletedItem::PrintPaidInvoiceNote, ct::printPaidInvoice.toString(), {}, {}});
        actions.append({CompletedItem::InvoicePdfButton,
                        editorText::viewInvoice.toString(),
                        QStringLiteral("doc.richtext"),
                        {}});
        actions.append(
            {CompletedItem::PrintInvoiceButton, ct::printInvoice.toString(), QStringLiteral("printer"), {}});
    }
    actions.append(
        {CompletedItem::StartNextSaleButton, ct::startNextSale.toString(), QStringLiteral("plus"), {}});
    return actions;
}

QString transactionIdText(const CheckoutTransaction &tx) { return ct::transactionPrefix.toString() + tx.id; }

} // namespace vantrel::screens
