#include "DisplayRules.h"

#include "screens/checkout/CheckoutRules.h"

namespace vantrel::screens {

DisplayPayment displayPayment(const Draft &draft, const std::optional<CheckoutTransaction> &transaction,
                              const std::optional<SheetPick> &sheet, const QString &paymentRoute)
{
    DisplayPayment payment;
    if (transaction && transaction->status != QLatin1String("canceled")) {
        payment.stage = transaction->status == QLatin1String("complete") ? DisplayStage::Complete
                                                                         : DisplayStage::Checkout;
        payment.amountCents = transaction->amountCents;
        payment.tender = isRegisterRoute(transaction->paymentRoute.value_or(QString()))
                             ? QStringLiteral("register")
                             : transaction->tender;
        if (payment.tender == QLatin1String("cash")) payment.cashCents = transaction->cashCents;
        return payment;
    }
    if (draft.pendingCheckout) {
        payment.stage = DisplayStage::Checkout;
        payment.amountCents = draft.pendingCheckout->expectedCents;
        payment.tender = draft.pendingCheckout->tender;
        if (payment.tender == QLatin1String("cash")) payment.cashCents = draft.pendingCheckout->cashCents;
        return payment;
    }
    if (sheet && draft.saved) {
        payment.stage = DisplayStage::Checkout;
        payment.amountCents = amountDueCents(draft);
        payment.tender = checkoutTender(paymentRoute, sheet->tender);
        // Nothing typed yet is no cash received, not "$0.00" received.
        if (payment.tender == QLatin1String("cash") && !sheet->cash.trimmed().isEmpty())
            payment.cashCents = qMax<qint64>(0, cents(sheet->cash));
        return payment;
    }
    payment.stage = draft.lines.isEmpty() ? DisplayStage::Idle : DisplayStage::Building;
    return payment;
}

QString tenderText(const QString &tender)
{
    if (tender == QLatin1String("register")) return displayText::payingAtRegister.toString();
    if (tender == QLatin1String("cash")) return displayText::payingCash.toString();
    return displayText::payingByCard.toString();
}

QString instructionText(const QString &tender)
{
    if (tender == QLatin1String("register")) return displayText::payAtRegister.toString();
    if (tender == QLatin1String("cash")) return {};
    return displayText::tapCard.toString();
}

std::optional<qint64> changeCents(const DisplayPayment &payment)
{
    if (!payment.cashCents) return std::nullopt;
    return qMax<qint64>(0, *payment.cashCents - payment.amountCents);
}

Placement placeDisplay(bool on, const QStringList &screens, const QString &primary, const QString &chosen)
{
    Placement placement;
    if (!on || screens.isEmpty()) return placement;
    if (!chosen.isEmpty() && !screens.contains(chosen)) return placement;
    placement.shown = true;
    // Full screen on the associate's own screen would cover the till: a window they can place instead.
    if (screens.size() == 1 || (!chosen.isEmpty() && chosen == primary)) return placement;
    placement.fullScreen = true;
    placement.screen = chosen;
    if (placement.screen.isEmpty())
        for (const QString &name : screens)
            if (name != primary) {
                placement.screen = name;
                break;
            }
    return placement;
}

} // namespace vantrel::screens
