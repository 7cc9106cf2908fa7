#pragma once
// What the checkout sheet, the payment status view and the history sheet show
// for a draft, a transaction or a saved entry: amounts in cents, texts, which
// rows and buttons appear. Pure functions over records; the QML face binds them.

#include "screens/quote/QuoteEditorRules.h"

#include "records/Money.h"

#include <QLocale>
#include <QObject>
#include <QTimeZone>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

namespace checkoutText {
inline constexpr UiText checkoutHeading{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Checkout")};
inline constexpr UiText prepareForRegister{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Prepare for Register")};
inline constexpr UiText collectPayment{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Collect payment")};
inline constexpr UiText dailyImportSheetCaption{
    "Checkout", QT_TRANSLATE_NOOP("Checkout", "Daily Square import handles accounting. No separate paid "
                                              "invoice or pickup shipment is created in Zoho.")};
inline constexpr UiText holdingCaption{
    "Checkout",
    QT_TRANSLATE_NOOP("Checkout",
                      "Shipment stays open until the hold is released or the warehouse fulfills it.")};
inline constexpr UiText notHoldingCaption{
    "Checkout", QT_TRANSLATE_NOOP("Checkout", "Pickup is marked fulfilled at the end of the business day.")};
inline constexpr UiText prepareRegisterInvoice{"Checkout",
                                               QT_TRANSLATE_NOOP("Checkout", "Prepare Register invoice")};
inline constexpr UiText sendToTerminal{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Send to Square Terminal")};
inline constexpr UiText recordCashPayment{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Record cash payment")};

inline constexpr UiText squareRegister{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Square Register")};
inline constexpr UiText squareTerminal{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Square Terminal")};
inline constexpr UiText cashReceived{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Cash received")};
inline constexpr UiText cashPayment{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Cash payment")};
inline constexpr UiText squarePaymentConfirmed{"Checkout",
                                               QT_TRANSLATE_NOOP("Checkout", "Square payment confirmed")};
inline constexpr UiText paymentConfirmed{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Payment confirmed")};
inline constexpr UiText dailyImportRow{"Checkout",
                                       QT_TRANSLATE_NOOP("Checkout", "Accounting: daily Square import")};
inline constexpr UiText awaitingDailyImport{
    "Checkout",
    QT_TRANSLATE_NOOP("Checkout", "Awaiting daily Square import. No separate paid Zoho invoice is created.")};
inline constexpr UiText quoteAccepted{"Checkout",
                                      QT_TRANSLATE_NOOP("Checkout", "Quote accepted & sales order created")};
inline constexpr UiText invoicePaid{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Invoice paid in Zoho")};
inline constexpr UiText checkPayment{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Check payment")};
inline constexpr UiText refreshAndResume{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Refresh & resume")};
inline constexpr UiText cancelUnpaidInvoice{"Checkout",
                                            QT_TRANSLATE_NOOP("Checkout", "Cancel unpaid invoice")};
inline constexpr UiText cancelTerminalRequest{"Checkout",
                                              QT_TRANSLATE_NOOP("Checkout", "Cancel Terminal request")};
inline constexpr UiText transactionPrefix{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Transaction ")};

inline constexpr UiText nextStepDailyImport{
    "Checkout",
    QT_TRANSLATE_NOOP(
        "Checkout",
        "Payment confirmed. Resume to accept the quote. Accounting uses the daily Square import.")};
inline constexpr UiText nextStepPaymentSaved{
    "Checkout",
    QT_TRANSLATE_NOOP("Checkout",
                      "Payment saved. Resume to finish the Zoho invoice using the existing payment.")};
inline constexpr UiText nextStepRegister{
    "Checkout",
    QT_TRANSLATE_NOOP(
        "Checkout",
        "Collect payment on Register, then tap Check payment. Reopen this checkout from Transactions.")};
inline constexpr UiText nextStepReopen{
    "Checkout", QT_TRANSLATE_NOOP("Checkout", "Reopen this checkout from Transactions.")};
inline constexpr UiText nextStepCanceled{
    "Checkout", QT_TRANSLATE_NOOP("Checkout", "This checkout was canceled. Nothing is collected for it.")};
inline constexpr UiText ownCheckoutCanceled{
    "Checkout",
    QT_TRANSLATE_NOOP("Checkout",
                      "That checkout was canceled. Its quote is open here and can be checked out again.")};
inline constexpr UiText followedCaption{
    "Checkout",
    QT_TRANSLATE_NOOP(
        "Checkout",
        "This checkout is from Transactions. Your draft is kept; go back to it or start the next sale.")};

inline constexpr UiText cancelInvoiceTitle{"Checkout",
                                           QT_TRANSLATE_NOOP("Checkout", "Cancel unpaid invoice?")};
inline constexpr UiText cancelTerminalTitle{"Checkout",
                                            QT_TRANSLATE_NOOP("Checkout", "Cancel Terminal request?")};
inline constexpr UiText cancelMessage{
    "Checkout",
    QT_TRANSLATE_NOOP("Checkout",
                      "Square is checked before cancellation. Paid transactions cannot be canceled here.")};
inline constexpr UiText cancelRequest{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Cancel request")};
inline constexpr UiText keepCheckout{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Keep checkout")};

inline constexpr UiText printOnRegister{
    "Checkout", QT_TRANSLATE_NOOP("Checkout", "Print the receipt on Square Register.")};
inline constexpr UiText viewSquareReceipt{"Checkout", QT_TRANSLATE_NOOP("Checkout", "View Square receipt")};
inline constexpr UiText printTerminalReceipt{"Checkout",
                                             QT_TRANSLATE_NOOP("Checkout", "Print Terminal receipt")};
inline constexpr UiText printPaidInvoice{
    "Checkout", QT_TRANSLATE_NOOP("Checkout", "Print the paid invoice from the print dialog")};
inline constexpr UiText printInvoice{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Print invoice")};
inline constexpr UiText startNextSale{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Start next sale")};

inline constexpr UiText squareInvoice{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Square invoice")};
inline constexpr UiText fulfilled{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Fulfilled")};
inline constexpr UiText onHold{"Checkout", QT_TRANSLATE_NOOP("Checkout", "On hold")};
inline constexpr UiText needsAttention{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Needs attention")};
inline constexpr UiText scheduledEndOfDay{"Checkout",
                                          QT_TRANSLATE_NOOP("Checkout", "Scheduled for end of day")};
inline constexpr UiText releaseHold{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Release pickup hold")};
inline constexpr UiText holdFulfillment{"Checkout", QT_TRANSLATE_NOOP("Checkout", "Hold pickup fulfillment")};
} // namespace checkoutText

// A colour the screens pick from their theme.
enum class Tone { Plain, Green, Orange };

// ---- Checkout sheet ---------------------------------------------------------

bool isRegisterRoute(const QString &paymentRoute);
// The saved quote's total in cents; 0 without a saved quote.
qint64 amountDueCents(const Draft &draft);
qint64 changeDueCents(const QString &cashText, qint64 amountDue, const QLocale &locale = displayLocale());
QString checkoutSheetTitle(const QString &paymentRoute);
// The small heading over the amount: the saved quote's number.
QString checkoutHeading(const Draft &draft);
// The tender sent with the checkout: "register" on the register route,
// otherwise "cash" or "card" (anything unexpected counts as card).
QString checkoutTender(const QString &paymentRoute, const QString &chosenTender);

// What the checkout sheet holds while the user fills it in.
struct SheetChoices {
    QString paymentRoute;
    QString tender; // "card" or "cash" as picked
    QString cash; // as typed
    bool cashConfirmed = false;
    bool busy = false;
    qint64 amountDue = 0;
    // A request stored before its outcome was known: the sheet shows it and
    // offers only to check it.
    std::optional<CheckoutRequest> pending;
    QLocale locale = displayLocale();
};
// The sheet's button that starts the checkout, or checks the stored request.
struct MainButton {
    QString title;
    bool progress = false;
    bool enabled = false;
    bool checksPending = false;
};
MainButton checkoutMainButton(const SheetChoices &state);
// What the sheet shows of a stored request: its tender ("card", "cash" or
// "register"), the cash it carries as text, and its hold.
struct FrozenChoices {
    QString tender;
    QString cash;
    bool hold = false;
};
FrozenChoices frozenChoices(const CheckoutRequest &pending);
// Why the typed cash cannot be used; empty when it can or nothing is typed.
QString cashProblem(const QString &cashText, const QLocale &locale = displayLocale());

// The pickup-hold part of the sheet; no toggle when the daily import does the accounting.
struct HoldArea {
    bool showsToggle = false;
    QString caption;
};
HoldArea holdArea(bool usesDailySquareImport, bool holding);

// ---- Payment status view ----------------------------------------------------

// Payment has been taken once the transaction reaches one of these statuses.
bool paymentTaken(const QString &code);

// A status symbol and the colour it is drawn in.
struct StatusIcon {
    QString symbol; // empty: a progress indicator
    Tone tone = Tone::Plain;
};
StatusIcon statusIcon(const CheckoutTransaction &tx);
QString tenderLine(const CheckoutTransaction &tx);
bool showsRegisterInstructions(const CheckoutTransaction &tx);

// One step of the accounting checklist.
struct ChecklistRow {
    QString text;
    QString symbol;
    bool done = false;
};
// The accounting checklist of a transaction.
struct Checklist {
    QList<ChecklistRow> rows;
    QString caption; // shown under the rows when not empty
};
Checklist accountingChecklist(const CheckoutTransaction &tx);
bool showsDealSyncRow(const CheckoutTransaction &tx);

QString nextStepText(const CheckoutTransaction &tx);
// Empty when there is nothing to resume (a canceled checkout).
QString resumeTitle(const CheckoutTransaction &tx);
// The ways back to the draft from a shown checkout that is not its own: to
// the draft itself, and to the draft's own stored checkout request.
struct DraftActions {
    bool backToDraft = false;
    bool checkSavedRequest = false;
};
DraftActions draftActions(const Draft &draft, const CheckoutTransaction &tx);
bool showsCancel(const CheckoutTransaction &tx);
QString cancelTitle(const CheckoutTransaction &tx);

// The texts of a branded confirmation; the views read it as a typed value.
struct Confirmation {
    Q_GADGET
    QML_VALUE_TYPE(confirmation)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString message MEMBER message)
    Q_PROPERTY(QString confirm MEMBER confirm)
    Q_PROPERTY(QString cancel MEMBER cancel)

public:
    QString title;
    QString message;
    QString confirm;
    QString cancel;
    bool operator==(const Confirmation &) const = default;
};
Confirmation cancelConfirmation(const CheckoutTransaction &tx);

// One label and value of the details card.
struct DetailRow {
    QString label;
    QString value;
};
// The invoice row; absent when the transaction has no invoice number yet.
std::optional<DetailRow> invoiceDetail(const CheckoutTransaction &tx);
bool showsPickup(const CheckoutTransaction &tx);
QString pickupText(const CheckoutTransaction &tx);
bool showsHoldButton(const CheckoutTransaction &tx);
QString holdButtonTitle(const CheckoutTransaction &tx);
// Cash given back, for cash taken on the terminal route only.
std::optional<qint64> changeGivenCents(const CheckoutTransaction &tx);

enum class CompletedItem {
    PrintOnRegisterNote,
    SquareReceiptLink,
    TerminalReceiptButton,
    PrintPaidInvoiceNote,
    InvoicePdfButton,
    PrintInvoiceButton,
    StartNextSaleButton,
};
// One note, link or button shown once payment is complete.
struct CompletedAction {
    CompletedItem item;
    QString text;
    QString symbol;
    std::optional<QUrl> link; // only for the receipt link
};
QList<CompletedAction> completedActions(const CheckoutTransaction &tx);
QString transactionIdText(const CheckoutTransaction &tx);

} // namespace vantrel::screens
