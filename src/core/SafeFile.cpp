#include "SafeFile.h"
#include "core/failure/VbError.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zorbel::files {

int32_t writeError(int err)
{
#ifdef Q_OS_UNIX
    switch (err) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return vberr::DiskFull;
    case ELOOP:
    case EACCES:
    case EPERM:
    case EROFS: return vberr::PermissionDenied;
    default: return vberr::DeviceIO;
    }
#else
    Q_UNUSED(err);
    return vberr::DeviceIO;
#endif
}

#ifdef Q_OS_UNIX
namespace {
QByteArray native(const QString& path) { return QFile::encodeName(QDir::cleanPath(path)); }

constexpr char kTempPrefix[] = ".zorbel-";

bool openToOthers(const struct stat& st) { return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0; }
} // namespace

void writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw VbError(writeError(n < 0 ? errno : ENOSPC));
        done += n;
    }
}
#endif

void ensureOwnFolder(const QString& folder)
{
    QDir().mkpath(folder);
#ifdef Q_OS_UNIX
    const QByteArray path = native(folder);
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        throw VbError(vberr::PermissionDenied);
    if (openToOthers(st) && ::chmod(path.constData(), st.st_mode & 0755) != 0)
        throw VbError(vberr::PermissionDenied);
#endif
}

bool trustedPath(const QString& path)
{
#ifdef Q_OS_UNIX
    char* real = ::realpath(native(path).constData(), nullptr);
    if (!real)
        return false;
    QByteArray at(real);
    std::free(real);
    for (bool first = true;; first = false) {
        struct stat st {};
        if (::lstat(at.constData(), &st) != 0 || (st.st_uid != 0 && st.st_uid != ::getuid()))
            return false;
        // A sticky folder such as /tmp lets others add names beside ours, but never take or
        // replace ours; what lies below it is checked on its own.
        const bool sticky = !first && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX);
        if (openToOthers(st) && !sticky)
            return false;
        if (at == "/")
            return true;
        const qsizetype slash = at.lastIndexOf('/');
        at.truncate(slash > 0 ? slash : 1);
    }
#else
    Q_UNUSED(path);
    return true;
#endif
}

void replaceFile(const QString& path, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    const QByteArray target = native(path);
    struct stat st {};
    mode_t mode = 0644;
    if (::lstat(target.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            throw VbError(vberr::PermissionDenied);
        if (::access(target.constData(), W_OK) != 0)
            throw VbError(vberr::PermissionDenied);
        mode = st.st_mode & 0777;
    }
    QByteArray temp = native(QFileInfo(path).path()) + '/' + kTempPrefix + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw VbError(errno == ENOENT || errno == ENOTDIR ? vberr::PathNotFound : writeError(errno));
    try {
        ::fchmod(fd, mode);
        writeAll(fd, bytes);
        // A full disk may show only now, when the data reaches it.
        if (::fsync(fd) != 0)
            throw VbError(writeError(errno));
    } catch (...) {
        ::close(fd);
        ::unlink(temp.constData());
        throw;
    }
    if (::close(fd) != 0 || ::rename(temp.constData(), target.constData()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        throw VbError(writeError(err));
    }
#else
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw VbError(file.error() == QFileDevice::ResourceError ? vberr::DiskFull : vberr::PathFileAccess);
#endif
}

void removeLeftovers(const QStringList& folders)
{
#ifdef Q_OS_UNIX
    // A save in progress is younger than this; its file must stay.
    const time_t before = ::time(nullptr) - 60;
    for (const QString& folder : folders) {
        const int dirFd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (dirFd < 0)
            continue;
        DIR* dir = ::fdopendir(dirFd);
        if (!dir) {
            ::close(dirFd);
            continue;
        }
        while (const dirent* e = ::readdir(dir)) {
            const char* name = e->d_name;
            const size_t prefix = sizeof(kTempPrefix) - 1;
            if (std::strncmp(name, kTempPrefix, prefix) != 0 || std::strlen(name) != prefix + 6)
                continue;
            struct stat st {};
            if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid()
                && st.st_mtime < before)
                ::unlinkat(dirFd, name, 0);
        }
        ::closedir(dir);
    }
#else
    Q_UNUSED(folders);
#endif
}

bool appendToFile(const QString& path, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(native(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          0644);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid();
    if (ok) {
        try {
            writeAll(fd, bytes);
        } catch (const VbError&) {
            ok = false;
        }
    }
    return ::close(fd) == 0 && ok;
#else
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size();
#endif
}

} // namespace zorbel::files
