#include "Forms.h"
#include <algorithm>
#include <vector>

namespace zorbel {

namespace {
std::vector<Form*>& loaded()
{
    static std::vector<Form*> list;
    return list;
}
} // namespace

Form::Form() { loaded().push_back(this); }

Form::~Form()
{
    auto& list = loaded();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

namespace Forms {

int count() { return int(loaded().size()); }

Form* at(int index) { return index >= 0 && index < count() ? loaded()[size_t(index)] : nullptr; }

bool anyVisible()
{
    return std::any_of(loaded().begin(), loaded().end(), [](Form* f) { return f->widget() && f->widget()->isVisible(); });
}

void unload(Form* form)
{
    auto& list = loaded();
    if (std::find(list.begin(), list.end(), form) == list.end())
        return;
    list.erase(std::remove(list.begin(), list.end(), form), list.end());
    form->Form_Unload();
    if (QWidget* w = form->widget()) {
        w->hide();
        // deleteLater alone would destroy it in whichever event loop runs next, perhaps a modal
        // dialog's opened by one of its own handlers: the last handler to return deletes it instead.
        if (form->m_running > 0)
            form->m_unloaded = true;
        else
            w->deleteLater();
    }
}

} // namespace Forms

HandlerScope::HandlerScope(QObject* receiver)
{
    while (receiver && !receiver->isWidgetType())
        receiver = receiver->parent();
    if (!receiver)
        return;
    QWidget* window = static_cast<QWidget*>(receiver)->window();
    // Null while the window is still being built or already being destroyed.
    m_form = dynamic_cast<Form*>(window);
    if (!m_form)
        return;
    m_window = window;
    ++m_form->m_running;
}

HandlerScope::~HandlerScope()
{
    if (!m_form || !m_window)
        return;
    if (--m_form->m_running == 0 && m_form->m_unloaded)
        m_window->deleteLater();
}

} // namespace zorbel
