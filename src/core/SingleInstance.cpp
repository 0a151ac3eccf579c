#include "SingleInstance.h"
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zorbel {

SingleInstance::SingleInstance(QString name) : m_name(std::move(name)) {}
SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
    // The runtime folder is private to one user's login session.
    const QByteArray session = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toUtf8();
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(session, QCryptographicHash::Sha1).toHex().left(12));
#ifdef Q_OS_UNIX
    return QStringLiteral("zorbel-%1-%2").arg(::getuid()).arg(hash);
#else
    return QStringLiteral("zorbel-") + hash;
#endif
}

bool SingleInstance::claim()
{
    if (m_server && m_server->isListening())
        return true;
    m_server = std::make_unique<QLocalServer>();
#ifdef Q_OS_LINUX
    m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    return m_server->listen(m_name);
#else
    if (m_server->listen(m_name))
        return true;
    // A socket file left by a crashed copy: nobody answers on it, so it may go.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(200))
        return false;
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
#endif
}

} // namespace zorbel
