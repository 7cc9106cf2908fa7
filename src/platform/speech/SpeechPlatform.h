#pragma once
// The operating-system services voice search stands on, each behind a small
// interface that tests replace: permissions, the audio session, microphone
// capture and the speech recogniser.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <QCoroTask>

#include <memory>

namespace vantrel::speech {

// Asks the person for speech recognition and microphone use.
class SpeechPermissions {
public:
    virtual ~SpeechPermissions() = default;
    virtual QCoro::Task<bool> requestSpeechRecognition() = 0;
    virtual QCoro::Task<bool> requestMicrophone() = 0;
};

// Claims the audio hardware for recording (ducking other audio) and gives it
// back. Returns an empty text on success, otherwise the platform's reason.
class AudioSession {
public:
    virtual ~AudioSession() = default;
    virtual QString activateForRecording() = 0;
    virtual void deactivate() = 0;
};

// Microphone capture delivering 16 kHz mono signed 16-bit samples.
class AudioInput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // 0 when there is no input device at all.
    virtual int sampleRate() const = 0;
    // Returns an empty text on success, otherwise the platform's reason.
    virtual QString start() = 0;
    virtual void stop() = 0;

signals:
    void audio(const QByteArray &samples);
};

// Streaming recognition. Audio may be appended from the main thread; results
// arrive as signals on the main thread, the last one with isFinal set.
class SpeechRecognizer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isAvailable() const = 0;
    // Phrases the person is likely to say; an empty list means free speech.
    virtual void setVocabulary(const QStringList &phrases) = 0;
    virtual void start() = 0;
    virtual void append(const QByteArray &samples) = 0;
    // No more audio: the final result follows.
    virtual void endAudio() = 0;
    // Drops the session; nothing more is reported for it.
    virtual void cancel() = 0;

signals:
    void result(const QString &text, bool isFinal);
    void failed(const QString &reason);
};

// Desktop platforms have no per-app permission prompt: both are granted.
class DesktopPermissions : public SpeechPermissions {
public:
    QCoro::Task<bool> requestSpeechRecognition() override;
    QCoro::Task<bool> requestMicrophone() override;
};

// Desktop audio stacks mix and route recording streams themselves.
class DesktopAudioSession : public AudioSession {
public:
    QString activateForRecording() override { return {}; }
    void deactivate() override {}
};

} // namespace vantrel::speech
