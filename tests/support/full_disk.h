#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

// While it lives, every write of this process past `bytes` into a regular file
// fails as on a full disk (EFBIG instead of a signal). Unlike a read-only
// folder, this stops root too, as the test machines run.
class FullDisk
{
public:
    explicit FullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

// A device that refuses every write as a full disk does, as /dev/full is:
// a node of that device made in `folder` where the tests may make one (so a
// writer that mistook it for a file would replace only the test's copy),
// else /dev/full itself; empty when there is neither.
inline QString FullDevice(const QString &folder)
{
    const QString node = folder + QStringLiteral("/full");
    if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 7)) == 0)
        return node;
    return QFile::exists(QStringLiteral("/dev/full")) ? QStringLiteral("/dev/full") : QString();
}

// Whether path still names a character device, not a file put in its place.
inline bool IsDevice(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
}
