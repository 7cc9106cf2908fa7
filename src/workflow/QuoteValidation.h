#pragma once
// The checks a draft passes before it is sent to be saved as a quote, and the
// number grammar staff type into quote fields.

#include "records/Money.h"
#include "records/Workspace.h"

#include <QString>
#include <QStringView>

#include <optional>

#include <QCoreApplication>

namespace vantrel {

// A number of a quote field as the draft keeps it: an optional sign, digits
// with at most one "." and at least one digit, nothing else. What is typed in
// the person's locale ("1.234,5") is kept in this form (records/TypedNumber.h);
// text that could not be read is kept as typed and fails here. Unlike
// Decimal::parse this refuses exponents ("1e3"): the text is sent as kept and
// ends up on the customer's quote and in the accounting records, where "1e3"
// is a typo, not a thousand.
std::optional<Decimal> parseQuoteNumber(QStringView text);

// The first check the draft's lines, order discount, shipping and adjustment
// fail, in the order staff read them; nothing when the draft may be sent. The
// limits are the server's, so a quote it would refuse is stopped here, beside
// the field, instead of being sent. The customer is not checked here.
std::optional<QString> quoteValidationMessage(const Draft &draft);
// The part of that check one line fails, shown beside the line.
std::optional<QString> lineProblem(const QuoteLine &line);
// The part the order-level fields fail (order discount, shipping, adjustment,
// a total below zero), shown beside those fields.
std::optional<QString> orderProblem(const Draft &draft);
// A line's amount after its own discount, rounded to cents; unreadable text
// counts as zero and a discount is never taken below zero.
Decimal lineNetAmount(const QuoteLine &line);

// The quantity of a line after one more unit was added, as plain decimal text
// ("2" -> "3", "2.5" -> "3.5"); text that is not a number counts as zero.
QString quantityPlusOne(const QString &quantity);
// A unit may be taken away only while more than one remains ("2.5" -> "1.5";
// "1" and "0.5" stay as they are).
bool canStepDown(const QString &quantity);
QString quantityMinusOne(const QString &quantity);

// Why a saved quote cannot be opened into the workspace for editing or
// checkout, or null when it can: one rule for the open itself and for every
// screen that offers it.
const char *quoteOpenRefusal(const Quote &quote);
bool quoteIsOpenable(const Quote &quote);

// Why the quote takes no edits now, the most telling cause first: a pending
// request or a live checkout before a passing operation.
enum class LockCause { none, pendingCheckout, pendingSave, pendingCustomer, liveCheckout, busy };
LockCause lockCause(const Draft &draft, bool busy, bool liveCheckout);
// The words for a cause, naming what finishes it; empty for none.
QString lockReason(LockCause cause);

namespace messages {
inline const char *const chooseCustomerFirst = QT_TRANSLATE_NOOP("Workspace", "Choose a customer first.");
inline const char *const invalidLine =
    QT_TRANSLATE_NOOP("Workspace", "Each line needs a positive quantity and a valid price.");
inline const char *const invalidDiscount =
    QT_TRANSLATE_NOOP("Workspace", "Enter a valid discount, such as 10%.");
inline const char *const invalidAmounts =
    QT_TRANSLATE_NOOP("Workspace", "Enter valid shipping and adjustment amounts.");
inline const char *const quantityTooLarge =
    QT_TRANSLATE_NOOP("Workspace", "A line's quantity can be at most 1,000,000.");
inline const char *const rateTooLarge =
    QT_TRANSLATE_NOOP("Workspace", "A line's price can be at most 1,000,000,000.");
inline const char *const discountOverLine =
    QT_TRANSLATE_NOOP("Workspace", "A line's discount cannot be larger than the line amount.");
inline const char *const invalidOrderDiscount =
    QT_TRANSLATE_NOOP("Workspace", "Enter a valid order discount, such as 10%.");
inline const char *const negativeTotal =
    QT_TRANSLATE_NOOP("Workspace", "The quote total cannot be negative.");
inline const char *const quoteSavedSuffix = QT_TRANSLATE_NOOP("Workspace", " saved and marked sent.");
inline const char *const quoteSaveLabel = QT_TRANSLATE_NOOP("Workspace", "Quote save");
inline const char *const customerCreationLabel = QT_TRANSLATE_NOOP("Workspace", "Customer creation");
inline const char *const notStoredSuffix = QT_TRANSLATE_NOOP(
    "Workspace",
    " could not be saved on this device. Nothing was sent; check available storage and try again.");
inline const char *const quoteOfOtherCustomer = QT_TRANSLATE_NOOP(
    "Workspace", "This quote belongs to a different customer. Refresh the quote list and try again.");
inline const char *const quoteManagedElsewhere = QT_TRANSLATE_NOOP(
    "Workspace", "This quote has a checkout managed by another user. Ask that user to finish or manage its "
                 "payment. Your current quote has not changed.");
inline const char *const quoteNotEditable = QT_TRANSLATE_NOOP(
    "Workspace", "This quote is no longer available for editing. View its invoice or checkout status in "
                 "Customers. Your current draft has not changed.");
inline const char *const catalogNotRefreshed =
    QT_TRANSLATE_NOOP("Workspace", "Catalog could not refresh. Quantities shown may be out of date.");
} // namespace messages

} // namespace vantrel
