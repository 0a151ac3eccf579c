#pragma once
#include <QApplication>

namespace zorbel {

// The program's application object, in the program and in its tests alike. It sets the
// application up (name, Qt's texts in the program's language) and delivers every event inside a
// HandlerScope of the window it goes to, so a window is never destroyed while one of its
// handlers still runs.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zorbel
