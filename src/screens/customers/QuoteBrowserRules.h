#pragma once
// What the customer quote browser and the quote detail show for given
// records and states: which line stands in place of a list, how a quote row
// reads, which quotes match the search, what the payment section says, and
// when a saved quote may be put into the workspace. Pure functions; the QML
// face only binds them.

#include "records/Quote.h"
#include "records/UiText.h"
#include "records/Workspace.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace vantrel::screens {

// The browser's and the detail's own words, each written once (the customer
// search and the customer change share the editor's, see editorText).
namespace browserText {
inline constexpr UiText customers{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Customers")};
inline constexpr UiText customerQuotes{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Customer quotes")};
inline constexpr UiText searchCustomerQuotes{"QuoteBrowser",
                                             QT_TRANSLATE_NOOP("QuoteBrowser", "Search customer quotes")};
inline constexpr UiText quoteSearchPrompt{"QuoteBrowser",
                                          QT_TRANSLATE_NOOP("QuoteBrowser", "Quote number or status")};
inline constexpr UiText selectCustomer{
    "QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Select a customer to create or view quotes.")};
inline constexpr UiText loadingQuotes{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Loading quotes…")};
inline constexpr UiText noMatchingQuotes{"QuoteBrowser",
                                         QT_TRANSLATE_NOOP("QuoteBrowser", "No matching quotes.")};
inline constexpr UiText noSavedQuotes{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "No saved quotes.")};
inline constexpr UiText completeManagedElsewhere{
    "QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Checkout complete · managed by another user")};
inline constexpr UiText managedElsewhere{
    "QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Checkout managed by another user")};
inline constexpr UiText checkoutComplete{"QuoteBrowser",
                                         QT_TRANSLATE_NOOP("QuoteBrowser", "Checkout complete")};
inline constexpr UiText documentSeparator{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", " · ")};
inline constexpr UiText squareInvoicePrefix{"QuoteBrowser",
                                            QT_TRANSLATE_NOOP("QuoteBrowser", "Square invoice ")};
inline constexpr UiText invoicePrefix{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Invoice ")};

inline constexpr UiText quoteMismatch{
    "QuoteBrowser",
    QT_TRANSLATE_NOOP("QuoteBrowser",
                      "The quote no longer matches this customer. Reopen the customer’s quote list.")};
inline constexpr UiText refreshFailedPrefix{
    "QuoteBrowser",
    QT_TRANSLATE_NOOP("QuoteBrowser", "Unable to retrieve the latest quote and payment status. ")};
inline constexpr UiText useSavedQuote{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Use saved quote")};
inline constexpr UiText openingQuote{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Opening quote…")};
inline constexpr UiText checkingInvoices{"QuoteBrowser",
                                         QT_TRANSLATE_NOOP("QuoteBrowser", "Checking linked invoices…")};
inline constexpr UiText paymentUnavailable{
    "QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Payment status unavailable. Refresh to retry.")};
inline constexpr UiText paidInSquare{
    "QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Paid in Square. Zoho status is shown above.")};
inline constexpr UiText checkedPrefix{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Checked ")};
inline constexpr UiText duePrefix{"QuoteBrowser", QT_TRANSLATE_NOOP("QuoteBrowser", "Due ")};
} // namespace browserText

// What stands where a list's rows go: one line of text (a failure comes with
// "Try again"), or the rows themselves.
struct ListState {
    enum class Kind { Text, Failure, Rows };
    Kind kind = Kind::Rows;
    QString text;
    bool operator==(const ListState &) const = default;
};
// The customer list: nothing is looked up for an empty search.
ListState customerListState(const QString &search, bool loading, const std::optional<QString> &message,
                            qsizetype customers);
ListState quoteListState(bool loading, const std::optional<QString> &message, qsizetype quotes,
                         qsizetype matching);

// A quote matches the browser's search on its number or its status, ignoring
// case and surrounding spaces; an empty search matches every quote.
bool quoteMatches(const Quote &quote, const QString &search);
bool isLocked(const Quote &quote);
// The line under a quote row that says how its checkout stands; empty when
// there is nothing to say. A completed checkout names the document that
// closed it when there is one: the Square invoice on the register route,
// else the accounting invoice.
QString checkoutLine(const Quote &quote, const QString &paymentRoute);
// A checkout in the workspace that has not reached an end yet.
bool isLiveCheckout(const std::optional<CheckoutTransaction> &transaction);
// Taking another customer for a draft that is someone else's saved quote or
// holds edits loses those links: ask first.
bool customerChangeNeedsConfirmation(const Draft &draft, const QString &customerId);
// The detail's "Use saved quote": the same rule the open itself enforces,
// and nothing while a load or an open runs or the workspace is locked.
bool useQuoteEnabled(const Quote &quote, bool loading, bool opening, bool editingLocked);

// The detail's payment section. Without rows the placeholder stands alone.
struct PaymentSection {
    QString placeholder;
    QString label;
    QString symbol;
    QString balance; // empty: no outstanding balance shown
    bool squareConfirmed = false;
    QString squareNote; // empty: not shown
    QString checked;
    QString warning;
    bool operator==(const PaymentSection &) const = default;
};
PaymentSection paymentSection(const Quote &quote, bool loading, const QByteArray &locale = {});
// "Due " and the date, or nothing without one.
QString dueText(const QuoteInvoice &invoice);
QString lineQuantityText(const QuoteLine &line, const QString &currency, const QByteArray &locale = {});

} // namespace vantrel::screens
