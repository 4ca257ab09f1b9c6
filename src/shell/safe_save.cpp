#include "shell/safe_save.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

bool fail(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return false;
}

// A reason a user can act on, from the system's error number.
QString reasonOf(int error, const QString &fallback)
{
    switch (error) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("disk full");
    case EACCES:
    case EPERM:
        return QStringLiteral("no permission to write there");
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case ENOENT:
        return QStringLiteral("folder does not exist");
    case ENOTDIR:
        return QStringLiteral("not a folder");
    case EISDIR:
        return QStringLiteral("a folder has that name");
    case EPIPE:
        return QStringLiteral("the output was closed");
    default:
        return fallback.isEmpty() ? QStringLiteral("write error") : fallback;
    }
}

// Writes every byte to an open device and flushes; false (with *why) at the
// first write that fails.
bool writeAll(QFileDevice &file, const QByteArray &bytes, QString *why)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        errno = 0;
        const qint64 written = file.write(data, left);
        if (written <= 0)
            return fail(why, reasonOf(errno, file.errorString()));
        data += written;
        left -= written;
    }
    errno = 0;
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return fail(why, reasonOf(errno, file.errorString()));
    return true;
}

// A device or a pipe (/dev/full, a printer port) has no old contents to
// keep; a temporary file beside it would be renamed over the device itself.
bool writeToDevice(const QString &path, const QByteArray &bytes, QString *why)
{
    QFile device(path);
    errno = 0;
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(why, reasonOf(errno, device.errorString()));
    return writeAll(device, bytes, why);
}

} // namespace

bool SaveFileWhole(const QString &path, const QByteArray &bytes, QString *why)
{
    if (path.isEmpty())
        return fail(why, QStringLiteral("no file name"));
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    // Checked first so that the reason is plain and Qt has nothing to warn about.
    if (!folder.exists())
        return fail(why, QStringLiteral("folder does not exist"));
    if (!folder.isDir())
        return fail(why, QStringLiteral("not a folder"));
    if (target.isDir())
        return fail(why, QStringLiteral("a folder has that name"));
    if (target.exists() && !target.isFile())
        return writeToDevice(path, bytes, why);

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(why, reasonOf(errno, file.errorString()));
    // QSaveFile::commit() closes without noticing that the last buffered
    // bytes did not reach the disk; writeAll flushes, where a failure is seen.
    if (!writeAll(file, bytes, why)) {
        file.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file.commit())
        return fail(why, reasonOf(errno, file.errorString()));
    return true;
}

bool WriteStandardOutput(const QByteArray &bytes, QString *why)
{
    if (std::fflush(stdout) != 0)
        return fail(why, reasonOf(errno, QString()));
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(why, reasonOf(written < 0 ? errno : ENOSPC, QString()));
        data += written;
        left -= written;
    }
    return true;
}
