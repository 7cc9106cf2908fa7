// The workspace files (one draft and one saved-requests list per server and
// user), putting work aside, reset and reopen.
#include "CheckoutModel.h"

#include "AtomicFile.h"
#include "CatalogPart.h"
#include "CheckoutPart.h"
#include "CustomersPart.h"
#include "WorkflowLog.h"
#include "HistoryPart.h"
#include "records/Uuid.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

#include <QCoreApplication>

namespace vantrel {

namespace {

APIError message(const char *text) { return APIError{QCoreApplication::translate("Workspace", text)}; }

bool fileExists(const QString &path)
{
    // A dangling link or a folder in the file's place counts as present, so
    // that reading it fails and it is protected instead of replaced.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString CheckoutModel::workspaceKey(const QString &server, const QString &user)
{
    return QString::fromLatin1(
        QCryptographicHash::hash((server + user).toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString CheckoutModel::storageDirectoryPath() const
{
    if (m_storageDirectory) return *m_storageDirectory;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

std::optional<QString> CheckoutModel::draftFileURL() const
{
    if (!m_session) return std::nullopt;
    const QString directory = storageDirectoryPath();
    if (directory.isEmpty()) return std::nullopt;
    return directory + QStringLiteral("/draft-") + workspaceKey(m_server, m_session->user) +
           QStringLiteral(".json");
}

QString CheckoutModel::requestsFileURL() const
{
    const std::optional<QString> draftFile = draftFileURL();
    if (!draftFile) throw message(messages::signInBeforeSaving);
    return draftFile->chopped(int(sizeof(".json") - 1)) + QStringLiteral(".requests.json");
}

void CheckoutModel::persistDraft(const Draft &draft)
{
    if (m_draftRecoveryBlocked) throw message(messages::draftProtected);
    const std::optional<QString> path = draftFileURL();
    if (!path) throw message(messages::signInBeforeSaving);
    const QByteArray bytes = encode(draft, KeyStyle::Storage);
    AtomicFile::makeDirectory(QFileInfo(*path).absolutePath());
    AtomicFile::write(*path, bytes);
    ++m_draftWrites;
}

void CheckoutModel::restoreWorkspace()
{
    m_activeArchiveID.reset();
    m_restoreWarning.reset();
    m_draftRecoveryBlocked = false;

    try {
        m_historyPart->setArchivedRequests(loadArchivedRequests());
    } catch (...) {
        m_historyPart->setArchivedRequests({});
        m_restoreWarning = QCoreApplication::translate("Workspace", messages::savedRequestsUnreadable);
        qCWarning(lcWorkflow) << "restore: saved requests unreadable, starting with none";
    }

    const std::optional<QString> path = draftFileURL();
    if (!path || !fileExists(*path)) {
        setDraft(Draft::make());
        return;
    }

    Draft restored;
    try {
        restored =
            decode<Draft>(AtomicFile::read(*path), KeyStyle::Storage, QT_TRANSLATE_NOOP("Records", "Draft"));
    } catch (...) {
        // The file stays exactly as found until a readable copy is put back.
        m_draftRecoveryBlocked = true;
        qCWarning(lcWorkflow) << "restore: draft unreadable, its file kept as found";
        const QString warning = QCoreApplication::translate("Workspace", messages::draftUnreadable);
        m_restoreWarning = m_restoreWarning ? *m_restoreWarning + QLatin1Char(' ') + warning : warning;
        return;
    }
    // Read from the file just now: nothing to write back.
    publishDraft(std::move(restored));

    const QStringList keys = requestKeys(m_draft);
    if (keys.isEmpty()) return;
    for (const ArchivedWorkspaceRequest &entry : m_historyPart->archivedRequests()) {
        if (requestKeys(entry.draft) == keys) {
            m_activeArchiveID = entry.id;
            return;
        }
    }
}

QList<ArchivedWorkspaceRequest> CheckoutModel::loadArchivedRequests() const
{
    const QString path = requestsFileURL();
    if (!fileExists(path)) return {};
    QList<ArchivedWorkspaceRequest> list = decode<QList<ArchivedWorkspaceRequest>>(
        AtomicFile::read(path), KeyStyle::Storage, QT_TRANSLATE_NOOP("Records", "saved requests"));
    QSet<QString> ids;
    for (const ArchivedWorkspaceRequest &entry : std::as_const(list)) {
        if (ids.contains(entry.id) || !hasWork(entry.draft)) throw message(messages::savedRequestsNeedReview);
        ids.insert(entry.id);
    }
    return list;
}

void CheckoutModel::saveArchivedRequests(const QList<ArchivedWorkspaceRequest> &list) const
{
    const QString path = requestsFileURL();
    const QByteArray bytes = encode(list, KeyStyle::Storage);
    AtomicFile::makeDirectory(QFileInfo(path).absolutePath());
    AtomicFile::write(path, bytes);
}

QList<ArchivedWorkspaceRequest> CheckoutModel::archiveCurrentWorkspace(bool includeUnkeyed)
{
    QList<ArchivedWorkspaceRequest> list = loadArchivedRequests();
    const QStringList keys = requestKeys(m_draft);
    if (keys.isEmpty() && !(includeUnkeyed && hasWork(m_draft))) return list;

    if (m_activeArchiveID) {
        for (const ArchivedWorkspaceRequest &entry : std::as_const(list)) {
            if (entry.id != *m_activeArchiveID || requestKeys(entry.draft) != keys) continue;
            if (!keys.isEmpty()) return list;
            // Without a pending request only an unchanged draft counts as the
            // same work; the codec writes keys in sorted order.
            if (encode(entry.draft, KeyStyle::Storage) == encode(m_draft, KeyStyle::Storage)) return list;
        }
    }

    ArchivedWorkspaceRequest entry;
    entry.id = newUuidString();
    entry.created = double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    entry.draft = m_draft;
    if (const auto &shown = m_checkoutPart->transaction()) entry.transaction = archivableTransaction(*shown);
    list.prepend(std::move(entry));
    saveArchivedRequests(list);
    return list;
}

std::optional<CheckoutTransaction> CheckoutModel::archivableTransaction(
    const CheckoutTransaction &transaction) const
{
    const std::optional<CheckoutRequest> &pending = m_draft.pendingCheckout;
    if (pending && (pending->requestId == transaction.id || pending->quoteId == transaction.quoteId))
        return transaction;
    return std::nullopt;
}

QStringList CheckoutModel::requestKeys(const Draft &draft)
{
    QStringList keys;
    if (draft.pendingCheckout) keys << QStringLiteral("checkout:") + draft.pendingCheckout->requestId;
    if (draft.pendingSave) keys << QStringLiteral("quote:") + draft.pendingSave->requestId;
    if (draft.pendingCustomer) keys << QStringLiteral("customer:") + draft.pendingCustomer->requestId;
    return keys;
}

bool CheckoutModel::hasWork(const Draft &draft)
{
    return !requestKeys(draft).isEmpty() || draft.customerDraft || draft.customer || draft.saved ||
           !draft.lines.isEmpty() || !draft.sourceId.isEmpty() || !draft.notes.isEmpty() ||
           !draft.terms.isEmpty();
}

void CheckoutModel::releaseActiveArchiveEntry()
{
    if (!m_activeArchiveID || !requestKeys(m_draft).isEmpty()) return;
    try {
        QList<ArchivedWorkspaceRequest> list = loadArchivedRequests();
        const QString active = *m_activeArchiveID;
        list.removeIf([&](const ArchivedWorkspaceRequest &entry) { return entry.id == active; });
        saveArchivedRequests(list);
        m_historyPart->setArchivedRequests(std::move(list));
        m_activeArchiveID.reset();
    } catch (...) {
        // The entry stays; it is released again once the file can be read.
    }
}

bool CheckoutModel::resetWorkspace(bool keepUnsavedWork)
{
    if (!m_session) return false;
    // The fresh draft could not be written over the protected file, and
    // every retry would put the same work aside once more.
    if (m_draftRecoveryBlocked) {
        setError(QCoreApplication::translate("Workspace", messages::draftProtected));
        return false;
    }
    QList<ArchivedWorkspaceRequest> list;
    const Draft fresh = Draft::make();
    try {
        list = archiveCurrentWorkspace(keepUnsavedWork);
        persistDraft(fresh);
    } catch (...) {
        qCWarning(lcWorkflow) << "reset: the workspace could not be put aside; nothing changed";
        setError(QCoreApplication::translate("Workspace", messages::resetFailed));
        return false;
    }

    if (const std::optional<CheckoutTransaction> shown = m_checkoutPart->transaction())
        m_historyPart->keepFirst(*shown);
    cancelBackgroundWork();
    m_activeArchiveID.reset();
    m_historyPart->setArchivedRequests(std::move(list));
    m_checkoutPart->setTransaction(std::nullopt);
    publishDraft(fresh);
    m_customersPart->setCustomers({});
    m_customersPart->setQuotes({});
    m_customersPart->setDeals({});
    m_customersPart->setCustomerSearchError(std::nullopt);
    setError(std::nullopt);
    setNotice(QCoreApplication::translate("Workspace", messages::resetDone));
    setSelectedWorkspaceTab(WorkspaceTab::products);
    resumeWorkspaceLoads();
    return true;
}

bool CheckoutModel::reopenArchivedRequest(const QString &id)
{
    if (!m_session) return false;
    if (m_draftRecoveryBlocked) {
        setError(QCoreApplication::translate("Workspace", messages::draftProtected));
        return false;
    }
    QList<ArchivedWorkspaceRequest> list;
    std::optional<ArchivedWorkspaceRequest> entry;
    try {
        list = archiveCurrentWorkspace(true);
        for (const ArchivedWorkspaceRequest &candidate : std::as_const(list)) {
            if (candidate.id == id) {
                entry = candidate;
                break;
            }
        }
        if (!entry) throw message(messages::reopenFailed);
        persistDraft(entry->draft);
    } catch (...) {
        setError(QCoreApplication::translate("Workspace", messages::reopenFailed));
        return false;
    }

    cancelBackgroundWork();
    m_activeArchiveID.reset();
    m_historyPart->setArchivedRequests(std::move(list));
    m_checkoutPart->setTransaction(std::nullopt);
    publishDraft(entry->draft);
    m_activeArchiveID = entry->id;
    m_customersPart->setCustomers({});
    m_customersPart->setQuotes({});
    m_customersPart->setDeals(entry->draft.deal ? QList<Deal>{*entry->draft.deal} : QList<Deal>{});
    m_customersPart->setCustomerSearchError(std::nullopt);
    setError(std::nullopt);
    setNotice(QCoreApplication::translate("Workspace", messages::reopenDone));
    setSelectedWorkspaceTab(WorkspaceTab::quote);
    const std::optional<CheckoutRequest> &pending = entry->draft.pendingCheckout;
    if (entry->transaction && pending && pending->requestId == entry->transaction->id &&
        pending->quoteId == entry->transaction->quoteId)
        m_checkoutPart->watch(*entry->transaction);
    resumeWorkspaceLoads();
    return true;
}

bool CheckoutModel::removeArchivedRequest(const QString &id)
{
    if (!m_session) return false;
    QList<ArchivedWorkspaceRequest> list;
    try {
        // Read afresh: the file, not the list on screen, is what gets written.
        list = loadArchivedRequests();
    } catch (...) {
        setError(QCoreApplication::translate("Workspace", messages::removeFailed));
        return false;
    }
    const auto entry = std::find_if(list.cbegin(), list.cend(),
                                    [&](const ArchivedWorkspaceRequest &e) { return e.id == id; });
    // Its request may have been sent: only its settling may drop the entry,
    // or nothing would bring the request back to be checked.
    if (entry != list.cend() && !requestKeys(entry->draft).isEmpty()) {
        setError(QCoreApplication::translate("Workspace", messages::removePending));
        return false;
    }
    if (entry != list.cend()) {
        list.removeIf([&](const ArchivedWorkspaceRequest &e) { return e.id == id; });
        try {
            saveArchivedRequests(list);
        } catch (...) {
            setError(QCoreApplication::translate("Workspace", messages::removeFailed));
            return false;
        }
    }
    if (m_activeArchiveID == id) m_activeArchiveID.reset();
    m_historyPart->setArchivedRequests(std::move(list));
    setError(std::nullopt);
    return true;
}

} // namespace vantrel
