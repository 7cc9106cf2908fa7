#include "VoiceSearch.h"

#include "platform/speech/PocketSphinxRecognizer.h"
#include "platform/speech/QtAudioInput.h"

#include <QCoreApplication>

namespace vantrel {

// The English sources; a message is put into the person's language when it is set.
const QString VoiceSearch::permissionMessage = QString::fromUtf8(QT_TRANSLATE_NOOP(
    "VoiceSearch",
    "Enable microphone and speech recognition in this device's settings to use voice search."));
const QString VoiceSearch::unavailableMessage =
    QString::fromUtf8(QT_TRANSLATE_NOOP("VoiceSearch", "Voice search unavailable. Type your search."));
const QString VoiceSearch::noInputMessage =
    QString::fromUtf8(QT_TRANSLATE_NOOP("VoiceSearch", "No microphone input is available."));

namespace {

QString translated(const QString &source)
{
    return QCoreApplication::translate("VoiceSearch", source.toUtf8().constData());
}

} // namespace

VoiceSearch::Platform VoiceSearch::desktopPlatform()
{
    return Platform{std::make_shared<speech::DesktopPermissions>(),
                    std::make_shared<speech::DesktopAudioSession>(), std::make_shared<speech::QtAudioInput>(),
                    std::make_shared<speech::PocketSphinxRecognizer>()};
}

VoiceSearch::VoiceSearch(QObject *parent) : VoiceSearch(desktopPlatform(), parent) {}

VoiceSearch::VoiceSearch(Platform platform, QObject *parent)
    : QObject(parent), m_platform(std::move(platform))
{
    if (m_platform.recognizer) {
        connect(m_platform.recognizer.get(), &speech::SpeechRecognizer::result, this, &VoiceSearch::onResult);
        connect(m_platform.recognizer.get(), &speech::SpeechRecognizer::failed, this, [this] { stop(); });
    }
    if (m_platform.input && m_platform.recognizer) {
        connect(m_platform.input.get(), &speech::AudioInput::audio, this, [this](const QByteArray &samples) {
            if (m_listening) m_platform.recognizer->append(samples);
        });
    }
}

VoiceSearch::~VoiceSearch()
{
    ++m_attempt;
    if (m_listening || m_sessionActive) stop();
    // The platform objects may outlive us through other owners: no signal of
    // theirs reaches this object any more.
    if (m_platform.recognizer) m_platform.recognizer->disconnect(this);
    if (m_platform.input) m_platform.input->disconnect(this);
}

void VoiceSearch::toggle()
{
    // Fire and forget: every failure ends as a message on the object.
    [](QPointer<VoiceSearch> self) -> QCoro::Task<void> {
        try {
            if (self) {
                QCoro::Task<void> task = self->toggleAsync();
                co_await task;
            }
        } catch (...) {}
    }(QPointer<VoiceSearch>(this));
}

QCoro::Task<void> VoiceSearch::toggleAsync()
{
    if (m_listening) {
        stop();
        return []() -> QCoro::Task<void> { co_return; }();
    }
    if (m_starting) return []() -> QCoro::Task<void> { co_return; }();
    return start(QPointer<VoiceSearch>(this), ++m_attempt);
}

QCoro::Task<void> VoiceSearch::start(QPointer<VoiceSearch> self, quint64 attempt)
{
    self->m_starting = true;
    auto still = [&] { return self && self->m_attempt == attempt; };
    auto permissions = self->m_platform.permissions;
    bool speechAllowed = false;
    bool microphoneAllowed = false;
    if (permissions) {
        QCoro::Task<bool> speechAnswer = permissions->requestSpeechRecognition();
        speechAllowed = co_await speechAnswer;
        if (!still()) {
            if (self) self->m_starting = false;
            co_return;
        }
        QCoro::Task<bool> microphoneAnswer = permissions->requestMicrophone();
        microphoneAllowed = co_await microphoneAnswer;
        if (!still()) {
            if (self) self->m_starting = false;
            co_return;
        }
    }
    self->m_starting = false;
    const Platform &p = self->m_platform;
    if (!speechAllowed || !microphoneAllowed) {
        self->setMessage(translated(permissionMessage));
        co_return;
    }
    if (!p.recognizer || !p.recognizer->isAvailable() || !p.session || !p.input) {
        self->setMessage(translated(unavailableMessage));
        co_return;
    }
    self->stop();

    if (const QString failure = p.session->activateForRecording(); !failure.isEmpty()) {
        self->stop();
        self->setMessage(failure);
        co_return;
    }
    self->m_sessionActive = true;
    if (p.input->sampleRate() <= 0) {
        self->stop();
        self->setMessage(translated(noInputMessage));
        co_return;
    }
    p.recognizer->start();
    if (const QString failure = p.input->start(); !failure.isEmpty()) {
        self->stop();
        self->setMessage(failure);
        co_return;
    }
    self->setListening(true);
    self->setMessage(QString());
}

void VoiceSearch::stop()
{
    ++m_attempt;
    m_starting = false;
    if (m_platform.input) m_platform.input->stop();
    if (m_platform.recognizer) {
        m_platform.recognizer->endAudio();
        m_platform.recognizer->cancel();
    }
    setListening(false);
    if (m_sessionActive && m_platform.session) m_platform.session->deactivate();
    m_sessionActive = false;
}

void VoiceSearch::setVocabulary(const QStringList &phrases)
{
    if (m_platform.recognizer) m_platform.recognizer->setVocabulary(phrases);
}

void VoiceSearch::onResult(const QString &text, bool isFinal)
{
    if (!m_listening) return;
    setTranscript(text);
    if (isFinal) stop();
}

void VoiceSearch::setListening(bool listening)
{
    if (m_listening == listening) return;
    m_listening = listening;
    emit listeningChanged();
}

void VoiceSearch::setTranscript(const QString &transcript)
{
    if (m_transcript == transcript) return;
    m_transcript = transcript;
    emit transcriptChanged();
}

void VoiceSearch::setMessage(const QString &message)
{
    if (m_message == message) return;
    m_message = message;
    emit messageChanged();
}

} // namespace vantrel
