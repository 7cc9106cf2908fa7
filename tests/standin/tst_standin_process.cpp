// The checkout-standin executable as other programs start it.

#include "HttpWalk.h"

#include "records/Reference.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;

class TestStandinProcess : public QObject {
    Q_OBJECT

private slots:
    void helpSaysWhatItIs()
    {
        QProcess process;
        process.start(QStringLiteral(STANDIN_EXECUTABLE), {QStringLiteral("--help")});
        QVERIFY(process.waitForFinished(30000));
        const QString help = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY(help.contains(QLatin1String("NOT part of the checkout client")));
        for (const char *option : {"--host", "--port", "--data", "--seed", "--callback-scheme", "--payment-route",
                                   "--accounting-mode", "--payments-enabled", "--auto-pay", "--enable-test-controls"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
    }

    void badOptionsAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("seed") << QStringList{"--seed", "everything"};
        QTest::newRow("route") << QStringList{"--payment-route", "paypal"};
        QTest::newRow("port") << QStringList{"--port", "70000"};
        QTest::newRow("payments") << QStringList{"--payments-enabled", "maybe"};
    }
    void badOptionsAreRefused()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        QProcess process;
        process.start(QStringLiteral(STANDIN_EXECUTABLE), QStringList{"--port", "0", "--data", dir.path()} + arguments);
        QVERIFY(process.waitForFinished(30000));
        QVERIFY(process.exitCode() != 0);
        QVERIFY(!process.readAllStandardError().isEmpty());
    }

    void servesOnAFreePort()
    {
        QTemporaryDir dir;
        QProcess process;
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(QStringLiteral(STANDIN_EXECUTABLE),
                      {"--port", "0", "--data", dir.path(), "--seed", "empty", "--enable-test-controls",
                       "--payments-enabled", "false"});
        QVERIFY(process.waitForStarted());
        QByteArray line;
        while (!line.contains('\n') && process.waitForReadyRead(30000)) line += process.readAllStandardOutput();
        const auto match = QRegularExpression(QStringLiteral("^listening on (http://127\\.0\\.0\\.1:\\d+)\n$"))
                               .match(QString::fromUtf8(line));
        QVERIFY2(match.hasMatch(), line.constData());
        HttpWalk http(match.captured(1));
        QCOMPARE(http.get("/api/me").status, 401);
        const HttpResult token = http.post("/__standin/token", "{\"user\":\"Avery Demo\"}");
        QCOMPARE(token.status, 200);
        http.setToken(decode<Session>(token.body, KeyStyle::Wire).token);
        const Me me = decode<Me>(http.get("/api/me").body, KeyStyle::Wire);
        QVERIFY(!me.paymentsEnabled && me.paymentsSetupMessage);
        QVERIFY(decode<Catalog>(http.get("/api/catalog").body, KeyStyle::Wire).products.isEmpty());
        QCOMPARE(http.get("/__standin/counts").body,
                 QByteArray("{\"checkouts\":0,\"customers\":0,\"deals\":0,\"quotes\":0,\"receipts\":0,\"sessions\":1}"));
        process.terminate();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit); // stopped cleanly, not killed
        QCOMPARE(process.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestStandinProcess)
#include "tst_standin_process.moc"
