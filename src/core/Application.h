#pragma once
#include <QApplication>

namespace zorbel {

// The program's application object. It delivers every event inside a HandlerScope of the window
// it goes to, so a window is never destroyed while one of its handlers still runs.
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zorbel
