// The keychain session store against a real Secret Service (the wrapper
// script starts a private one): items per address, replacement on write,
// operations kept in call order, and what is left in the keyring.

#include "Run.h"

#include "platform/auth/KeychainSessionStore.h"
#include "records/Codec.h"
#include "records/Reference.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>

using namespace vantrel;
using namespace vantrel::testing;

namespace {
const QString service = QStringLiteral("com.vantrel.checkout");
// Set in a copy of this program that runs without any keychain service.
const char noKeychainVariable[] = "VANTREL_TEST_NO_KEYCHAIN";

QString freshAddress()
{
    return QStringLiteral("https://checkout-") + QUuid::createUuid().toString(QUuid::Id128) +
           QStringLiteral(".example");
}

// How many keyring items the Secret Service holds for this account.
int storedItems(const QString &account)
{
    QProcess tool;
    tool.start(QStringLiteral("secret-tool"),
               {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("server"), service,
                QStringLiteral("user"), account});
    if (!tool.waitForFinished(20000)) return -1;
    const QByteArray listing = '\n' + tool.readAllStandardOutput() + tool.readAllStandardError();
    return int(listing.count("\n[/"));
}
} // namespace

class TestKeychainSession : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sessionsPerAddress();
    void callOrderHolds_data();
    void callOrderHolds();
    void failuresAreReported();
};

void TestKeychainSession::initTestCase()
{
    if (qEnvironmentVariableIsSet(noKeychainVariable)) return;
    if (QStandardPaths::findExecutable(QStringLiteral("secret-tool")).isEmpty())
        QSKIP("secret-tool is not installed, so the keyring cannot be inspected.");
    // Probe the service with its own tool, so that a fault of the store is
    // never mistaken for a missing service.
    QProcess probe;
    probe.start(QStringLiteral("secret-tool"), {QStringLiteral("store"), QStringLiteral("--label=probe"),
                                                 QStringLiteral("probe"), QUuid::createUuid().toString()});
    probe.write("x");
    probe.closeWriteChannel();
    if (!probe.waitForFinished(20000) || probe.exitCode() != 0)
        QSKIP(qPrintable(QStringLiteral("No Secret Service on the session bus: ") +
                         QString::fromLocal8Bit(probe.readAllStandardError()).trimmed()));
}

void TestKeychainSession::sessionsPerAddress()
{
    KeychainSessionStore store;
    const QString address = freshAddress();
    const QString other = address + QStringLiteral(":8443");

    QCOMPARE(settle(store.read(address)).value->has_value(), false);

    const Session first{QStringLiteral("token-1"), QStringLiteral("ann"), false};
    const Session second{QStringLiteral("token-2"), QStringLiteral("bob"), true};
    settle(store.write(address, encode(first, KeyStyle::Storage)));
    settle(store.write(other, encode(first, KeyStyle::Storage)));
    settle(store.write(address, encode(second, KeyStyle::Storage)));

    const auto stored = settle(store.read(address));
    QVERIFY(stored.value && *stored.value);
    QCOMPARE(decode<Session>(**stored.value, KeyStyle::Storage), second);
    QVERIFY((*stored.value)->contains("\"token\""));
    QCOMPARE(storedItems(address), 1);

    settle(store.remove(address));
    QCOMPARE(settle(store.read(address)).value->has_value(), false);
    QCOMPARE(storedItems(address), 0);
    // Other addresses keep their sessions.
    const auto kept = settle(store.read(other));
    QVERIFY(kept.value && *kept.value);
    QCOMPARE(decode<Session>(**kept.value, KeyStyle::Storage), first);
    settle(store.remove(other));
}

void TestKeychainSession::callOrderHolds_data()
{
    QTest::addColumn<QStringList>("calls"); // "write <token>" or "remove", called back to back
    QTest::addColumn<QString>("left");      // token of the session left; empty for none

    QTest::newRow("sign-out during the sign-in's write") << QStringList{"write a", "remove"} << "";
    QTest::newRow("sign-in again right after sign-out") << QStringList{"write a", "remove", "write b"} << "b";
    QTest::newRow("remove of nothing, then write") << QStringList{"remove", "write a"} << "a";
}

void TestKeychainSession::callOrderHolds()
{
    QFETCH(QStringList, calls);
    QFETCH(QString, left);
    KeychainSessionStore store;
    const QString address = freshAddress();
    // Nobody waits for an operation before calling the next, as the model
    // does not; a read queued behind them sees their result.
    QList<std::shared_ptr<Outcome<void>>> outcomes;
    for (const QString &call : calls) {
        if (call == u"remove") {
            outcomes.append(start(store.remove(address)));
        } else {
            const Session session{call.mid(6), QStringLiteral("ann"), false};
            outcomes.append(start(store.write(address, encode(session, KeyStyle::Storage))));
        }
    }
    auto read = start(store.read(address));
    QVERIFY(store.hasPendingWork());
    QVERIFY(settle(store.flush()).value);
    QVERIFY(!store.hasPendingWork());
    for (const auto &outcome : outcomes) {
        QVERIFY(outcome->done);
        QCOMPARE(describe(outcome->error), QStringLiteral("success"));
    }
    QVERIFY(read->done && read->value);
    QCOMPARE(read->value->has_value() ? decode<Session>(**read->value, KeyStyle::Storage).token : QString(),
             left);
    QCOMPARE(storedItems(address), left.isEmpty() ? 0 : 1);
    settle(store.remove(address));
}

void TestKeychainSession::failuresAreReported()
{
    if (!qEnvironmentVariableIsSet(noKeychainVariable)) {
        // The store is tried in a copy of this program whose session bus
        // leads nowhere, so no keychain service answers.
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(noKeychainVariable), QStringLiteral("1"));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QStringLiteral("unix:path=/nonexistent/vantrel-test-bus"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("failuresAreReported")});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitCode() == 0, child.readAll().constData());
        return;
    }
    KeychainSessionStore store;
    const QString address = freshAddress();
    const Session session{QStringLiteral("t"), QStringLiteral("ann"), false};
    const auto written = settle(store.write(address, encode(session, KeyStyle::Storage)));
    const auto removed = settle(store.remove(address));
    QCOMPARE(errorDescription(written.error), SessionStoreError::writeFailed);
    QCOMPARE(errorDescription(removed.error), SessionStoreError::removeFailed);
    QCOMPARE(settle(store.read(address)).value->has_value(), false);
    QVERIFY(!store.hasPendingWork());
}

QTEST_GUILESS_MAIN(TestKeychainSession)
#include "tst_keychain_session.moc"
