#pragma once
// Whole-file reads and crash-safe whole-file writes for the workspace files.

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <stdexcept>

namespace vantrel {

// A file-system failure, with the path and the system's own reason.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

class AtomicFile {
public:
    // After a crash at any moment the target holds either its old bytes or
    // the new ones, never a mix: the bytes go to a temporary file in the same
    // directory, which is synced, renamed over the target, and then the
    // directory entry itself is synced. The file is readable by the user only.
    static void write(const QString &path, const QByteArray &bytes);
    // The whole file; throws FileError.
    static QByteArray read(const QString &path);
    // Creates the directory and any missing parents; throws FileError.
    static void makeDirectory(const QString &path);
    // Removes the temporary files that a write cut short by a kill or a
    // power loss leaves beside its target: only regular files of the form
    // "<target>.tmp-XXXXXX" whose target name matches the whole of
    // targetName, directly inside the directory, untouched for a minute.
    // Returns how many were removed; never throws.
    static int removeLeftovers(const QString &directory, const QRegularExpression &targetName);
};

} // namespace vantrel
