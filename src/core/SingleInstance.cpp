#include "SingleInstance.h"
#include "Allgemein.h"
#include <QCryptographicHash>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

namespace zorbel {

SingleInstance::SingleInstance(QString name) : m_name(std::move(name)) {}

#ifdef Q_OS_UNIX

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString SingleInstance::defaultName() { return QStringLiteral("zorbel.lock"); }

namespace {
// The session's runtime folder when it is really private to us, otherwise our private
// temporary folder.
QString lockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    struct stat st {};
    if (!runtime.isEmpty() && ::lstat(QFile::encodeName(runtime).constData(), &st) == 0 && S_ISDIR(st.st_mode)
        && st.st_uid == ::getuid() && (st.st_mode & 077) == 0)
        return runtime + QLatin1Char('/');
    return Allgemein::GetTempDir();
}
} // namespace

bool SingleInstance::claim()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(lockFolder() + m_name);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // no lock to be had: nothing shows that a copy runs
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
        ::close(fd);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    m_fd = fd;
    return true;
}

#else

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
    // The runtime folder is private to one user's login session.
    const QByteArray session = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toUtf8();
    return QStringLiteral("zorbel-")
        + QString::fromLatin1(QCryptographicHash::hash(session, QCryptographicHash::Sha1).toHex().left(12));
}

bool SingleInstance::claim()
{
    if (m_server && m_server->isListening())
        return true;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server->listen(m_name))
        return true;
    // A socket left by a crashed copy: nobody answers on it, so it may go.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(200))
        return false;
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

#endif

} // namespace zorbel
