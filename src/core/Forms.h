#pragma once
#include <QPointer>
#include <QWidget>

namespace zorbel {

class Form;
namespace Forms {
void unload(Form* form);
}

// A window of the program. Windows register when they are created and are unloaded
// from the last loaded to the first at the end.
class Form {
public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    virtual QWidget* widget() = 0;
    // Runs while the window is unloaded, before it goes (windows store their position here).
    virtual void Form_Unload() {}

private:
    friend class HandlerScope;
    friend void Forms::unload(Form* form);
    int m_running = 0;    // handlers of this window on the stack
    bool m_unloaded = false;
};

namespace Forms {
int count();
Form* at(int index);
// Whether a loaded window is on the screen; a hidden one (the error dialog between reports)
// gives the user nothing to work with.
bool anyVisible();
// Runs the window's unload handling and hides it. The window is destroyed once none of its
// handlers runs any more, so a handler that sits in a modal dialog while its window is unloaded
// (a timer firing behind an error dialog, say) finds its window still there when it goes on.
void unload(Form* form);
} // namespace Forms

// Marks a handler of the window that receiver belongs to as running, for as long as it lives.
// The application object opens one around every event it delivers.
class HandlerScope {
public:
    explicit HandlerScope(QObject* receiver);
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    Form* m_form = nullptr;
    QPointer<QWidget> m_window;
};

} // namespace zorbel
