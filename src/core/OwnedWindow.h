#pragma once

class QWidget;

// The template and pen windows float above the drawing window that owns them. A window that is
// mapped before its owner is managed ends up under it with some window managers, and on Wayland
// it cannot name its parent at all; so the window system learns of an owned window only once its
// owner is on the screen.
namespace zorbel::owned {

// Shows the owned window (its parent widget is the owner): at once when the owner is on the
// screen, else as soon as it is. Either way the window is tied to its owner and raised.
void show(QWidget* window);

// Shows the owned window as show does, and raises it when it is already shown.
void bringUp(QWidget* window);

} // namespace zorbel::owned
