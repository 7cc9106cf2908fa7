#pragma once
// On-device recognition with PocketSphinx and the US-English model, run on a
// worker thread; a catalog vocabulary becomes a grammar the decoder prefers.

#include "SpeechPlatform.h"

#include <QPointer>
#include <QThread>

namespace vantrel::speech {

class SphinxWorker;

class PocketSphinxRecognizer : public SpeechRecognizer {
    Q_OBJECT
public:
    // The model directory holds en-us/ (acoustic model), en-us.lm.bin and
    // cmudict-en-us.dict; empty means the system-wide model.
    explicit PocketSphinxRecognizer(QString modelDirectory = {}, QObject *parent = nullptr);
    ~PocketSphinxRecognizer() override;

    static QString systemModelDirectory();

    bool isAvailable() const override;
    void setVocabulary(const QStringList &phrases) override;
    void start() override;
    void append(const QByteArray &samples) override;
    void endAudio() override;
    void cancel() override;

    // The phrases the decoder's grammar accepts, each only whole (a free loop
    // over the same words lets the decoder string together whatever fits the
    // sound best, far more often than the phrase that was said). Words the
    // dictionary lacks are dropped from a phrase.
    static QStringList grammarPhrases(const QStringList &phrases,
                                      const std::function<bool(const QString &)> &known);

private:
    void deliver(quint64 session, const QString &text, bool isFinal, const QString &error);

    QString m_modelDirectory;
    QThread m_thread;
    SphinxWorker *m_worker = nullptr;
    quint64 m_session = 0;
    bool m_running = false;
};

} // namespace vantrel::speech
