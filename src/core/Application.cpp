#include "Application.h"
#include "Forms.h"

namespace zorbel {

bool Application::notify(QObject* receiver, QEvent* event)
{
    // The deletion itself is no handler: it must not hold the window it destroys.
    if (event->type() == QEvent::DeferredDelete)
        return QApplication::notify(receiver, event);
    const HandlerScope scope(receiver);
    return QApplication::notify(receiver, event);
}

} // namespace zorbel
