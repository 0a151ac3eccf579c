#include "Forms.h"
#include <QPointer>
#include <QWidget>
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

void unload(Form* form)
{
    auto& list = loaded();
    if (std::find(list.begin(), list.end(), form) == list.end())
        return;
    list.erase(std::remove(list.begin(), list.end(), form), list.end());
    form->Form_Unload();
    if (QWidget* w = form->widget()) {
        w->hide();
        w->deleteLater();
    }
}

} // namespace Forms
} // namespace zorbel
