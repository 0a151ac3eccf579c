#include "Platform.h"
#include "Backends.h"
#include "core/failure/VbError.h"
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>
#include <QVBoxLayout>
#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace zorbel::platform {

namespace {
class DesktopShell : public Shell {
public:
    bool open(const QString& target) override { return QDesktopServices::openUrl(targetUrl(target)); }
};

class DesktopDialogs : public Dialogs {
public:
    bool askYesNo(QWidget* parent, const QString& text, const QString& title, bool defaultNo, bool icon) override
    {
        QMessageBox box(icon ? QMessageBox::Question : QMessageBox::NoIcon, title, text,
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
        fixedDialog(&box);
        return box.exec() == QMessageBox::Yes;
    }
    void inform(QWidget* parent, const QString& text, const QString& title) override
    {
        messageDialog(parent, text, title)->exec();
    }
    QString inputBox(QWidget* parent, const QString& prompt, const QString& title) override
    {
        QInputDialog box(parent);
        box.setWindowTitle(title);
        box.setLabelText(prompt);
        fixedDialog(&box);
        return box.exec() == QDialog::Accepted ? box.textValue() : QString();
    }
};

// Without the sound module the program is silent.
class NoSound : public SoundDevice {
public:
    void play(int, const QByteArray&) override {}
};

Shell* g_shell = nullptr;
Dialogs* g_dialogs = nullptr;
SoundDevice* g_sound = nullptr;
} // namespace

void fixedDialog(QWidget* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
}

// A message box of our own: Qt's wraps every line longer than about 500 pixels.
std::unique_ptr<QDialog> messageDialog(QWidget* parent, const QString& text, const QString& title)
{
    auto box = std::make_unique<QDialog>(parent);
    box->setWindowTitle(title);
    auto* label = new QLabel(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), box.get());
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, box.get());
    buttons->setCenterButtons(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, box.get(), &QDialog::accept);
    auto* layout = new QVBoxLayout(box.get());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->setSpacing(14);
    layout->addWidget(label);
    layout->addWidget(buttons);
    fixedDialog(box.get());
    return box;
}

QUrl targetUrl(const QString& target)
{
    const qsizetype colon = target.indexOf(QLatin1Char(':'));
    const bool drive = colon == 1 && target.at(0).isLetter()
        && (target.size() == 2 || target.at(2) == QLatin1Char('/') || target.at(2) == QLatin1Char('\\'));
    if (target.startsWith(QLatin1Char('/')) || colon < 2 || drive) {
        QString path = target;
        if (drive)
            path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return QUrl::fromLocalFile(path);
    }
    return QUrl(target);
}

void openOrFail(const QString& target)
{
    if (!shell().open(target))
        throw VbError(vberr::FileNotFound,
                      QStringLiteral("Kein Programm gefunden f\u00fcr / No program found for: %1").arg(target));
}

void releaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

bool windowPositionsKnown() { return !QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

QList<QByteArray> preferredPlatform(const QByteArray& chosen, const QByteArray& x11Display, const QByteArray& waylandDisplay)
{
    // Where both are there (XWayland under a Wayland desktop), X11 keeps the places the child
    // gave the windows and lets them be dragged as everywhere else; Wayland is the fallback.
    if (chosen.isEmpty() && !x11Display.isEmpty() && !waylandDisplay.isEmpty())
        return {"-platform", "xcb;wayland"};
    return {};
}

Shell& shell()
{
    static DesktopShell desktop;
    return g_shell ? *g_shell : desktop;
}

Dialogs& dialogs()
{
    static DesktopDialogs desktop;
    return g_dialogs ? *g_dialogs : desktop;
}

SoundDevice& sound()
{
    if (g_sound)
        return *g_sound;
    static SoundDevice* const device = backends::create<SoundDevice>(backends::Sound, "zorbel_sound_device");
    static NoSound silent;
    return device ? *device : silent;
}

void setShell(Shell* s) { g_shell = s; }
void setDialogs(Dialogs* d) { g_dialogs = d; }
void setSound(SoundDevice* s) { g_sound = s; }

} // namespace zorbel::platform
