#include "shell/core/safe_save.h"

#include "shell/core/dialogs.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fail(SaveFailure *failure, SaveProblem problem, const QString &text)
{
    if (failure)
        *failure = {problem, text};
    return false;
}

// A reason a user can act on, from the system's error number.
bool failWith(SaveFailure *failure, int error, const QString &fallback)
{
    switch (error) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return fail(failure, SaveProblem::DiskFull, QStringLiteral("disk full"));
    case EACCES:
    case EPERM:
        return fail(failure, SaveProblem::NotAllowed, QStringLiteral("no permission to write there"));
    case EROFS:
        return fail(failure, SaveProblem::NotAllowed, QStringLiteral("the disk is read-only"));
    case ENOENT:
        return fail(failure, SaveProblem::NoFolder, QStringLiteral("folder does not exist"));
    case ENOTDIR:
        return fail(failure, SaveProblem::NoFolder, QStringLiteral("not a folder"));
    case EISDIR:
        return fail(failure, SaveProblem::Other, QStringLiteral("a folder has that name"));
    case EPIPE:
        return fail(failure, SaveProblem::Other, QStringLiteral("the output was closed"));
    default:
        return fail(failure, SaveProblem::Other, fallback.isEmpty() ? QStringLiteral("write error") : fallback);
    }
}

// Writes every byte to an open device and flushes; false (with *failure) at
// the first write that fails.
bool writeAll(QFileDevice &file, const QByteArray &bytes, SaveFailure *failure)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        errno = 0;
        const qint64 written = file.write(data, left);
        if (written <= 0)
            return failWith(failure, errno, file.errorString());
        data += written;
        left -= written;
    }
    errno = 0;
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return failWith(failure, errno, file.errorString());
    return true;
}

// A device or a pipe (a FIFO a script reads, /dev/null) has no old contents to
// keep; a temporary file renamed over it would put a plain file in its place.
// Appended to, never truncated: /dev/stdout sent to a file with ">>" keeps
// what the file held.
bool writeToDevice(const QString &path, const QByteArray &bytes, SaveFailure *failure)
{
    // Plain system calls: QFile would warn that it cannot seek a pipe to append.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failWith(failure, errno, QString());
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            ::close(fd);
            return failWith(failure, error, QString());
        }
        data += written;
        left -= written;
    }
    if (::close(fd) != 0 && errno != EINTR)
        return failWith(failure, errno, QString());
    return true;
}

// Whether the path, or a link on the way to what it names, is one of the
// process's open descriptors (/dev/stdout, /dev/fd/3, /proc/self/fd/1):
// a stream the caller set up, even when a regular file stands behind it.
bool isOpenDescriptor(QString path)
{
    static const QRegularExpression descriptor(QStringLiteral("^/(dev|proc/(self|thread-self|\\d+))/fd/\\d+$"));
    for (int hop = 0; hop < 8; ++hop) {
        if (descriptor.match(QDir::cleanPath(path)).hasMatch())
            return true;
        const QFileInfo link(path);
        if (!link.isSymLink())
            return false;
        path = link.symLinkTarget();
    }
    return false;
}

// Whether the path names something to write straight into: a thing that is
// there (a link followed) and is neither a regular file nor a folder, or a
// descriptor of the process.
bool isStream(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    if (S_ISDIR(status.st_mode))
        return false;
    return !S_ISREG(status.st_mode) || isOpenDescriptor(QFileInfo(path).absoluteFilePath());
}

} // namespace

FileStamp FileStamp::of(const QString &path, const QByteArray &bytes)
{
    const QFileInfo file(path);
    FileStamp stamp;
    if (!file.isFile())
        return stamp;
    stamp.m_path = file.canonicalFilePath();
    stamp.m_size = file.size();
    stamp.m_modified = file.lastModified();
    stamp.m_hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return stamp;
}

bool FileStamp::changedOnDisk(const QString &path) const
{
    if (isNull())
        return false;
    const QFileInfo file(path);
    if (!file.exists() || file.canonicalFilePath() != m_path)
        return false;
    if (!file.isFile() || file.size() != m_size || file.lastModified() != m_modified)
        return true;
    // Same size and time: a write within the clock's resolution still shows
    // in the contents.
    QFile current(path);
    if (!current.open(QIODevice::ReadOnly))
        return true;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&current) || current.error() != QFileDevice::NoError)
        return true;
    return hash.result() != m_hash;
}

bool MaySaveOver(Dialogs &dialogs, const FileStamp &stamp, const QString &path)
{
    if (!stamp.changedOnDisk(path))
        return true;
    // Closing the question is "go back" too: the other save is kept.
    return dialogs.ask(QuestionFileChanged, QFileInfo(path).fileName()) == Answer::Yes;
}

void TellSaveFailed(Dialogs &dialogs, const SaveFailure &failure, MessageNumber otherwise)
{
    const MessageNumber reason = SaveProblemMessage(failure.problem);
    dialogs.message(reason != MsgNone ? reason : otherwise);
}

MessageNumber SaveProblemMessage(SaveProblem problem)
{
    switch (problem) {
    case SaveProblem::DiskFull: return MsgSaveDiskFull;
    case SaveProblem::NoFolder: return MsgSaveNoFolder;
    case SaveProblem::NotAllowed: return MsgSaveNotAllowed;
    case SaveProblem::None:
    case SaveProblem::Other: break;
    }
    return MsgNone;
}

bool SaveFileWhole(const QString &path, const QByteArray &bytes, SaveFailure *failure)
{
    if (path.isEmpty())
        return fail(failure, SaveProblem::Other, QStringLiteral("no file name"));
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    // Checked first so that the reason is plain and Qt has nothing to warn about.
    if (!folder.exists())
        return fail(failure, SaveProblem::NoFolder, QStringLiteral("folder does not exist"));
    if (!folder.isDir())
        return fail(failure, SaveProblem::NoFolder, QStringLiteral("not a folder"));
    if (target.isDir())
        return fail(failure, SaveProblem::Other, QStringLiteral("a folder has that name"));
    if (isStream(path))
        return writeToDevice(path, bytes, failure);

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failWith(failure, errno, file.errorString());
    // QSaveFile::commit() closes without noticing that the last buffered
    // bytes did not reach the disk; writeAll flushes, where a failure is seen.
    if (!writeAll(file, bytes, failure)) {
        file.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file.commit())
        return failWith(failure, errno, file.errorString());
    return true;
}

bool SaveFileWhole(const QString &path, const QByteArray &bytes, QString *why)
{
    SaveFailure failure;
    const bool saved = SaveFileWhole(path, bytes, &failure);
    if (!saved && why)
        *why = failure.text;
    return saved;
}

bool WriteStandardOutput(const QByteArray &bytes, QString *why)
{
    SaveFailure failure;
    auto failed = [&](int error) {
        failWith(&failure, error, QString());
        if (why)
            *why = failure.text;
        return false;
    };
    if (std::fflush(stdout) != 0)
        return failed(errno);
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failed(written < 0 ? errno : ENOSPC);
        data += written;
        left -= written;
    }
    return true;
}
