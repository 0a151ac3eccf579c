#include "Application.h"
#include "Forms.h"
#include "QtTexts.h"
#include <QThreadPool>

namespace zorbel {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("zorbel"));
    // No display name: the platform would append it to every window title.
    // The program ends through its End command (or by closing the drawing window), not
    // when the start screen closes before the drawing window appears.
    setQuitOnLastWindowClosed(false);
    qttexts::install();
    // Qt splits a large paint over the global thread pool. After each resize the pieces are
    // written into a fresh window buffer, and threads faulting in the same new memory at once
    // cost more CPU than they save: one helper does the same work for about a quarter less.
    QThreadPool::globalInstance()->setMaxThreadCount(1);
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
