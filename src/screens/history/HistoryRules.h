#pragma once
// What the history sheet shows of saved work and of the checkout list: titles,
// dates, row symbols and the questions asked before following a checkout or
// removing saved work. Pure functions over records; the QML face binds them.

#include "screens/checkout/CheckoutRules.h"

#include <QLocale>
#include <QTimeZone>

namespace vantrel::screens {

namespace historyText {
inline constexpr UiText savedCheckoutRequest{"History",
                                             QT_TRANSLATE_NOOP("History", "Saved checkout request")};
inline constexpr UiText savedQuoteRequest{"History", QT_TRANSLATE_NOOP("History", "Saved quote request")};
inline constexpr UiText savedCustomerRequest{"History",
                                             QT_TRANSLATE_NOOP("History", "Saved customer request")};
inline constexpr UiText savedDraft{"History", QT_TRANSLATE_NOOP("History", "Saved draft")};
inline constexpr UiText loadingTransactions{"History", QT_TRANSLATE_NOOP("History", "Loading transactions…")};
inline constexpr UiText noTransactions{
    "History", QT_TRANSLATE_NOOP("History", "Completed and pending checkouts appear here.")};
inline constexpr UiText followTitle{"History", QT_TRANSLATE_NOOP("History", "Follow this checkout?")};
inline constexpr UiText followMessage{
    "History", QT_TRANSLATE_NOOP("History", "Payments and server work continue. The current checkout stays "
                                            "in Transactions and unfinished requests stay saved.")};
inline constexpr UiText followConfirm{"History", QT_TRANSLATE_NOOP("History", "Follow checkout")};
inline constexpr UiText followCancel = editorText::cancel;
inline constexpr UiText transactionsNotLoaded{
    "History", QT_TRANSLATE_NOOP("History", "Transactions could not be loaded.")};
inline constexpr UiText transactionsNotRefreshed{
    "History",
    QT_TRANSLATE_NOOP("History",
                      "Transactions could not be refreshed. The list below is from the last refresh.")};
inline constexpr UiText removeSavedWorkTitle{"History", QT_TRANSLATE_NOOP("History", "Remove saved work?")};
inline constexpr UiText removeSavedWorkMessage{
    "History",
    QT_TRANSLATE_NOOP(
        "History",
        "“%1” will be removed from this device. Quotes and payments on the server stay as they are.")};
inline constexpr UiText removeSavedWorkConfirm{"History", QT_TRANSLATE_NOOP("History", "Remove")};
inline constexpr UiText removeSavedWorkCancel{"History", QT_TRANSLATE_NOOP("History", "Keep")};
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
