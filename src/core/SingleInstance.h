#pragma once
#include <QString>
#include <memory>

class QLocalServer;

namespace zorbel {

// Tells whether another copy of the program runs for this user in this desktop session.
// On Unix the claim is a lock on a file in the user's own runtime folder (0700), so only a copy
// of the same user can hold it, and the system drops it the moment its holder dies: a crashed
// copy never blocks the next start. Elsewhere it is a named local server.
class SingleInstance {
public:
    // Tests pass their own name.
    explicit SingleInstance(QString name = defaultName());
    ~SingleInstance();
    // True when this process is now the only copy.
    bool claim();
    static QString defaultName();

private:
    QString m_name;
#ifdef Q_OS_UNIX
    int m_fd = -1;
#else
    std::unique_ptr<QLocalServer> m_server;
#endif
};

} // namespace zorbel
