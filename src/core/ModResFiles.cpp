#include "ModResFiles.h"
#include "Resources.h"
#include "SafeFile.h"
#include "core/failure/Failure.h"
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace zorbel;

namespace ModResFiles {

namespace {
void writeAtStart(const QString& file, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    // Without blocking: a FIFO planted at the name would hold the start for ever. And only a
    // plain file of our own: anything else at the name was put there by someone else.
    const int fd = ::open(QFile::encodeName(file).constData(),
                          O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        throw VbError(errno == ELOOP ? vberr::PermissionDenied
                                     : errno == ENOSPC || errno == EDQUOT ? vberr::DiskFull : vberr::PathFileAccess);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
        ::close(fd);
        throw VbError(vberr::PermissionDenied);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            ::close(fd);
            throw VbError(files::writeError(err) == vberr::DiskFull ? vberr::DiskFull : vberr::DeviceIO);
        }
        done += n;
    }
    if (::close(fd) != 0)
        throw VbError(files::writeError(errno) == vberr::DiskFull ? vberr::DiskFull : vberr::DeviceIO);
#else
    QFile f(file);
    if (!f.open(QIODevice::ReadWrite) || f.write(bytes) != bytes.size())
        throw VbError(vberr::PathFileAccess);
#endif
}
} // namespace

int32_t SaveResItemToDisk(int16_t id, const QString& type, const QString& file)
{
    int32_t result = 0;
    QByteArray bytes;
    Proc p("SaveResItemToDisk", "ModResFiles");
    p(20, [&] { bytes = res::LoadResData(id, type); });
    p(40, [&] { writeAtStart(file, bytes); });
    p(70, [&] { result = 0; });
    return result;
}

void WriteResItem(int16_t id, const QString& type, const QString& file) { writeAtStart(file, res::LoadResData(id, type)); }

} // namespace ModResFiles
