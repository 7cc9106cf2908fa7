#include "QtAudioInput.h"

#include <QAudioSource>
#include <QCoreApplication>
#include <QMediaDevices>

#include <cmath>

namespace vantrel::speech {

namespace {

constexpr int recognizerRate = 16000;

QAudioFormat recognizerFormat()
{
    QAudioFormat format;
    format.setSampleRate(recognizerRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

struct Input {
    QAudioDevice device;
    QAudioFormat format;
    int sampleRate() const { return device.isNull() || !format.isValid() ? 0 : format.sampleRate(); }
};

// Looked up afresh each time, never kept from start-up: a microphone
// plugged in, unplugged or made the default since then is what the person
// now speaks into.
Input currentInput()
{
    Input input;
    input.device = QMediaDevices::defaultAudioInput();
    if (input.device.isNull()) return input;
    // Prefer what the recogniser wants; otherwise take the device's own
    // format and convert.
    input.format = input.device.isFormatSupported(recognizerFormat()) ? recognizerFormat()
                                                                      : input.device.preferredFormat();
    return input;
}

} // namespace

QtAudioInput::QtAudioInput(QObject *parent) : AudioInput(parent) {}

QtAudioInput::~QtAudioInput() { stop(); }

int QtAudioInput::sampleRate() const { return currentInput().sampleRate(); }

QString QtAudioInput::start()
{
    stop();
    const Input input = currentInput();
    if (input.sampleRate() <= 0)
        return QCoreApplication::translate("VoiceSearch", "The microphone could not be started.");
    m_device = input.device;
    m_format = input.format;
    m_source = std::make_unique<QAudioSource>(m_device, m_format);
    m_phase = 0;
    m_stream = m_source->start();
    if (!m_stream || m_source->error() != QAudio::NoError) {
        m_source.reset();
        m_stream = nullptr;
        return QCoreApplication::translate("VoiceSearch", "The microphone could not be started.");
    }
    connect(m_stream, &QIODevice::readyRead, this, [this] {
        if (!m_stream) return;
        const QByteArray captured = m_stream->readAll();
        const QByteArray samples = toRecognizerFormat(captured, m_format, m_phase);
        if (!samples.isEmpty()) emit audio(samples);
    });
    return {};
}

void QtAudioInput::stop()
{
    if (m_source) {
        m_source->stop();
        m_source.reset();
    }
    m_stream = nullptr;
}

QByteArray QtAudioInput::toRecognizerFormat(const QByteArray &captured, const QAudioFormat &format,
                                            double &phase)
{
    const int channels = format.channelCount();
    const int bytesPerFrame = format.bytesPerFrame();
    if (channels <= 0 || bytesPerFrame <= 0 || format.sampleRate() <= 0) return {};
    if (format == recognizerFormat()) return captured;
    const qsizetype frames = captured.size() / bytesPerFrame;
    const auto *data = captured.constData();
    auto sampleAt = [&](qsizetype frame) {
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += format.normalizedSampleValue(data + frame * bytesPerFrame + c * format.bytesPerSample());
        return sum / channels;
    };
    // Nearest-sample resampling is enough for speech recognition, which
    // looks at frequencies far below the new Nyquist limit.
    const double step = double(format.sampleRate()) / recognizerRate;
    QByteArray out;
    out.reserve(int(frames / step + 2) * 2);
    while (phase < frames) {
        const float value = std::clamp(sampleAt(qsizetype(phase)), -1.0f, 1.0f);
        const qint16 sample = qint16(std::lround(value * 32767.0f));
        out.append(reinterpret_cast<const char *>(&sample), sizeof sample);
        phase += step;
    }
    phase -= double(frames);
    return out;
}

} // namespace vantrel::speech
