#include "AtomicFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

namespace {

// Temporary files are the target's name, this and six characters of mkstemp.
constexpr char temporarySuffix[] = ".tmp-";

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// `text` names the step with %1 for the file and %2 for the system's reason.
[[noreturn]] void fail(const char *text, const QString &path, int error)
{
    throw FileError(QCoreApplication::translate("Workspace", text)
                        .arg(QDir::toNativeSeparators(path), systemReason(error)));
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Closes the descriptor and removes the temporary file unless released.
struct TemporaryFile {
    int fd = -1;
    QByteArray path;
    ~TemporaryFile()
    {
        if (fd >= 0) ::close(fd);
        if (!path.isEmpty()) ::unlink(path.constData());
    }
};

} // namespace

void AtomicFile::write(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray directory = QFile::encodeName(info.absolutePath());

    TemporaryFile temporary;
    QByteArray pattern = target + temporarySuffix + "XXXXXX";
    // mkstemp creates the file with mode 0600 and O_EXCL.
    temporary.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (temporary.fd < 0)
        fail(QT_TRANSLATE_NOOP("Workspace", "Could not create a file next to %1: %2"), path, errno);
    temporary.path = pattern;

    if (::fchmod(temporary.fd, S_IRUSR | S_IWUSR) != 0)
        fail(QT_TRANSLATE_NOOP("Workspace", "Could not protect %1: %2"), path, errno);
    if (!writeAll(temporary.fd, bytes.constData(), bytes.size()))
        fail(QT_TRANSLATE_NOOP("Workspace", "Could not write %1: %2"), path, errno);
    if (::fsync(temporary.fd) != 0)
        fail(QT_TRANSLATE_NOOP("Workspace", "Could not write %1: %2"), path, errno);
    const int closed = ::close(temporary.fd);
    temporary.fd = -1;
    if (closed != 0) fail(QT_TRANSLATE_NOOP("Workspace", "Could not write %1: %2"), path, errno);

    if (::rename(temporary.path.constData(), target.constData()) != 0)
        fail(QT_TRANSLATE_NOOP("Workspace", "Could not replace %1: %2"), path, errno);
    temporary.path.clear();

    // The rename is durable only once the directory entry is on disk.
    const int dirFd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) fail(QT_TRANSLATE_NOOP("Workspace", "Could not sync the folder of %1: %2"), path, errno);
    const int synced = ::fsync(dirFd);
    const int syncError = errno;
    ::close(dirFd);
    if (synced != 0)
        fail(QT_TRANSLATE_NOOP("Workspace", "Could not sync the folder of %1: %2"), path, syncError);
}

QByteArray AtomicFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QCoreApplication::translate("Workspace", "Could not read %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QCoreApplication::translate("Workspace", "Could not read %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    return bytes;
}

int AtomicFile::removeLeftovers(const QString &directory, const QRegularExpression &targetName)
{
    // A write in progress lasts milliseconds; one of another running copy of
    // the app must not lose its file, so only old leftovers go.
    const QDateTime settled = QDateTime::currentDateTimeUtc().addSecs(-60);
    int removed = 0;
    QDirIterator entries(directory, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo info = entries.fileInfo();
        const QString name = info.fileName();
        const qsizetype at = name.lastIndexOf(QLatin1String(temporarySuffix));
        if (at <= 0 || name.size() != at + qsizetype(sizeof(temporarySuffix) - 1) + 6) continue;
        if (!targetName.match(name.left(at)).hasMatch()) continue;
        if (info.isSymLink() || !info.isFile() || info.lastModified().toUTC() > settled) continue;
        if (QFile::remove(info.filePath())) ++removed;
    }
    return removed;
}

void AtomicFile::makeDirectory(const QString &path)
{
    if (!QDir().mkpath(path))
        throw FileError(QCoreApplication::translate("Workspace", "Could not create the folder %1")
                            .arg(QDir::toNativeSeparators(path)));
}

} // namespace vantrel
