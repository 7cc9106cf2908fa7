#include "PocketSphinxRecognizer.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <pocketsphinx.h>
#include <sphinxbase/ckd_alloc.h>
#include <sphinxbase/err.h>
#include <sphinxbase/fsg_model.h>

namespace vantrel::speech {

namespace {

const char catalogSearch[] = "catalog";

QString hmmPath(const QString &dir) { return dir + QStringLiteral("/en-us"); }
QString lmPath(const QString &dir) { return dir + QStringLiteral("/en-us.lm.bin"); }
QString dictPath(const QString &dir) { return dir + QStringLiteral("/cmudict-en-us.dict"); }

} // namespace

// Owns the decoder; lives on the recogniser's worker thread, so decoding
// never blocks the main thread.
class SphinxWorker : public QObject {
public:
    using Report = std::function<void(quint64 session, QString text, bool isFinal, QString error)>;
    SphinxWorker(QString modelDirectory, Report report)
        : m_dir(std::move(modelDirectory)), m_report(std::move(report))
    {}
    ~SphinxWorker() override
    {
        if (m_decoder) ps_free(m_decoder);
    }

    void setVocabulary(QStringList phrases)
    {
        m_phrases = std::move(phrases);
        m_vocabularyChanged = true;
    }

    void start(quint64 session)
    {
        m_session = session;
        m_partial.clear();
        if (!ensureDecoder()) {
            m_report(session, {}, true, QStringLiteral("The speech model could not be loaded."));
            return;
        }
        applyVocabulary();
        if (ps_start_utt(m_decoder) < 0) {
            m_report(session, {}, true, QStringLiteral("Speech recognition could not start."));
            return;
        }
        m_inUtterance = true;
    }

    void process(quint64 session, QByteArray samples)
    {
        if (session != m_session || !m_inUtterance) return;
        const auto *data = reinterpret_cast<const int16 *>(samples.constData());
        if (ps_process_raw(m_decoder, data, size_t(samples.size() / 2), FALSE, FALSE) < 0) {
            cancel();
            m_report(session, {}, true, QStringLiteral("Speech recognition failed."));
            return;
        }
        const QString text = hypothesis();
        if (text != m_partial) {
            m_partial = text;
            m_report(session, text, false, {});
        }
    }

    void end(quint64 session)
    {
        if (session != m_session || !m_inUtterance) return;
        m_inUtterance = false;
        ps_end_utt(m_decoder);
        m_report(session, hypothesis(), true, {});
    }

    void cancel()
    {
        if (m_inUtterance) ps_end_utt(m_decoder);
        m_inUtterance = false;
    }

private:
    bool ensureDecoder()
    {
        if (m_decoder) return true;
        const QByteArray hmm = hmmPath(m_dir).toLocal8Bit();
        const QByteArray lm = lmPath(m_dir).toLocal8Bit();
        const QByteArray dict = dictPath(m_dir).toLocal8Bit();
        err_set_logfp(nullptr); // the client writes no log of its own
        cmd_ln_t *config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-lm",
                                       lm.constData(), "-dict", dict.constData(), nullptr);
        if (!config) return false;
        m_decoder = ps_init(config);
        cmd_ln_free_r(config);
        if (!m_decoder) return false;
        if (const char *name = ps_get_search(m_decoder)) m_defaultSearch = name;
        return true;
    }

    void applyVocabulary()
    {
        if (!m_vocabularyChanged) return;
        m_vocabularyChanged = false;
        const QStringList phrases =
            PocketSphinxRecognizer::grammarPhrases(m_phrases, [this](const QString &word) {
                char *pron = ps_lookup_word(m_decoder, word.toUtf8().constData());
                if (!pron) return false;
                ckd_free(pron);
                return true;
            });
        if (!phrases.isEmpty() && setPhraseSearch(phrases) && ps_set_search(m_decoder, catalogSearch) == 0)
            return;
        // No usable catalog words: the generic language model listens.
        ps_set_search(m_decoder, m_defaultSearch.constData());
    }

    // A finite-state grammar of the phrases, each equally likely, built
    // directly: the JSGF text parser of this PocketSphinx release leaks.
    bool setPhraseSearch(const QStringList &phrases)
    {
        QList<QStringList> split;
        int states = 2;
        for (const QString &phrase : phrases) {
            split << phrase.split(QLatin1Char(' '));
            states += int(split.back().size()) - 1;
        }
        logmath_t *lmath = ps_get_logmath(m_decoder);
        const float lw = float(cmd_ln_float32_r(ps_get_config(m_decoder), "-lw"));
        fsg_model_t *fsg = fsg_model_init(catalogSearch, lmath, lw, states);
        if (!fsg) return false;
        fsg->start_state = 0;
        fsg->final_state = 1;
        const int32 choose = int32(logmath_log(lmath, 1.0 / double(phrases.size())) * lw);
        int next = 2;
        for (const QStringList &words : split) {
            int from = 0;
            for (qsizetype i = 0; i < words.size(); ++i) {
                const int to = i + 1 == words.size() ? 1 : next++;
                const int32 wid = fsg_model_word_add(fsg, words[i].toUtf8().constData());
                fsg_model_trans_add(fsg, from, to, i == 0 ? choose : 0, wid);
                from = to;
            }
        }
        const bool ok = ps_set_fsg(m_decoder, catalogSearch, fsg) == 0;
        fsg_model_free(fsg); // the search keeps its own reference
        return ok;
    }

    QString hypothesis()
    {
        int32 score = 0;
        const char *hyp = ps_get_hyp(m_decoder, &score);
        return hyp ? QString::fromUtf8(hyp).simplified() : QString();
    }

    QString m_dir;
    Report m_report;
    ps_decoder_t *m_decoder = nullptr;
    QByteArray m_defaultSearch;
    QStringList m_phrases;
    bool m_vocabularyChanged = true;
    bool m_inUtterance = false;
    quint64 m_session = 0;
    QString m_partial;
};

PocketSphinxRecognizer::PocketSphinxRecognizer(QString modelDirectory, QObject *parent)
    : SpeechRecognizer(parent),
      m_modelDirectory(modelDirectory.isEmpty() ? systemModelDirectory() : std::move(modelDirectory))
{
    QPointer<PocketSphinxRecognizer> self(this);
    m_worker = new SphinxWorker(m_modelDirectory,
                                [self](quint64 session, QString text, bool isFinal, QString error) {
                                    // Runs on the worker; the result hops to the main thread, and is
                                    // dropped there when the recogniser is gone.
                                    QMetaObject::invokeMethod(
                                        QCoreApplication::instance(),
                                        [self, session, text, isFinal, error] {
                                            if (self) self->deliver(session, text, isFinal, error);
                                        },
                                        Qt::QueuedConnection);
                                });
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

PocketSphinxRecognizer::~PocketSphinxRecognizer()
{
    m_thread.quit();
    m_thread.wait();
}

QString PocketSphinxRecognizer::systemModelDirectory()
{
    return QStringLiteral("/usr/share/pocketsphinx/model/en-us");
}

bool PocketSphinxRecognizer::isAvailable() const
{
    return QFileInfo(hmmPath(m_modelDirectory) + QStringLiteral("/mdef")).isFile() &&
           QFileInfo(lmPath(m_modelDirectory)).isFile() && QFileInfo(dictPath(m_modelDirectory)).isFile();
}

void PocketSphinxRecognizer::setVocabulary(const QStringList &phrases)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, phrases] { worker->setVocabulary(phrases); }, Qt::QueuedConnection);
}

void PocketSphinxRecognizer::start()
{
    const quint64 session = ++m_session;
    m_running = true;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, session] { worker->start(session); }, Qt::QueuedConnection);
}

void PocketSphinxRecognizer::append(const QByteArray &samples)
{
    if (!m_running) return;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, session = m_session, samples] { worker->process(session, samples); },
        Qt::QueuedConnection);
}

void PocketSphinxRecognizer::endAudio()
{
    if (!m_running) return;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, session = m_session] { worker->end(session); }, Qt::QueuedConnection);
}

void PocketSphinxRecognizer::cancel()
{
    if (!m_running) return;
    m_running = false;
    ++m_session; // whatever the worker still reports belongs to an old session
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->cancel(); }, Qt::QueuedConnection);
}

void PocketSphinxRecognizer::deliver(quint64 session, const QString &text, bool isFinal, const QString &error)
{
    if (session != m_session || !m_running) return;
    if (isFinal) m_running = false;
    if (!error.isEmpty())
        emit failed(error);
    else
        emit result(text, isFinal);
}

QStringList PocketSphinxRecognizer::grammarPhrases(const QStringList &phrases,
                                                   const std::function<bool(const QString &)> &known)
{
    QStringList kept;
    QSet<QString> seen;
    for (const QString &phrase : phrases) {
        // Anything but letters and apostrophes separates words ("white-oak").
        QString text = phrase.toLower();
        for (QChar &c : text) {
            if (!((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('\'')))
                c = QLatin1Char(' ');
        }
        QStringList words;
        for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (known(word)) words << word;
        }
        const QString joined = words.join(QLatin1Char(' '));
        if (!joined.isEmpty() && !seen.contains(joined)) {
            seen.insert(joined);
            kept << joined;
        }
    }
    return kept;
}

} // namespace vantrel::speech
