#include "HistoryRules.h"

#include <QDateTime>

#include <cmath>

namespace vantrel::screens {
namespace ht = historyText;

namespace {

bool is(const QString &value, const char *code) { return value == QLatin1String(code); }

} // namespace

// ---- History sheet ----------------------------------------------------------

QString archiveTitle(const ArchivedWorkspaceRequest &entry)
{
    if (entry.transaction || entry.draft.pendingCheckout) return ht::savedCheckoutRequest.toString();
    if (entry.draft.pendingSave) return ht::savedQuoteRequest.toString();
    if (entry.draft.pendingCustomer) return ht::savedCustomerRequest.toString();
    return ht::savedDraft.toString();
}

QString archiveSummary(const ArchivedWorkspaceRequest &entry)
{
    QStringList parts;
    if (entry.draft.customer && !entry.draft.customer->name.isEmpty())
        parts.append(entry.draft.customer->name);
    if (!entry.draft.sourceNumber.isEmpty()) parts.append(entry.draft.sourceNumber);
    return parts.join(QStringLiteral(" \u00B7 "));
}

QString dateText(double seconds, const QLocale &locale, const QTimeZone &zone)
{
    // Beyond about 275,000 years the millisecond count no longer fits.
    constexpr double limit = 8.64e12;
    if (!std::isfinite(seconds) || std::fabs(seconds) > limit) return {};
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(qint64(std::llround(seconds * 1000)), zone);
    return locale.toString(time.date(), QLocale::ShortFormat);
}

StatusIcon transactionRowIcon(const QString &code)
{
    if (is(code, status::complete)) return {QStringLiteral("checkmark.circle.fill"), Tone::Green};
    if (is(code, status::canceled)) return {QStringLiteral("xmark.circle"), Tone::Plain};
    return {QStringLiteral("clock.arrow.circlepath"), Tone::Orange};
}

bool followNeedsConfirmation(const Draft &draft, const std::optional<CheckoutTransaction> &shown,
                             const QString &tappedId)
{
    if (draft.pendingSave || draft.pendingCustomer) return true;
    if (draft.pendingCheckout && draft.pendingCheckout->requestId != tappedId) return true;
    return shown && shown->id != tappedId && !is(shown->status, status::complete) &&
           !is(shown->status, status::canceled);
}

Confirmation followConfirmation()
{
    return {ht::followTitle.toString(), ht::followMessage.toString(), ht::followConfirm.toString(),
            ht::followCancel.toString()};
}

TransactionsPlaceholder transactionsPlaceholder(const TransactionsLoad &load)
{
    if (load.empty && load.underWay) return {.text = ht::loadingTransactions.toString(), .progress = true};
    // A failed refresh keeps the last list and says so above it.
    if (!load.failure.isEmpty())
        return {.text = load.empty ? ht::transactionsNotLoaded.toString()
                                   : ht::transactionsNotRefreshed.toString(),
                .detail = load.failure,
                .retry = true};
    if (!load.empty) return {};
    if (load.loaded) return {.text = ht::noTransactions.toString()};
    // Nothing loaded yet: the operation under way (start-up) loads it;
    // otherwise nothing will unless the person asks.
    if (load.busy) return {.text = ht::loadingTransactions.toString(), .progress = true};
    return {.text = ht::transactionsNotLoaded.toString(), .retry = true};
}

Confirmation removeArchiveConfirmation(const ArchivedWorkspaceRequest &entry)
{
    const QString summary = archiveSummary(entry);
    const QString name =
        summary.isEmpty() ? archiveTitle(entry) : archiveTitle(entry) + QStringLiteral(" \u00B7 ") + summary;
    return {ht::removeSavedWorkTitle.toString(), ht::removeSavedWorkMessage.toString().arg(name),
            ht::removeSavedWorkConfirm.toString(), ht::removeSavedWorkCancel.toString()};
}

} // namespace vantrel::screens
