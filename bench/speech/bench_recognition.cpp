// Recognition quality figure: spoken catalog phrases (synthesised with
// espeak-ng) through the real recogniser, with the catalog grammar and with
// the generic model, into the catalog screen's search rules. A phrase counts
// when its transcript finds exactly the intended product; one that finds it
// among others is counted apart. Half the phrases carry numbers the search's
// replacement table does not list ("thirty three", "one zero zero one"), so
// the general number reading is exercised too. Prints the figures; it is a
// measurement, not a test.

#include "workflow/VoiceVocabulary.h"
#include "platform/speech/PocketSphinxRecognizer.h"
#include "workflow/CatalogSearch.h"

#include "GeneratedCatalog.h"

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
        item("Base Cabinet 36", "WS36-BASE", "Base"),       item("Base Cabinet 24", "WS24-BASE", "Base"),
        item("Wall Cabinet 24", "WO24-WALL", "Wall"),       item("Wall Cabinet 30", "WO30-WALL", "Wall"),
        item("Vanity 18", "GS18-VANITY", "Vanity"),         item("Vanity 21", "WS21-VANITY", "Vanity"),
        item("Wall Cabinet 12", "WS12-WALL", "Wall"),       item("Base Cabinet 15", "WO15-BASE", "Base"),
        item("Wall Cabinet 42", "GS42-WALL", "Wall"),       item("Filler 9", "GS9-FILLER", "Accessories"),
        item("Lazy Susan Corner Cabinet", "LSC36", "Base"), item("Crown Molding", "CM8", "Accessories"),
        item("Sink Base 30", "WO30-SINK", "Base"),          item("Base Cabinet 33", "WS33-BASE", "Base"),
        item("Wall Cabinet 27", "WO27-WALL", "Wall"),       item("Vanity 48", "GS48-VANITY", "Vanity"),
        item("Sink Base 33", "WO33-SINK", "Base"),          item("Pantry 96", "GS96-PANTRY", "Tall"),
        item("Hinge 1001", "HG1001", "Accessories"),        item("Hinge 1002", "HG1002", "Accessories"),
        item("Filler 6", "WO6-FILLER", "Accessories"),      item("Filler 3", "WS3-FILLER", "Accessories"),
        item("Base Cabinet 27", "GS27-BASE", "Base"),       item("Corner Wall 2430", "WS2430-CORNER", "Wall"),
        item("Wall Cabinet 39", "WS39-WALL", "Wall"),
    };
    return products;
}

// The SKUs the catalog screen shows for the transcript as its search text.
QStringList found(const QString &transcript)
{
    static const QList<CatalogSearchKey> keys = catalogSearchKeys(catalog());
    CatalogFilter filter;
    filter.query = transcript;
    QStringList skus;
    // An empty transcript leaves every product showing: nothing was found.
    if (transcript.trimmed().isEmpty()) return skus;
    for (const qsizetype row : visibleProductRows(keys, filter)) skus << catalog().at(row).sku;
    return skus;
}

// How a transcript fared: 2 finds only the product, 1 finds it among others.
int score(const QString &transcript, const QString &sku)
{
    const QStringList skus = found(transcript);
    return skus == QStringList{sku} ? 2 : skus.contains(sku) ? 1 : 0;
}

// 16 kHz mono 16-bit samples of the spoken phrase, or empty on failure.
QByteArray speak(const QString &phrase, const QString &dir, int index)
{
    const QString raw = dir + QStringLiteral("/raw%1.wav").arg(index);
    const QString wav = dir + QStringLiteral("/p%1.wav").arg(index);
    // American English, as the recogniser's model and the staff at the counter speak
    // it; espeak-ng's default English voice is British ("wall" as "w'O:l").
    if (QProcess::execute(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("en-us"),
                                                        QStringLiteral("-w"), raw, phrase}) != 0) {
        return {};
    }
    if (QProcess::execute(QStringLiteral("sox"),
                          {raw, QStringLiteral("-r"), QStringLiteral("16000"), QStringLiteral("-c"),
                           QStringLiteral("1"), QStringLiteral("-b"), QStringLiteral("16"), wav}) != 0) {
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
    auto connection =
        QObject::connect(&recognizer, &SpeechRecognizer::result, [&](const QString &text, bool isFinal) {
            if (isFinal) {
                final = text;
                done = true;
            }
        });
    auto failure =
        QObject::connect(&recognizer, &SpeechRecognizer::failed, [&](const QString &) { done = true; });
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

// What the recogniser's finite-state grammar holds for a catalog: a phrase
// is a chain from the start to the end state, with a state between each two
// of its words and a transition per word.
void printGrammarSize(const char *what, const QList<Product> &products)
{
    const QStringList phrases = catalogPhrases(products);
    qsizetype states = 2;
    qsizetype transitions = 0;
    for (const QString &phrase : phrases) {
        const qsizetype words = phrase.count(QLatin1Char(' ')) + 1;
        states += words - 1;
        transitions += words;
    }
    std::printf("grammar for %s (%lld products): %lld phrases, %lld states, %lld transitions\n", what,
                qint64(products.size()), qint64(phrases.size()), qint64(states), qint64(transitions));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) {
        std::printf("bench_recognition: espeak-ng and sox are needed to synthesise the phrases\n");
        return 0;
    }
    printGrammarSize("the phrase catalog", catalog());
    printGrammarSize("a generated catalog", standin::generatedCatalog(10'000, QStringLiteral("tax")));
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
        // Numbers outside the replacement table.
        {"white shaker thirty three base", "WS33-BASE"},
        {"white oak twenty seven wall", "WO27-WALL"},
        {"graphite shaker forty eight vanity", "GS48-VANITY"},
        {"white oak thirty three sink", "WO33-SINK"},
        {"graphite shaker ninety six pantry", "GS96-PANTRY"},
        {"hinge one zero zero one", "HG1001"},
        {"hinge one zero zero two", "HG1002"},
        {"white oak six filler", "WO6-FILLER"},
        {"white shaker three filler", "WS3-FILLER"},
        {"graphite shaker twenty seven base", "GS27-BASE"},
        {"white shaker two four three zero corner", "WS2430-CORNER"},
        {"white shaker thirty nine wall", "WS39-WALL"},
    };
    QTemporaryDir dir;
    int tunedScores[3] = {};
    int genericScores[3] = {};
    QStringList misses;
    for (int i = 0; i < phrases.size(); ++i) {
        const auto &[phrase, sku] = phrases[i];
        const QByteArray samples = speak(phrase, dir.path(), i);
        if (samples.isEmpty()) {
            std::printf("bench_recognition: could not synthesise \"%s\"\n", qPrintable(phrase));
            return 1;
        }
        const QString fromTuned = recognize(tuned, samples);
        const QString fromGeneric = recognize(generic, samples);
        const int tunedScore = score(fromTuned, sku);
        ++tunedScores[tunedScore];
        ++genericScores[score(fromGeneric, sku)];
        static const char *const marks[] = {"miss", "among", "found"};
        std::printf("%-40s %-5s tuned: %-40s generic: %s\n", qPrintable(phrase), marks[tunedScore],
                    qPrintable(fromTuned), qPrintable(fromGeneric));
        if (tunedScore < 2)
            misses << QStringLiteral("\"%1\" heard as \"%2\" shows %3")
                          .arg(phrase, fromTuned, found(fromTuned).join(QLatin1Char(',')));
    }
    const double total = double(phrases.size());
    std::printf(
        "phrases leading to exactly their product: catalog grammar %d of %lld (%.0f%%; goal >= 80%%), "
        "generic model %d of %lld (%.0f%%)\n",
        tunedScores[2], qint64(phrases.size()), 100.0 * tunedScores[2] / total, genericScores[2],
        qint64(phrases.size()), 100.0 * genericScores[2] / total);
    std::printf("found among other products: catalog grammar %d, generic model %d\n", tunedScores[1],
                genericScores[1]);
    for (const QString &miss : std::as_const(misses)) std::printf("  missed: %s\n", qPrintable(miss));
    return 0;
}
