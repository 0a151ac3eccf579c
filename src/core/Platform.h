#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <QUrl>

class QDialog;
class QWidget;

// The thin layer over the desktop that tests stand in for: the shell that opens
// documents and addresses, message boxes and the input box, and the sound device.
namespace zorbel::platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file, web or mailto address with the user's program for it; false when no
    // program took it (no browser, no mail program).
    virtual bool open(const QString& target) = 0;
};

// How a target is opened: a path, with a drive letter or without, is a local file on every
// platform; anything else with a scheme of two or more letters is an address.
QUrl targetUrl(const QString& target);
// Opens through the shell and throws VbError(vberr::FileNotFound) naming the target when
// nothing opened it, so the parent can open it by hand.
void openOrFail(const QString& target);

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A yes/no question, with the question icon unless icon is false; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title, bool defaultNo,
                          bool icon = true) = 0;
    // A message with an OK button and no icon.
    virtual void inform(QWidget* parent, const QString& text, const QString& title) = 0;
    // The input box; empty when cancelled.
    virtual QString inputBox(QWidget* parent, const QString& prompt, const QString& title) = 0;
};

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // Starts a sound and returns at once; a sound still playing is cut off.
    virtual void play(int id, const QByteArray& wav) = 0;
};

// A dialog of one size: a title and a close box, and no minimise or maximise buttons.
void fixedDialog(QWidget* dialog);
// The message box of inform: the text's lines as they are given (never wrapped), an OK button.
std::unique_ptr<QDialog> messageDialog(QWidget* parent, const QString& text, const QString& title);

// Hands memory the program has freed back to the system. The C library keeps freed blocks of
// the heap for reuse, and after a resizing that is several pictures' worth the program no longer needs.
void releaseFreedMemory();

// False where the window system keeps window positions to itself (Wayland): there a window's
// position reads as 0,0 and must not be stored over a good one.
bool windowPositionsKnown();
// The arguments that choose the platform when the user chose none (QT_QPA_PLATFORM, DISPLAY and
// WAYLAND_DISPLAY given): X11 when an X server is there beside Wayland, else nothing to add.
QList<QByteArray> preferredPlatform(const QByteArray& chosen, const QByteArray& x11Display, const QByteArray& waylandDisplay);

Shell& shell();
Dialogs& dialogs();
SoundDevice& sound();
// Tests install stand-ins; nullptr restores the desktop's own.
void setShell(Shell* s);
void setDialogs(Dialogs* d);
void setSound(SoundDevice* s);

} // namespace zorbel::platform
