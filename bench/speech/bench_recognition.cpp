// Recognition quality figure: spoken catalog phrases (synthesised with
// espeak-ng) through the real recogniser, with the catalog grammar and with
// the generic model; a phrase counts when its transcript finds exactly the
// intended product. Prints the figure; it is a measurement, not a test.

#include "media/VoiceVocabulary.h"
#include "platform/speech/PocketSphinxRecognizer.h"
#include "workflow/CatalogSearch.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace vantrel;
using namespace vantrel::speech;

namespace {

Product item(const QString &name, const QString &sku, const QString &category)
{
    Product p;
    p.id = sku;
    p.name = name;
    p.sku = sku;
    p.category = category;
    return p;
}

const QList<Product> &catalog()
{
    static const QList<Product> products{
        item("Base Cabinet 36", "WS36-BASE", "Base"),
        item("Base Cabinet 24", "WS24-BASE", "Base"),
        item("Wall Cabinet 24", "WO24-WALL", "Wall"),
        item("Wall Cabinet 30", "WO30-WALL", "Wall"),
        item("Vanity 18", "GS18-VANITY", "Vanity"),
        item("Vanity 21", "WS21-VANITY", "Vanity"),
        item("Wall Cabinet 12", "WS12-WALL", "Wall"),
        item("Base Cabinet 15", "WO15-BASE", "Base"),
        item("Wall Cabinet 42", "GS42-WALL", "Wall"),
        item("Filler 9", "GS9-FILLER", "Accessories"),
        item("Lazy Susan Corner Cabinet", "LSC36", "Base"),
        item("Crown Molding", "CM8", "Accessories"),
        item("Sink Base 30", "WO30-SINK", "Base"),
    };
    return products;
}

bool findsOnly(const QString &transcript, const QString &sku)
{
    QStringList found;
    for (const Product &p : catalog()) {
        if (matchesSearch(p, transcript)) found << p.sku;
    }
    return found == QStringList{sku};
}

// 16 kHz mono 16-bit samples of the spoken phrase, or empty on failure.
QByteArray speak(const QString &phrase, const QString &dir, int index)
{
    const QString raw = dir + QStringLiteral("/raw%1.wav").arg(index);
    const QString wav = dir + QStringLiteral("/p%1.wav").arg(index);
    if (QProcess::execute(QStringLiteral("espeak-ng"), {QStringLiteral("-w"), raw, phrase}) != 0) return {};
    if (QProcess::execute(QStringLiteral("sox"), {raw, QStringLiteral("-r"), QStringLiteral("16000"),
                                                  QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-b"),
                                                  QStringLiteral("16"), wav}) != 0) {
        return {};
    }
    QFile file(wav);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    if (data < 0 || bytes.size() < data + 8) return {};
    return bytes.mid(data + 8);
}

// Feeds the samples in capture-sized buffers and waits for the final result.
QString recognize(PocketSphinxRecognizer &recognizer, const QByteArray &samples)
{
    QString final;
    bool done = false;
    auto connection = QObject::connect(&recognizer, &SpeechRecognizer::result, [&](const QString &text, bool isFinal) {
        if (isFinal) {
            final = text;
            done = true;
        }
    });
    auto failure = QObject::connect(&recognizer, &SpeechRecognizer::failed, [&](const QString &) { done = true; });
    recognizer.start();
    // Half a second of silence on both sides, as a person pauses around speech.
    const QByteArray silence(16000, '\0');
    const QByteArray audio = silence + samples + silence;
    for (qsizetype at = 0; at < audio.size(); at += 2048) recognizer.append(audio.mid(at, 2048));
    recognizer.endAudio();
    if (!QTest::qWaitFor([&] { return done; }, 120000)) qWarning("no final result");
    QObject::disconnect(connection);
    QObject::disconnect(failure);
    return final;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) {
        std::printf("bench_recognition: espeak-ng and sox are needed to synthesise the phrases\n");
        return 0;
    }
    PocketSphinxRecognizer tuned;
    PocketSphinxRecognizer generic;
    if (!tuned.isAvailable()) {
        std::printf("bench_recognition: the US-English speech model is not installed\n");
        return 0;
    }
    tuned.setVocabulary(catalogPhrases(catalog()));
    generic.setVocabulary({});

    const QList<std::pair<QString, QString>> phrases{
        {"white shaker thirty six base", "WS36-BASE"},
        {"white shaker twenty four base", "WS24-BASE"},
        {"white oak twenty four wall", "WO24-WALL"},
        {"white oak thirty wall", "WO30-WALL"},
        {"graphite shaker eighteen vanity", "GS18-VANITY"},
        {"white shaker twenty one vanity", "WS21-VANITY"},
        {"white shaker twelve wall", "WS12-WALL"},
        {"white oak fifteen base", "WO15-BASE"},
        {"graphite shaker forty two wall", "GS42-WALL"},
        {"graphite shaker nine filler", "GS9-FILLER"},
        {"lazy susan corner", "LSC36"},
        {"crown molding", "CM8"},
    };
    QTemporaryDir dir;
    int tunedHits = 0;
    int genericHits = 0;
    for (int i = 0; i < phrases.size(); ++i) {
        const auto &[phrase, sku] = phrases[i];
        const QByteArray samples = speak(phrase, dir.path(), i);
        if (samples.isEmpty()) {
            std::printf("bench_recognition: could not synthesise \"%s\"\n", qPrintable(phrase));
            return 1;
        }
        const QString fromTuned = recognize(tuned, samples);
        const QString fromGeneric = recognize(generic, samples);
        tunedHits += findsOnly(fromTuned, sku);
        genericHits += findsOnly(fromGeneric, sku);
        std::printf("%-34s tuned: %-34s generic: %s\n", qPrintable(phrase), qPrintable(fromTuned),
                    qPrintable(fromGeneric));
    }
    std::printf("phrases leading to their product: catalog grammar %d of %lld, generic model %d of %lld\n",
                tunedHits, qint64(phrases.size()), genericHits, qint64(phrases.size()));
    return 0;
}
