#pragma once
// Spoken catalog search: asks for permission, records the microphone, streams
// it to the on-device recogniser and publishes the running transcript.
//
// Main-thread confined. QML: bind to listening, transcript and message, call
// toggle() from the voice button and stop() when the catalog screen goes away.

#include "platform/speech/SpeechPlatform.h"

#include <QCoroTask>
#include <QObject>
#include <QStringList>

#include <memory>

namespace vantrel {

class VoiceSearch : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool listening READ listening NOTIFY listeningChanged)
    Q_PROPERTY(QString transcript READ transcript NOTIFY transcriptChanged)
    // Empty when voice search is not blocked by anything.
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)

public:
    struct Platform {
        std::shared_ptr<speech::SpeechPermissions> permissions;
        std::shared_ptr<speech::AudioSession> session;
        std::shared_ptr<speech::AudioInput> input;
        std::shared_ptr<speech::SpeechRecognizer> recognizer;
    };
    // The desktop platform: granted permissions, Qt Multimedia capture,
    // PocketSphinx with the system's US-English model.
    static Platform desktopPlatform();

    explicit VoiceSearch(QObject *parent = nullptr);
    VoiceSearch(Platform platform, QObject *parent = nullptr);
    ~VoiceSearch() override;

    bool listening() const { return m_listening; }
    QString transcript() const { return m_transcript; }
    QString message() const { return m_message; }

    // Starts listening when idle, stops when listening. A tap while a start
    // is still asking for permission is ignored.
    Q_INVOKABLE void toggle();
    QCoro::Task<void> toggleAsync();
    // Ends the session and releases the microphone.
    Q_INVOKABLE void stop();

    // Tunes recognition to the phrases a person is likely to say; none means
    // free speech with the generic model.
    void setVocabulary(const QStringList &phrases);

    static const QString permissionMessage;
    static const QString unavailableMessage;
    static const QString noInputMessage;

signals:
    void listeningChanged();
    void transcriptChanged();
    void messageChanged();

private:
    static QCoro::Task<void> start(QPointer<VoiceSearch> self, quint64 attempt);
    void setListening(bool listening);
    void setTranscript(const QString &transcript);
    void setMessage(const QString &message);
    void onResult(const QString &text, bool isFinal);

    Platform m_platform;
    bool m_listening = false;
    bool m_starting = false;
    bool m_sessionActive = false;
    QString m_transcript;
    QString m_message;
    // Renewed by stop(): a start still waiting for an answer gives up.
    quint64 m_attempt = 0;
};

} // namespace vantrel
