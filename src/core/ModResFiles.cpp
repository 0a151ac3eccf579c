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
// The file is opened without truncating (a longer file keeps its tail), never through a link and
// without blocking: a FIFO planted at the name would hold the start for ever. Only a plain file
// of our own is written: anything else at the name was put there by someone else.
class RawFile {
public:
    ~RawFile()
    {
#ifdef Q_OS_UNIX
        if (m_fd >= 0)
            ::close(m_fd); // left early: nothing more to report
#endif
    }
    void open(const QString& file)
    {
#ifdef Q_OS_UNIX
        m_fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                      0600);
        if (m_fd < 0)
            throw VbError(errno == ELOOP ? vberr::PermissionDenied
                                         : errno == ENOSPC || errno == EDQUOT ? vberr::DiskFull : vberr::PathFileAccess);
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
            ::close(m_fd);
            m_fd = -1;
            throw VbError(vberr::PermissionDenied);
        }
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
#else
        m_file.setFileName(file);
        if (!m_file.open(QIODevice::ReadWrite))
            throw VbError(vberr::PathFileAccess);
#endif
    }
    void writeAtStart(const QByteArray& bytes)
    {
#ifdef Q_OS_UNIX
        if (m_fd < 0)
            throw VbError(vberr::BadFileName);
        try {
            files::writeAll(m_fd, bytes);
        } catch (const VbError& e) {
            throw VbError(ioError(e.number()));
        }
#else
        if (!m_file.isOpen() || m_file.write(bytes) != bytes.size())
            throw VbError(vberr::DeviceIO);
#endif
    }
    void close()
    {
#ifdef Q_OS_UNIX
        if (m_fd < 0)
            return;
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            throw VbError(ioError(files::writeError(errno)));
#else
        m_file.close();
#endif
    }

private:
    // The text table knows two write failures: a full disk, and any other device error.
    static int32_t ioError(int32_t number) { return number == vberr::DiskFull ? vberr::DiskFull : vberr::DeviceIO; }
#ifdef Q_OS_UNIX
    int m_fd = -1;
#else
    QFile m_file;
#endif
};
} // namespace

int32_t SaveResItemToDisk(int16_t id, const QString& type, const QString& file)
{
    int32_t result = 0;
    QByteArray bytes;
    Proc p("SaveResItemToDisk", "ModResFiles");
    p(20, [&] { bytes = res::LoadResData(id, type); });
    RawFile out;
    p(40, [&] { out.open(file); });
    p(50, [&] { out.writeAtStart(bytes); });
    p(60, [&] { out.close(); });
    p(70, [&] { result = 0; });
    return result;
}

void WriteResItem(int16_t id, const QString& type, const QString& file)
{
    RawFile out;
    out.open(file);
    out.writeAtStart(res::LoadResData(id, type));
    out.close();
}

} // namespace ModResFiles
