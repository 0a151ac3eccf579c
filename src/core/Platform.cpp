#include "Platform.h"
#include <QAudioDevice>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QMediaDevices>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>
#include <QVBoxLayout>
#include <map>
#include <memory>

namespace zorbel::platform {

namespace {
class DesktopShell : public Shell {
public:
    void open(const QString& target) override
    {
        const QUrl url = target.contains(QLatin1Char(':')) && !target.startsWith(QLatin1Char('/'))
            ? QUrl(target)
            : QUrl::fromLocalFile(target);
        QDesktopServices::openUrl(url);
    }
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

// One preloaded effect per sound: starting it is then only a call into the sound system.
class QtSound : public SoundDevice {
public:
    void play(int id, const QByteArray&) override
    {
        if (!m_checked) {
            m_checked = true;
            m_available = !QMediaDevices::defaultAudioOutput().isNull();
        }
        if (!m_available)
            return;
        if (m_current)
            m_current->stop();
        auto& effect = m_effects[id];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl(QStringLiteral("qrc:/wav/%1.wav").arg(id)));
        }
        m_current = effect.get();
        m_current->play();
    }

private:
    bool m_checked = false;
    bool m_available = false;
    std::map<int, std::unique_ptr<QSoundEffect>> m_effects;
    QSoundEffect* m_current = nullptr;
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
    static QtSound device;
    return g_sound ? *g_sound : device;
}

void setShell(Shell* s) { g_shell = s; }
void setDialogs(Dialogs* d) { g_dialogs = d; }
void setSound(SoundDevice* s) { g_sound = s; }

} // namespace zorbel::platform
