#include "DesktopBrowserSignIn.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace vantrel {

// The waiting sign-in lives in the coroutine's frame; whoever settles it
// resumes the coroutine and must not touch it afterwards.
struct DesktopBrowserSignIn::Pending {
    std::coroutine_handle<> waiter;
    QUrl url;
    bool cancelled = false;
    bool done = false;
};

namespace {
// Holds only a pointer: g++ 12 may await a copy of the operand.
struct Settled {
    bool *done;
    std::coroutine_handle<> *waiter;
    bool await_ready() const noexcept { return *done; }
    void await_suspend(std::coroutine_handle<> handle) noexcept { *waiter = handle; }
    void await_resume() const noexcept {}
};
} // namespace

DesktopBrowserSignIn::DesktopBrowserSignIn(QObject *parent, Opener opener)
    : QObject(parent), m_opener(std::move(opener))
{
    if (!m_opener) m_opener = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

DesktopBrowserSignIn::~DesktopBrowserSignIn() { cancel(); }

QCoro::Task<QUrl> DesktopBrowserSignIn::authenticate(QUrl startUrl, QString callbackScheme)
{
    // A new sign-in replaces one that is still waiting.
    cancel();
    if (callbackScheme.isEmpty() || !startUrl.isValid()) throw BrowserStartError();
    Pending pending;
    m_pending = &pending;
    m_scheme = callbackScheme.toLower();
    if (!m_opener(startUrl)) {
        if (m_pending == &pending) {
            m_pending = nullptr;
            m_scheme.clear();
        }
        throw BrowserStartError();
    }
    // Nothing of this object is touched after the wait: it may be gone.
    co_await Settled{&pending.done, &pending.waiter};
    if (pending.cancelled) throw BrowserCancelledError();
    co_return pending.url;
}

void DesktopBrowserSignIn::cancel() { settle({}, true); }

void DesktopBrowserSignIn::deliverCallback(const QUrl &url)
{
    if (!isPending() || !url.isValid() || url.scheme() != m_scheme) return;
    settle(url, false);
}

void DesktopBrowserSignIn::settle(const QUrl &url, bool cancelled)
{
    Pending *pending = m_pending;
    if (!pending) return;
    m_pending = nullptr;
    m_scheme.clear();
    pending->url = url;
    pending->cancelled = cancelled;
    pending->done = true;
    if (pending->waiter) pending->waiter.resume();
}

QString callbackDesktopFileName(const QString &scheme)
{
    return QStringLiteral("vantrel-checkout-%1.desktop").arg(scheme);
}

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes);
    return file.commit();
}

// Sets the default handler in the user's mimeapps.list, keeping every other line.
bool setDefaultHandler(const QString &mimeType, const QString &desktopFile)
{
    const QString path =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mimeapps.list");
    QStringList lines;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) return false;
        lines = QString::fromUtf8(existing.readAll()).split(u'\n');
        existing.close();
        while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    }
    const QString entry = mimeType + u'=' + desktopFile + u';';
    const QString section = QStringLiteral("[Default Applications]");
    qsizetype sectionAt = lines.indexOf(section);
    if (sectionAt < 0) {
        if (!lines.isEmpty()) lines.append(QString());
        lines.append(section);
        lines.append(entry);
    } else {
        qsizetype at = sectionAt + 1;
        bool replaced = false;
        for (; at < lines.size() && !lines.at(at).startsWith(u'['); ++at) {
            if (lines.at(at).startsWith(mimeType + u'=')) {
                lines[at] = entry;
                replaced = true;
                break;
            }
        }
        if (!replaced) lines.insert(sectionAt + 1, entry);
    }
    return writeFile(path, (lines.join(u'\n') + u'\n').toUtf8());
}

} // namespace

bool registerCallbackScheme(const QString &scheme, const QString &executable, bool useXdgMime)
{
    // The scheme and the path end up in files other programs read.
    static const QRegularExpression plainScheme(QStringLiteral("^[a-z][a-z0-9+.-]*$"));
    if (!plainScheme.match(scheme).hasMatch() || executable.isEmpty() ||
        executable.contains(u'\n') || executable.contains(u'"'))
        return false;

    QString escaped = executable;
    escaped.replace(u'\\', QStringLiteral("\\\\\\\\")).replace(u'`', QStringLiteral("\\\\`"))
        .replace(u'$', QStringLiteral("\\\\$")).replace(u'%', QStringLiteral("%%"));
    const QString fileName = callbackDesktopFileName(scheme);
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Vantrel Checkout\n"
                                         "Exec=\"%1\" %u\n"
                                         "NoDisplay=true\n"
                                         "Terminal=false\n"
                                         "MimeType=x-scheme-handler/%2;\n")
                              .arg(escaped, scheme);
    const QString applications =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/applications");
    if (!writeFile(applications + u'/' + fileName, entry.toUtf8())) return false;

    const QString mimeType = QStringLiteral("x-scheme-handler/") + scheme;
    const QString xdgMime = useXdgMime ? QStandardPaths::findExecutable(QStringLiteral("xdg-mime"))
                                       : QString();
    if (!xdgMime.isEmpty()) {
        QProcess process;
        process.start(xdgMime, {QStringLiteral("default"), fileName, mimeType});
        if (process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0)
            return true;
    }
    return setDefaultHandler(mimeType, fileName);
}

} // namespace vantrel
