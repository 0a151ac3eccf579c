#include "OwnedWindow.h"
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace zorbel::owned {

namespace {
QWidget* ownerOf(QWidget* window) { return window->parentWidget() ? window->parentWidget()->window() : nullptr; }

bool onScreen(QWidget* owner) { return owner && owner->windowHandle() && owner->windowHandle()->isExposed(); }

void present(QWidget* window)
{
    window->show();
    QWidget* owner = ownerOf(window);
    // Qt ties a tool window to its parent when it creates it; saying it again costs nothing and
    // holds when the owner's native window came later.
    if (window->windowHandle() && owner && owner->windowHandle())
        window->windowHandle()->setTransientParent(owner->windowHandle());
    window->raise();
}

// Waits for the owner's window to be exposed, then shows the windows that asked meanwhile.
class Waiting : public QObject {
public:
    explicit Waiting(QWidget* owner) : QObject(owner) { setObjectName(QStringLiteral("zorbel-owned-waiting")); }

    void add(QWidget* window)
    {
        if (!m_windows.contains(window))
            m_windows.append(window);
        watch();
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            // Queued: the owner finishes its own first paint, and the window manager has taken
            // it on, before the owned windows are mapped above it.
            QTimer::singleShot(0, this, [this] {
                for (const QPointer<QWidget>& w : std::as_const(m_windows))
                    if (w)
                        present(w);
                deleteLater();
            });
        }
        return false;
    }

private:
    void watch()
    {
        auto* owner = static_cast<QWidget*>(parent());
        // The native window exists once the owner is shown; before that there is nothing to watch.
        owner->winId();
        if (QWindow* w = owner->windowHandle(); w && w != m_watched) {
            w->installEventFilter(this);
            m_watched = w;
        }
    }

    QList<QPointer<QWidget>> m_windows;
    QPointer<QWindow> m_watched;
};
} // namespace

void show(QWidget* window)
{
    if (!window)
        return;
    QWidget* owner = ownerOf(window);
    if (!owner || onScreen(owner)) {
        if (!window->isVisible())
            present(window);
        return;
    }
    auto* waiting = owner->findChild<Waiting*>(QStringLiteral("zorbel-owned-waiting"), Qt::FindDirectChildrenOnly);
    if (!waiting)
        waiting = new Waiting(owner);
    waiting->add(window);
}

void bringUp(QWidget* window)
{
    if (window && window->isVisible())
        present(window);
    else
        show(window);
}

} // namespace zorbel::owned
