// Workspace files: names per server and user, protection of unreadable files,
// putting work aside on reset and reopen.
#include "Workspace.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {
const QString serverA = QStringLiteral("https://a.example");
const QString serverB = QStringLiteral("https://b.example");

void signInLocally(CheckoutModel &model, const QString &server, const QString &user)
{
    model.setServer(server);
    model.adoptSession(Session{QStringLiteral("token-") + user, user, false});
}
} // namespace

class WorkspacePersistenceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Workspace> m_ws;

private slots:
    void init()
    {
        m_ws = std::make_unique<Workspace>(serverA);
        QDir().mkpath(m_ws->storage());
    }
    void cleanup() { m_ws.reset(); }

    void eachServerAndUserHasTheirOwnFiles()
    {
        CheckoutModel &model = m_ws->open();
        QSet<QString> paths;
        for (const QString &server : {serverA, serverB}) {
            for (const QString &user : {QStringLiteral("alice"), QStringLiteral("bob")}) {
                signInLocally(model, server, user);
                QCOMPARE(model.draftFileURL().value_or(QString()), m_ws->draftPath(user, server));
                // First sign-in: a draft file at once, but no saved-requests file.
                QVERIFY(QFileInfo::exists(m_ws->draftPath(user, server)));
                QVERIFY(!QFileInfo::exists(m_ws->requestsPath(user, server)));
                QCOMPARE(QFileInfo(m_ws->draftPath(user, server)).permissions() &
                             (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                         QFileDevice::Permissions());
                paths.insert(m_ws->draftPath(user, server));
            }
        }
        QCOMPARE(paths.size(), 4);
        QCOMPARE(QDir(m_ws->storage()).entryList(QDir::Files).size(), 4); // no temporary files left
    }

    void unreadableDraftIsProtected_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("not JSON") << QByteArray("this is not json {");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("JSON of another shape") << QByteArray("[1,2,3]");
    }
    void unreadableDraftIsProtected()
    {
        QFETCH(QByteArray, contents);
        const QString path = m_ws->draftPath(QStringLiteral("alice"));
        writeBytes(path, contents);

        CheckoutModel &model = m_ws->open();
        Draft onScreen = Draft::make();
        onScreen.notes = QStringLiteral("typed before sign-in");
        model.setDraft(onScreen); // signed out: nothing written
        signInLocally(model, serverA, QStringLiteral("alice"));

        QVERIFY(model.draftRecoveryBlocked());
        QCOMPARE(model.restoreWarning().value_or(QString()), QString::fromUtf8(messages::draftUnreadable));
        QCOMPARE(model.draft(), onScreen);

        for (int edit = 0; edit < 2; ++edit) {
            model.clearError();
            Draft changed = model.draft();
            changed.terms = QStringLiteral("edit %1").arg(edit);
            model.setDraft(changed);
            QCOMPARE(model.error().value_or(QString()), QString::fromUtf8(messages::protectedDraftError));
            QCOMPARE(model.draft(), changed); // the change stays on screen
        }
        // Refused before anything is put aside, however often it is tried.
        QVERIFY(!model.resetWorkspace());
        QCOMPARE(model.error().value_or(QString()), QString::fromUtf8(messages::draftProtected));
        model.signOut();
        QCOMPARE(model.error().value_or(QString()), QString::fromUtf8(messages::protectedDraftError));
        QCOMPARE(fileBytes(path), contents);
        QCOMPARE(QDir(m_ws->storage()).entryList(QDir::Files).size(), 1);
    }

    void unreadableSavedRequests_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("draftUnreadable");
        const QByteArray entry = encode(ArchivedWorkspaceRequest{QStringLiteral("E1"), 1.0, draftWithPendingSave(), {}},
                                        KeyStyle::Storage);
        const QByteArray idle = encode(ArchivedWorkspaceRequest{QStringLiteral("E2"), 1.0, Draft::make(), {}},
                                       KeyStyle::Storage);
        QTest::newRow("repeated id") << QByteArray("[" + entry + "," + entry + "]") << false;
        QTest::newRow("entry without work") << QByteArray("[" + idle + "]") << false;
        QTest::newRow("not JSON") << QByteArray("<html>") << false;
        QTest::newRow("both files unreadable") << QByteArray("[{") << true;
    }
    void unreadableSavedRequests()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, draftUnreadable);
        const QString requests = m_ws->requestsPath(QStringLiteral("alice"));
        const QString draftFile = m_ws->draftPath(QStringLiteral("alice"));
        writeBytes(requests, contents);
        if (draftUnreadable) writeBytes(draftFile, "nope");
        else writeBytes(draftFile, encode(draftWithPendingSave(), KeyStyle::Storage));

        CheckoutModel &model = m_ws->open();
        signInLocally(model, serverA, QStringLiteral("alice"));
        QVERIFY(model.historyPart()->archivedRequests().isEmpty());
        QString expected = QString::fromUtf8(messages::savedRequestsUnreadable);
        if (draftUnreadable) expected += QLatin1Char(' ') + QString::fromUtf8(messages::draftUnreadable);
        QCOMPARE(model.restoreWarning().value_or(QString()), expected);

        // Reset would have to put the pending save aside: it is refused rather
        // than overwriting the list it could not read.
        const Draft before = model.draft();
        const char *const refusal = draftUnreadable ? messages::draftProtected : messages::resetFailed;
        QVERIFY(!model.resetWorkspace());
        QCOMPARE(model.error().value_or(QString()), QString::fromUtf8(refusal));
        QCOMPARE(model.draft(), before);
        QVERIFY(!model.reopenArchivedRequest(QStringLiteral("E1")));
        QCOMPARE(model.error().value_or(QString()),
                 QString::fromUtf8(draftUnreadable ? messages::draftProtected : messages::reopenFailed));
        QVERIFY(!model.removeArchivedRequest(QStringLiteral("E1")));
        QCOMPARE(model.error().value_or(QString()), QString::fromUtf8(messages::removeFailed));
        QCOMPARE(fileBytes(requests), contents);
    }

    void resetAndReopenPutWorkAsideOnce()
    {
        CheckoutModel &model = m_ws->open();
        signInLocally(model, serverA, QStringLiteral("alice"));
        const QString requests = m_ws->requestsPath(QStringLiteral("alice"));

        // Lines alone are not put aside by a reset.
        Draft plain = Draft::make();
        plain.lines = {line(QStringLiteral("1"), QStringLiteral("5"))};
        model.setDraft(plain);
        QVERIFY(model.resetWorkspace());
        QVERIFY(!QFileInfo::exists(requests));
        QCOMPARE(model.notice().value_or(QString()), QString::fromUtf8(messages::resetDone));
        QVERIFY(model.draft().lines.isEmpty());

        // An earlier entry, then a pending save: the new entry goes in front.
        model.setDraft(draftWithPendingSave());
        QVERIFY(model.resetWorkspace());
        const Draft pending = draftWithPendingSave();
        model.setDraft(pending);
        QVERIFY(model.resetWorkspace());
        QCOMPARE(model.historyPart()->archivedRequests().size(), 2);
        QCOMPARE(model.historyPart()->archivedRequests().first().draft, pending);
        QCOMPARE(model.loadArchivedRequests(), model.historyPart()->archivedRequests());
        QVERIFY(!model.draft().pendingSave);
        QCOMPARE(model.selectedWorkspaceTab(), WorkspaceTab::products);

        // Reopened with its request still pending, a reset adds no second entry.
        const QString id = model.historyPart()->archivedRequests().first().id;
        QVERIFY(model.reopenArchivedRequest(id));
        QCOMPARE(model.notice().value_or(QString()), QString::fromUtf8(messages::reopenDone));
        QCOMPARE(model.draft(), pending);
        QVERIFY(model.resetWorkspace());
        QCOMPARE(model.loadArchivedRequests().size(), 2);

        // Reopening puts the current work aside, once.
        const QString entryId = model.historyPart()->archivedRequests().first().id;
        Draft current = Draft::make();
        current.customer = customer(QStringLiteral("C9"));
        current.lines = {line(QStringLiteral("1"), QStringLiteral("2")), line(QStringLiteral("3"), QStringLiteral("4"))};
        model.setDraft(current);
        QVERIFY(model.reopenArchivedRequest(entryId));
        // Still pending, so a release keeps the entry (dropped once resolved: tst_checkout_flow).
        model.releaseActiveArchiveEntry();
        QCOMPARE(model.selectedWorkspaceTab(), WorkspaceTab::quote);
        QCOMPARE(model.historyPart()->archivedRequests().size(), 3);
        QCOMPARE(model.historyPart()->archivedRequests().first().draft, current);
        QCOMPARE(model.activeArchiveID().value_or(QString()), entryId);

        // Reopening the same entry again without changes adds nothing.
        QVERIFY(model.reopenArchivedRequest(entryId));
        QCOMPARE(model.loadArchivedRequests().size(), 3);
        // And an unknown entry leaves the workspace as it is.
        QVERIFY(!model.reopenArchivedRequest(QStringLiteral("missing")));
        QCOMPARE(model.error().value_or(QString()), QString::fromUtf8(messages::reopenFailed));
        QCOMPARE(model.activeArchiveID().value_or(QString()), entryId);
    }

    void reopenWatchesOnlyItsOwnTransaction_data()
    {
        QTest::addColumn<QString>("transactionId");
        QTest::addColumn<QString>("transactionQuote");
        QTest::addColumn<bool>("watched");
        QTest::newRow("same request and quote") << "R1" << "Q1" << true;
        QTest::newRow("another request") << "R2" << "Q1" << false;
        QTest::newRow("another quote") << "R1" << "Q2" << false;
    }
    void reopenWatchesOnlyItsOwnTransaction()
    {
        QFETCH(QString, transactionId);
        QFETCH(QString, transactionQuote);
        Draft pending = Draft::make();
        pending.pendingCheckout = CheckoutRequest{QStringLiteral("R1"), QStringLiteral("Q1"), 1000,
                                                  QStringLiteral("card"), 1000, false};
        const CheckoutTransaction done{.id = transactionId, .quoteId = transactionQuote,
                                       .status = QStringLiteral("complete")};
        const QList<ArchivedWorkspaceRequest> list{{QStringLiteral("E1"), 1.0, pending, done}};
        writeBytes(m_ws->requestsPath(QStringLiteral("alice")), encode(list, KeyStyle::Storage));

        CheckoutModel &model = m_ws->open();
        signInLocally(model, serverA, QStringLiteral("alice"));
        QVERIFY(model.reopenArchivedRequest(QStringLiteral("E1")));
        QTEST(model.checkoutPart()->transaction().has_value(), "watched");
    }

    // Only an entry without a request of unknown outcome may go; the file is
    // what is written, and the list follows it.
    void removeSavedWork_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("removed");
        QTest::newRow("plain draft") << "plain" << true;
        QTest::newRow("pending quote save") << "save" << false;
        QTest::newRow("pending checkout") << "checkout" << false;
        QTest::newRow("no longer listed") << "gone" << true;
    }
    void removeSavedWork()
    {
        QFETCH(QString, id);
        QFETCH(bool, removed);
        Draft plain = Draft::make();
        plain.lines = {line(QStringLiteral("1"), QStringLiteral("5"))};
        Draft checkout = plain;
        checkout.pendingCheckout = CheckoutRequest{QStringLiteral("R1"), QStringLiteral("Q1"), 500,
                                                   QStringLiteral("card"), 0, false};
        const QList<ArchivedWorkspaceRequest> list{{QStringLiteral("plain"), 3.0, plain, {}},
                                                   {QStringLiteral("save"), 2.0, draftWithPendingSave(), {}},
                                                   {QStringLiteral("checkout"), 1.0, checkout, {}}};
        const QString requests = m_ws->requestsPath(QStringLiteral("alice"));
        writeBytes(requests, encode(list, KeyStyle::Storage));
        CheckoutModel &model = m_ws->open();
        signInLocally(model, serverA, QStringLiteral("alice"));

        QCOMPARE(model.removeArchivedRequest(id), removed);
        QList<ArchivedWorkspaceRequest> expected = list;
        if (removed) expected.removeIf([&](const ArchivedWorkspaceRequest &e) { return e.id == id; });
        else QCOMPARE(model.error().value_or(QString()), QString::fromUtf8(messages::removePending));
        QCOMPARE(model.historyPart()->archivedRequests(), expected);
        QCOMPARE(model.loadArchivedRequests(), expected);
    }

    // Temporary copies a killed write left behind go at start; nothing else
    // in the folder does, and neither does a write that may still be running.
    void leftoverTemporariesGoAtStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("removed");
        const QString key = CheckoutModel::workspaceKey(serverA, QStringLiteral("alice"));
        const QString draft = QStringLiteral("draft-") + key + QStringLiteral(".json");
        const QString requests = QStringLiteral("draft-") + key + QStringLiteral(".requests.json");
        QTest::newRow("draft") << draft + ".tmp-a1B2c3" << 3600 << true;
        QTest::newRow("saved requests") << requests + ".tmp-Zz9900" << 120 << true;
        QTest::newRow("still being written") << draft + ".tmp-a1B2c3" << 0 << false;
        QTest::newRow("the draft itself") << draft << 3600 << false;
        QTest::newRow("another program's") << "notes.json.tmp-a1B2c3" << 3600 << false;
        QTest::newRow("longer suffix") << draft + ".tmp-a1B2c3d" << 3600 << false;
        QTest::newRow("not a workspace key") << "draft-1234.json.tmp-a1B2c3" << 3600 << false;
    }
    void leftoverTemporariesGoAtStart()
    {
        QFETCH(QString, name);
        QFETCH(int, ageSeconds);
        const QString path = m_ws->storage() + u'/' + name;
        writeBytes(path, "{\"customer\": \"Ada\"}");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
        file.close();
        // The same name in a folder below is not this app's to remove.
        const QString nested = m_ws->storage() + QStringLiteral("/below/") + name;
        QVERIFY(QDir().mkpath(QFileInfo(nested).absolutePath()));
        QVERIFY(QFile::copy(path, nested));

        CheckoutModel &model = m_ws->open();
        finish(model.start());
        QTEST(!QFileInfo::exists(path), "removed");
        QVERIFY(QFileInfo::exists(nested));
    }

    void signedOutWritesNothing()
    {
        CheckoutModel &model = m_ws->open();
        QVERIFY(!model.draftFileURL());
        QVERIFY_THROWS_EXCEPTION(APIError, model.persistDraft(Draft::make()));
        QVERIFY(!model.resetWorkspace());
        QVERIFY(!model.error());
        QVERIFY(QDir(m_ws->storage()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(WorkspacePersistenceTest)
#include "tst_workspace_persistence.moc"
