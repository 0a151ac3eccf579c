#include "ModResFiles.h"
#include "Resources.h"
#include "core/failure/Failure.h"
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace zorbel;

namespace ModResFiles {

namespace {
void writeAtStart(const QString& file, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        throw VbError(errno == ELOOP ? vberr::PermissionDenied : vberr::PathFileAccess);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0) {
            ::close(fd);
            throw VbError(vberr::DeviceIO);
        }
        done += n;
    }
    if (::close(fd) != 0)
        throw VbError(vberr::DeviceIO);
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
