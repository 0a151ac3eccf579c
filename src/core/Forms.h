#pragma once

class QWidget;

namespace zorbel {

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
};

namespace Forms {
int count();
Form* at(int index);
// Runs the window's unload handling, hides it and destroys it once the event that is being
// handled has returned, so a window may unload itself from inside its own click handler.
void unload(Form* form);
} // namespace Forms

} // namespace zorbel
