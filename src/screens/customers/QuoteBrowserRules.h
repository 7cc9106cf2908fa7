#pragma once
// What the customer quote browser and the quote detail show for given
// records and states: which line stands in place of a list, how a quote row
// reads, which quotes match the search, what the payment section says, and
// when a saved quote may be put into the workspace. Pure functions; the QML
// face only binds them.

#include "records/Quote.h"
#include "records/Workspace.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace vantrel::screens {

// The browser's and the detail's own words, each written once (the customer
// search and the customer change share the editor's, see editorText).
namespace browserText {
inline constexpr QStringView customers = u"Customers";
inline constexpr QStringView customerQuotes = u"Customer quotes";
inline constexpr QStringView searchCustomerQuotes = u"Search customer quotes";
inline constexpr QStringView quoteSearchPrompt = u"Quote number or status";
inline constexpr QStringView selectCustomer = u"Select a customer to create or view quotes.";
inline constexpr QStringView loadingQuotes = u"Loading quotes\u2026";
inline constexpr QStringView noMatchingQuotes = u"No matching quotes.";
inline constexpr QStringView noSavedQuotes = u"No saved quotes.";
inline constexpr QStringView completeManagedElsewhere = u"Checkout complete \u00B7 managed by another user";
inline constexpr QStringView managedElsewhere = u"Checkout managed by another user";
inline constexpr QStringView checkoutComplete = u"Checkout complete";
inline constexpr QStringView documentSeparator = u" \u00B7 ";
inline constexpr QStringView squareInvoicePrefix = u"Square invoice ";
inline constexpr QStringView invoicePrefix = u"Invoice ";

inline constexpr QStringView quoteMismatch =
    u"The quote no longer matches this customer. Reopen the customer\u2019s quote list.";
inline constexpr QStringView refreshFailedPrefix =
    u"Unable to retrieve the latest quote and payment status. ";
inline constexpr QStringView useSavedQuote = u"Use saved quote";
inline constexpr QStringView openingQuote = u"Opening quote\u2026";
inline constexpr QStringView checkingInvoices = u"Checking linked invoices\u2026";
inline constexpr QStringView paymentUnavailable = u"Payment status unavailable. Refresh to retry.";
inline constexpr QStringView paidInSquare = u"Paid in Square. Zoho status is shown above.";
inline constexpr QStringView checkedPrefix = u"Checked ";
inline constexpr QStringView duePrefix = u"Due ";
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
