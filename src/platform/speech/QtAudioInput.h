#pragma once
// Microphone capture with Qt Multimedia, converted to 16 kHz mono 16-bit,
// from whatever input is the default when listening starts.

#include "SpeechPlatform.h"

#include <QAudioDevice>
#include <QAudioFormat>

#include <memory>

class QAudioSource;
class QIODevice;

namespace vantrel::speech {

class QtAudioInput : public AudioInput {
    Q_OBJECT
public:
    explicit QtAudioInput(QObject *parent = nullptr);
    ~QtAudioInput() override;

    // Both ask for the current default input each time.
    int sampleRate() const override;
    QString start() override;
    void stop() override;

    // Turns captured samples of any interleaved 16-bit, 32-bit or float
    // format into 16 kHz mono 16-bit samples; `phase` carries the
    // resampling position from one buffer to the next.
    static QByteArray toRecognizerFormat(const QByteArray &captured, const QAudioFormat &format,
                                         double &phase);

private:
    // The device and format of the capture running now.
    QAudioDevice m_device;
    QAudioFormat m_format;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice *m_stream = nullptr;
    double m_phase = 0;
};

} // namespace vantrel::speech
