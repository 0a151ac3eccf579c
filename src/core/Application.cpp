#include "Application.h"
#include "Forms.h"
#include "QtTexts.h"

namespace zorbel {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("zorbel"));
    // No display name: the platform would append it to every window title.
    // The program ends through its End command (or by closing the drawing window), not
    // when the start screen closes before the drawing window appears.
    setQuitOnLastWindowClosed(false);
    qttexts::install();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    // The deletion itself is no handler: it must not hold the window it destroys.
    if (event->type() == QEvent::DeferredDelete)
        return QApplication::notify(receiver, event);
    const HandlerScope scope(receiver);
    return QApplication::notify(receiver, event);
}

} // namespace zorbel
