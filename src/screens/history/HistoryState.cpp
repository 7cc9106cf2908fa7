#include "HistoryState.h"

#include "screens/checkout/PaymentStatusState.h"

#include "workflow/WorkspaceParts.h"

namespace vantrel {

using namespace screens;

HistoryState::HistoryState(QObject *parent)
    : WorkspaceFace(parent),
      m_savedWork(new RowsModel({"entryId", "title", "summary", "date", "removable"}, this))
{}

QList<QMetaObject::Connection> HistoryState::connectTo(CheckoutModel *workspace)
{
    HistoryPart *history = workspace->historyPart();
    const auto again = [this] { recompute(); };
    // Saved entries change rarely and are few: any change recomputes them.
    QAbstractItemModel *saved = history->savedWorkList();
    return {
        connect(history, &HistoryPart::loadStateChanged, this, again),
        connect(workspace, &CheckoutModel::busyChanged, this, again),
        connect(history->transactionList(), &RecordListModelBase::countChanged, this, again),
        connect(saved, &QAbstractItemModel::modelReset, this, again),
        connect(saved, &QAbstractItemModel::dataChanged, this, again),
        connect(saved, &QAbstractItemModel::rowsInserted, this, again),
        connect(saved, &QAbstractItemModel::rowsRemoved, this, again),
        connect(saved, &QAbstractItemModel::rowsMoved, this, again),
    };
}

void HistoryState::switched() { recompute(); }

void HistoryState::recompute()
{
    View next = compute();
    if (next == m_view) return;
    m_view = std::move(next);
    m_savedWork->setRows(m_view.savedWork);
    emit changed();
}

HistoryState::View HistoryState::compute() const
{
    View view;
    if (!workspace()) return view;
    const HistoryPart &history = *workspace()->historyPart();
    for (const ArchivedWorkspaceRequest &entry : history.archivedRequests())
        view.savedWork.append(
            QVariantMap{{QStringLiteral("entryId"), entry.id},
                        {QStringLiteral("title"), archiveTitle(entry)},
                        {QStringLiteral("summary"), archiveSummary(entry)},
                        {QStringLiteral("date"), dateText(entry.created)},
                        {QStringLiteral("removable"), CheckoutModel::requestKeys(entry.draft).isEmpty()}});
    view.placeholder = transactionsPlaceholder({.empty = history.transactions().isEmpty(),
                                                .underWay = history.loading(),
                                                .loaded = history.loaded(),
                                                .busy = workspace()->busy(),
                                                .failure = history.loadError()});
    return view;
}

screens::Confirmation HistoryState::followConfirmation() const { return screens::followConfirmation(); }

screens::Confirmation HistoryState::removeConfirmation(const QString &entryId) const
{
    if (!workspace()) return {};
    for (const ArchivedWorkspaceRequest &entry : workspace()->historyPart()->archivedRequests()) {
        if (entry.id == entryId) return removeArchiveConfirmation(entry);
    }
    return {};
}

TransactionIcon HistoryState::rowIcon(const QString &status) const
{
    const StatusIcon icon = transactionRowIcon(status);
    return {icon.symbol, toneName(icon.tone)};
}

bool HistoryState::followNeedsConfirmation(const QString &transactionId) const
{
    return workspace() &&
           screens::followNeedsConfirmation(workspace()->draft(), workspace()->checkoutPart()->transaction(),
                                            transactionId);
}

bool HistoryState::follow(const QString &transactionId)
{
    if (!workspace()) return false;
    for (const CheckoutTransaction &tx : workspace()->historyPart()->transactions()) {
        if (tx.id != transactionId) continue;
        const CheckoutTransaction chosen = tx; // watch() may change the list it came from
        CheckoutPart &checkout = *workspace()->checkoutPart();
        checkout.watch(chosen);
        // The draft's own canceled checkout gives the editor back, which
        // would otherwise look as if the tap did nothing.
        if (chosen.status == QLatin1String(status::canceled) && checkout.ownCheckout())
            workspace()->setNotice(checkoutText::ownCheckoutCanceled.toString());
        return true;
    }
    return false;
}

} // namespace vantrel
