// A draft file survives its writer being killed at any moment: afterwards it
// always holds one whole draft that was written, never a torn or empty one.
#include "records/Codec.h"
#include "records/Workspace.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace vantrel;

class DraftKillTest : public QObject {
    Q_OBJECT

private:
    // The number of the whole draft in the file, or -1 for anything else.
    static long wholeDraftNumber(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return -1;
        const std::optional<Draft> decoded = tryDecode<Draft>(file.readAll(), KeyStyle::Storage);
        if (!decoded) return -1;
        const Draft &draft = *decoded;
        if (!draft.notes.startsWith(QLatin1String("draft-")) || draft.lines.size() != 20) return -1;
        const long n = draft.notes.mid(6).toLong();
        for (int k = 0; k < 20; ++k)
            if (draft.lines[k].id != QStringLiteral("draft-%1-line-%2").arg(n).arg(k)) return -1;
        return n;
    }

private slots:
    void killedWriterNeverTearsTheDraft()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("draft-test.json"));
        {
            QProcess first;
            first.start(QStringLiteral(DRAFT_WRITER), {path, QStringLiteral("0")});
            QVERIFY(first.waitForReadyRead(30000));
            first.kill();
            first.waitForFinished();
        }
        long previous = wholeDraftNumber(path);
        QVERIFY(previous >= 0);

        int advanced = 0;
        constexpr int kills = 200;
        for (int i = 0; i < kills; ++i) {
            QProcess writer;
            writer.start(QStringLiteral(DRAFT_WRITER), {path, QString::number(previous + 1)});
            QVERIFY(writer.waitForStarted(30000));
            // The writer reports each finished write and starts the next at
            // once; a kill shortly after a report lands while the next draft
            // is being encoded and written, not in the long fsync.
            QVERIFY(writer.waitForReadyRead(30000));
            QThread::usleep(QRandomGenerator::global()->bounded(400));
            writer.kill();
            QVERIFY(writer.waitForFinished(30000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            const long n = wholeDraftNumber(path);
            QVERIFY2(n >= 0, qPrintable(QStringLiteral("kill %1 left a torn or empty draft").arg(i)));
            QVERIFY2(n > previous, qPrintable(QStringLiteral("kill %1 left draft %2 after %3").arg(i).arg(n).arg(previous)));
            advanced += 1;
            previous = n;
        }
        QCOMPARE(advanced, kills);
    }
};

QTEST_GUILESS_MAIN(DraftKillTest)
#include "tst_draft_kill.moc"
