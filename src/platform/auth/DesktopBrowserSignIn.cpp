#include "DesktopBrowserSignIn.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace vantrel {

// The waiting sign-in lives in the coroutine's frame; whoever settles it
// resumes the coroutine and must not touch it afterwards.
struct DesktopBrowserSignIn::Pending {
    std::coroutine_handle<> waiter;
    QUrl url;
    Ending ending = Ending::Cancelled;
    bool done = false;
};

namespace {
// Holds only a pointer (see APIClient.h).
struct Settled {
    bool *done;
    std::coroutine_handle<> *waiter;
    bool await_ready() const noexcept { return *done; }
    void await_suspend(std::coroutine_handle<> handle) noexcept { *waiter = handle; }
    void await_resume() const noexcept {}
};
} // namespace

DesktopBrowserSignIn::DesktopBrowserSignIn(QObject *parent, Opener opener)
    : BrowserSignIn(parent), m_opener(std::move(opener))
{
    if (!m_opener) m_opener = [this](const QUrl &url) { return launchBrowser(url); };
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { settle({}, Ending::TimedOut); });
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
    m_startUrl = startUrl;
    ++m_flow;
    const bool opened = m_opener(startUrl);
    // The opener may already have ended this sign-in (or started another).
    if (m_pending == &pending) {
        if (!opened) {
            settle({}, Ending::NoBrowser);
        } else {
            m_deadline.start(m_timeLimit);
            setWaiting(true);
        }
    }
    // Nothing of this object is touched after the wait: it may be gone.
    co_await Settled{&pending.done, &pending.waiter};
    switch (pending.ending) {
    case Ending::Callback: break;
    case Ending::Cancelled: throw BrowserCancelledError();
    case Ending::NoBrowser: throw BrowserStartError();
    case Ending::TimedOut: throw BrowserTimeoutError();
    }
    co_return pending.url;
}

void DesktopBrowserSignIn::cancel() { settle({}, Ending::Cancelled); }

bool DesktopBrowserSignIn::reopen()
{
    if (!m_pending) return false;
    const QUrl startUrl = m_startUrl;
    if (m_opener(startUrl)) return isPending();
    settle({}, Ending::NoBrowser);
    return false;
}

void DesktopBrowserSignIn::browserFailed() { settle({}, Ending::NoBrowser); }

void DesktopBrowserSignIn::deliverCallback(const QUrl &url)
{
    if (!isPending() || !url.isValid() || url.scheme() != m_scheme) return;
    settle(url, Ending::Callback);
}

void DesktopBrowserSignIn::settle(const QUrl &url, Ending ending)
{
    Pending *pending = m_pending;
    if (!pending) return;
    m_pending = nullptr;
    m_scheme.clear();
    m_startUrl.clear();
    m_deadline.stop();
    pending->url = url;
    pending->ending = ending;
    pending->done = true;
    setWaiting(false);
    if (pending->waiter) pending->waiter.resume();
}

// xdg-open says whether it found anything to open the page with, where
// QDesktopServices reports success as soon as xdg-open has started. In a
// desktop without a session helper xdg-open runs the browser in the
// foreground, so its exit may come long after the page opened; only a
// failure of the launcher of the current sign-in counts.
bool DesktopBrowserSignIn::launchBrowser(const QUrl &url)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) return QDesktopServices::openUrl(url);
    auto *launcher = new QProcess(this);
    launcher->setProgram(xdgOpen);
    launcher->setArguments({QString::fromUtf8(url.toEncoded())});
    launcher->setStandardOutputFile(QProcess::nullDevice());
    launcher->setStandardErrorFile(QProcess::nullDevice());
    const quint64 flow = m_flow;
    connect(launcher, &QProcess::finished, this,
            [this, launcher, flow](int code, QProcess::ExitStatus status) {
                launcher->deleteLater();
                if ((status != QProcess::NormalExit || code != 0) && flow == m_flow) browserFailed();
            });
    launcher->start();
    if (launcher->waitForStarted()) return true;
    delete launcher;
    return false;
}

QString installedDesktopFileName() { return QStringLiteral(VANTREL_DESKTOP_ID ".desktop"); }

QString callbackDesktopFileName(const QString &scheme)
{
    return QStringLiteral(VANTREL_DESKTOP_ID "-%1.desktop").arg(scheme);
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
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/mimeapps.list");
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

// Whether the main group of a desktop entry lists the MIME type.
bool entryClaims(const QString &path, const QString &mimeType)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    bool mainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            mainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!mainGroup || equals < 0 || line.left(equals).trimmed() != QLatin1String("MimeType")) continue;
        const QStringList types = line.mid(equals + 1).split(u';', Qt::SkipEmptyParts);
        return std::any_of(types.begin(), types.end(), [&mimeType](const QString &type) {
            return type.trimmed().compare(mimeType, Qt::CaseInsensitive) == 0;
        });
    }
    return false;
}

} // namespace

QString installedSchemeHandler(const QString &scheme)
{
    const QString path =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, installedDesktopFileName());
    if (path.isEmpty() || !entryClaims(path, QStringLiteral("x-scheme-handler/") + scheme)) return {};
    return path;
}

QString desktopExecProgram(const QString &executable)
{
    // A desktop entry is read line by line: these cannot be written at all.
    for (const QChar c : executable)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return {};
    // xdg-open's generic mode splits the Exec line at spaces and undoes no
    // quoting, so a path that needs none is written bare.
    static const QRegularExpression reserved(QStringLiteral("[ \\t\\n\"'\\\\><~|&;$*?#`=()]"));
    QString program = executable;
    program.replace(u'%', QStringLiteral("%%"));
    if (!reserved.match(executable).hasMatch()) return program;
    // Quoting escapes ", `, $ and \ with a backslash; the string escapes of
    // the file then double every backslash once more.
    QString quoted;
    for (const QChar c : std::as_const(program)) {
        if (c == u'"' || c == u'`' || c == u'$')
            quoted += QStringLiteral("\\\\");
        else if (c == u'\\')
            quoted += QStringLiteral("\\\\\\");
        quoted += c;
    }
    return u'"' + quoted + u'"';
}

bool registerCallbackScheme(const QString &scheme, const QString &executable, bool useXdgMime)
{
    // The scheme and the path end up in files other programs read.
    static const QRegularExpression plainScheme(QStringLiteral("^[a-z][a-z0-9+.-]*$"));
    const QString program = desktopExecProgram(executable);
    if (!plainScheme.match(scheme).hasMatch() || program.isEmpty()) return false;
    // A registration of our own would shadow the installed entry for this
    // user and outlive the package when it is removed.
    if (!installedSchemeHandler(scheme).isEmpty()) return true;

    const QString fileName = callbackDesktopFileName(scheme);
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=" VANTREL_APP_NAME "\n"
                                         "Exec=%1 %u\n"
                                         "NoDisplay=true\n"
                                         "Terminal=false\n"
                                         "MimeType=x-scheme-handler/%2;\n")
                              .arg(program, scheme);
    const QString applications = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                 QStringLiteral("/applications");
    if (!writeFile(applications + u'/' + fileName, entry.toUtf8())) return false;

    const QString mimeType = QStringLiteral("x-scheme-handler/") + scheme;
    const QString xdgMime =
        useXdgMime ? QStandardPaths::findExecutable(QStringLiteral("xdg-mime")) : QString();
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
