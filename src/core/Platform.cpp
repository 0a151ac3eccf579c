#include "Platform.h"
#include "core/failure/VbError.h"
#include <QAudioDevice>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMediaDevices>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <memory>

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
        return box.exec() == QMessageBox::Yes;
    }
    void inform(QWidget* parent, const QString& text, const QString& title) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
        box.exec();
    }
    QString inputBox(QWidget* parent, const QString& prompt, const QString& title) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
        return ok ? text : QString();
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
