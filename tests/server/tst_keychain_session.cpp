// The keychain session store against a real Secret Service (the wrapper
// script starts a private one): items per address, replacement on write,
// and what is left in the keyring.

#include "LoopbackServer.h"

#include "platform/auth/KeychainSessionStore.h"
#include "records/Codec.h"
#include "records/Reference.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>

using namespace vantrel;
using namespace vantrel::testing;

namespace {
const QString service = QStringLiteral("com.vantrel.checkout");

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
};

void TestKeychainSession::initTestCase()
{
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
    const QString address = QStringLiteral("https://checkout-") + QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".example");
    const QString other = address + QStringLiteral(":8443");

    QCOMPARE(settle(store.read(address)).value->has_value(), false);

    const Session first{QStringLiteral("token-1"), QStringLiteral("ann"), false};
    const Session second{QStringLiteral("token-2"), QStringLiteral("bob"), true};
    settle(completed(store.write(address, encode(first, KeyStyle::Storage))));
    settle(completed(store.write(other, encode(first, KeyStyle::Storage))));
    settle(completed(store.write(address, encode(second, KeyStyle::Storage))));

    const auto stored = settle(store.read(address));
    QVERIFY(stored.value && *stored.value);
    QCOMPARE(decode<Session>(**stored.value, KeyStyle::Storage), second);
    QVERIFY((*stored.value)->contains("\"token\""));
    QCOMPARE(storedItems(address), 1);

    settle(completed(store.remove(address)));
    QCOMPARE(settle(store.read(address)).value->has_value(), false);
    QCOMPARE(storedItems(address), 0);
    // Other addresses keep their sessions.
    const auto kept = settle(store.read(other));
    QVERIFY(kept.value && *kept.value);
    QCOMPARE(decode<Session>(**kept.value, KeyStyle::Storage), first);
    settle(completed(store.remove(other)));
}

QTEST_GUILESS_MAIN(TestKeychainSession)
#include "tst_keychain_session.moc"
