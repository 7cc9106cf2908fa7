// Voice search over platform fakes that record what was asked of them.

#include "media/VoiceSearch.h"
#include "platform/speech/PocketSphinxRecognizer.h"
#include "platform/speech/QtAudioInput.h"

#include "Run.h"

#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using namespace vantrel::speech;
using namespace vantrel::testing;

namespace {

struct FakePermissions : SpeechPermissions {
    bool speech = true;
    bool microphone = true;
    QCoro::Task<bool> requestSpeechRecognition() override { co_return speech; }
    QCoro::Task<bool> requestMicrophone() override { co_return microphone; }
};

struct FakeSession : AudioSession {
    QString failure;
    int activations = 0;
    int deactivations = 0;
    QString activateForRecording() override
    {
        ++activations;
        return failure;
    }
    void deactivate() override { ++deactivations; }
};

struct FakeInput : AudioInput {
    int rate = 16000;
    bool running = false;
    int sampleRate() const override { return rate; }
    QString start() override
    {
        running = true;
        return {};
    }
    void stop() override { running = false; }
};

struct FakeRecognizer : SpeechRecognizer {
    bool available = true;
    bool running = false;
    QByteArray heard;
    bool isAvailable() const override { return available; }
    void setVocabulary(const QStringList &) override {}
    void start() override { running = true; }
    void append(const QByteArray &samples) override { heard += samples; }
    void endAudio() override {}
    void cancel() override { running = false; }
};

struct Rig {
    std::shared_ptr<FakePermissions> permissions = std::make_shared<FakePermissions>();
    std::shared_ptr<FakeSession> session = std::make_shared<FakeSession>();
    std::shared_ptr<FakeInput> input = std::make_shared<FakeInput>();
    std::shared_ptr<FakeRecognizer> recognizer = std::make_shared<FakeRecognizer>();
    std::unique_ptr<VoiceSearch> voice = std::make_unique<VoiceSearch>(
        VoiceSearch::Platform{permissions, session, input, recognizer});

    void toggle() { QVERIFY(settle(voice->toggleAsync()).done); }
};

} // namespace

class TestVoiceSearch : public QObject {
    Q_OBJECT

private slots:
    void refusedStarts_data()
    {
        QTest::addColumn<bool>("speech");
        QTest::addColumn<bool>("microphone");
        QTest::addColumn<bool>("available");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("sessionFailure");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("activations");
        QTest::newRow("speech denied") << false << true << true << 16000 << "" << VoiceSearch::permissionMessage << 0;
        QTest::newRow("microphone denied") << true << false << true << 16000 << "" << VoiceSearch::permissionMessage << 0;
        QTest::newRow("no model") << true << true << false << 16000 << "" << VoiceSearch::unavailableMessage << 0;
        QTest::newRow("session refused") << true << true << true << 16000 << "Audio is busy." << "Audio is busy." << 1;
        QTest::newRow("no input") << true << true << true << 0 << "" << VoiceSearch::noInputMessage << 1;
    }
    void refusedStarts()
    {
        QFETCH(bool, speech);
        QFETCH(bool, microphone);
        QFETCH(bool, available);
        QFETCH(int, rate);
        QFETCH(QString, sessionFailure);
        QFETCH(int, activations);
        Rig rig;
        rig.permissions->speech = speech;
        rig.permissions->microphone = microphone;
        rig.recognizer->available = available;
        rig.input->rate = rate;
        rig.session->failure = sessionFailure;
        rig.toggle();
        QTEST(rig.voice->message(), "message");
        QVERIFY(!rig.voice->listening());
        QVERIFY(!rig.input->running);
        QVERIFY(!rig.recognizer->running);
        QCOMPARE(rig.session->activations, activations);
        // Whatever was claimed is given back.
        QCOMPARE(rig.session->deactivations, sessionFailure.isEmpty() ? activations : 0);
    }

    // A start after a refused one clears the refusal; audio reaches the recogniser.
    void toggleWhileListeningStopsAndKeepsTranscript()
    {
        Rig rig;
        rig.permissions->speech = false;
        rig.toggle();
        rig.permissions->speech = true;
        rig.toggle();
        QVERIFY(rig.voice->listening());
        QVERIFY(rig.voice->message().isEmpty());
        emit rig.input->audio(QByteArray(320, 'x'));
        QCOMPARE(rig.recognizer->heard.size(), 320);
        emit rig.recognizer->result(QStringLiteral("white shaker"), false);
        QCOMPARE(rig.voice->transcript(), QStringLiteral("white shaker"));
        rig.toggle();
        QVERIFY(!rig.voice->listening());
        QVERIFY(!rig.input->running);
        QVERIFY(!rig.recognizer->running);
        QCOMPARE(rig.session->deactivations, 1);
        QCOMPARE(rig.voice->transcript(), QStringLiteral("white shaker"));
        // A late result of the stopped session changes nothing.
        emit rig.recognizer->result(QStringLiteral("wall"), true);
        QCOMPARE(rig.voice->transcript(), QStringLiteral("white shaker"));
    }

    void endsOfRecognitionStopListening_data()
    {
        QTest::addColumn<bool>("error");
        // A partial result keeps listening: toggleWhileListeningStopsAndKeepsTranscript.
        QTest::newRow("final result") << false;
        QTest::newRow("error") << true;
    }
    void endsOfRecognitionStopListening()
    {
        QFETCH(bool, error);
        Rig rig;
        rig.toggle();
        if (error) emit rig.recognizer->failed(QStringLiteral("gone"));
        else emit rig.recognizer->result(QStringLiteral("thirty six base"), true);
        QVERIFY(!rig.voice->listening());
        QVERIFY(!rig.input->running);
        if (!error) QCOMPARE(rig.voice->transcript(), QStringLiteral("thirty six base"));
    }

    void goneObjectIsNeverTouched()
    {
        Rig rig;
        rig.toggle();
        rig.voice.reset();
        QCOMPARE(rig.session->deactivations, 1);
        emit rig.recognizer->result(QStringLiteral("late"), true);
        emit rig.input->audio(QByteArray(10, 'x'));
        QVERIFY(rig.recognizer->heard.isEmpty());
    }

    void grammarKeepsOnlyKnownWords()
    {
        const QStringList phrases = PocketSphinxRecognizer::grammarPhrases(
            {QStringLiteral("white shaker thirty six"), QStringLiteral("zxq"), QStringLiteral("White  Shaker"),
             QStringLiteral("zxq white-shaker")},
            [](const QString &w) { return w != QStringLiteral("zxq"); });
        QCOMPARE(phrases, (QStringList{QStringLiteral("white shaker thirty six"), QStringLiteral("white shaker")}));
    }

    void capturedAudioBecomesSixteenKilohertzMono_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("expectedSamples");
        QTest::newRow("48 kHz stereo float") << 48000 << 2 << int(QAudioFormat::Float) << 1600;
        QTest::newRow("44.1 kHz mono int16") << 44100 << 1 << int(QAudioFormat::Int16) << 1600;
        QTest::newRow("16 kHz mono int16") << 16000 << 1 << int(QAudioFormat::Int16) << 1600;
    }
    void capturedAudioBecomesSixteenKilohertzMono()
    {
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, format);
        QFETCH(int, expectedSamples);
        QAudioFormat f;
        f.setSampleRate(rate);
        f.setChannelCount(channels);
        f.setSampleFormat(QAudioFormat::SampleFormat(format));
        // 100 ms of full-scale positive signal, split in two buffers.
        const int frames = rate / 10;
        QByteArray captured(frames * f.bytesPerFrame(), '\0');
        for (int i = 0; i < frames * channels; ++i) {
            if (f.sampleFormat() == QAudioFormat::Float) reinterpret_cast<float *>(captured.data())[i] = 0.5f;
            else reinterpret_cast<qint16 *>(captured.data())[i] = 16384;
        }
        double phase = 0;
        const int half = (frames / 2) * f.bytesPerFrame();
        QByteArray out = QtAudioInput::toRecognizerFormat(captured.left(half), f, phase)
            + QtAudioInput::toRecognizerFormat(captured.mid(half), f, phase);
        QVERIFY(qAbs(out.size() / 2 - expectedSamples) <= 1);
        const auto *samples = reinterpret_cast<const qint16 *>(out.constData());
        for (int i = 0; i < out.size() / 2; ++i) QVERIFY(qAbs(samples[i] - 16384) <= 1);
    }
};

QTEST_GUILESS_MAIN(TestVoiceSearch)
#include "tst_voicesearch.moc"
