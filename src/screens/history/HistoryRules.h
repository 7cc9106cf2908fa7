#pragma once
// What the history sheet shows of saved work and of the checkout list: titles,
// dates, row symbols and the questions asked before following a checkout or
// removing saved work. Pure functions over records; the QML face binds them.

#include "screens/checkout/CheckoutRules.h"

#include <QLocale>
#include <QTimeZone>

namespace vantrel::screens {

namespace historyText {
inline constexpr QStringView savedCheckoutRequest = u"Saved checkout request";
inline constexpr QStringView savedQuoteRequest = u"Saved quote request";
inline constexpr QStringView savedCustomerRequest = u"Saved customer request";
inline constexpr QStringView savedDraft = u"Saved draft";
inline constexpr QStringView loadingTransactions = u"Loading transactions\u2026";
inline constexpr QStringView noTransactions = u"Completed and pending checkouts appear here.";
inline constexpr QStringView followTitle = u"Follow this checkout?";
inline constexpr QStringView followMessage = u"Payments and server work continue. The current checkout stays "
                                             u"in Transactions and unfinished requests stay saved.";
inline constexpr QStringView followConfirm = u"Follow checkout";
inline constexpr QStringView followCancel = u"Cancel";
inline constexpr QStringView transactionsNotLoaded = u"Transactions could not be loaded.";
inline constexpr QStringView transactionsNotRefreshed =
    u"Transactions could not be refreshed. The list below is from the last refresh.";
inline constexpr QStringView removeSavedWorkTitle = u"Remove saved work?";
inline constexpr QStringView removeSavedWorkMessage =
    u"\u201C%1\u201D will be removed from this device. Quotes and payments on the server stay as they are.";
inline constexpr QStringView removeSavedWorkConfirm = u"Remove";
inline constexpr QStringView removeSavedWorkCancel = u"Keep";
} // namespace historyText

// ---- History sheet ----------------------------------------------------------

QString archiveTitle(const ArchivedWorkspaceRequest &entry);
QString archiveSummary(const ArchivedWorkspaceRequest &entry);
// A time in seconds since 1970 as a date; empty for a time that is not a number.
QString dateText(double seconds, const QLocale &locale = displayLocale(),
                 const QTimeZone &zone = QTimeZone::systemTimeZone());
StatusIcon transactionRowIcon(const QString &code);
// Following a checkout from the history replaces what the workspace follows
// now: ask first when that is a live checkout other than the tapped one, or a
// request whose outcome is not known yet.
bool followNeedsConfirmation(const Draft &draft, const std::optional<CheckoutTransaction> &shown,
                             const QString &tappedId);
Confirmation followConfirmation();
// How far loading the checkout list has come.
struct TransactionsLoad {
    bool empty = true; // no rows to show
    bool underWay = false; // a load of the list is under way
    bool loaded = false; // a load has answered since sign-in
    bool busy = false; // another operation holds the workspace
    QString failure; // why the last load failed
};
// What stands with the checkout rows, or in their place: a text, the
// failure's own words, a progress indicator, and "Try again". All empty
// while rows show and the last load went well.
struct TransactionsPlaceholder {
    QString text;
    QString detail;
    bool progress = false;
    bool retry = false;
    bool operator==(const TransactionsPlaceholder &) const = default;
};
TransactionsPlaceholder transactionsPlaceholder(const TransactionsLoad &load);
// The question before a saved entry is removed, naming it by its title and
// summary.
Confirmation removeArchiveConfirmation(const ArchivedWorkspaceRequest &entry);

} // namespace vantrel::screens
