#pragma once
#include <QString>
#include <memory>

class QLocalServer;

namespace zorbel {

// Tells whether another copy of the program runs for this user in this desktop session.
// The claim is an abstract local socket (on Linux), which the system drops the moment its
// holder dies, so a crashed copy never blocks the next start.
class SingleInstance {
public:
    // The name is per user and per session (the session's runtime folder); tests pass their own.
    explicit SingleInstance(QString name = defaultName());
    ~SingleInstance();
    // True when this process is now the only copy.
    bool claim();
    static QString defaultName();

private:
    QString m_name;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace zorbel
