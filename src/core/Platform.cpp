#include "Platform.h"
#include "WavData.h"
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMediaDevices>
#include <QMessageBox>
#include <QUrl>
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

// Each sound goes to one audio stream of our own, followed by a little silence: a stream stops
// when its data runs out, and whatever was still on its way to the speaker is lost then.
class QtSound : public SoundDevice {
public:
    void play(int, const QByteArray& wav) override
    {
        if (!m_checked) {
            m_checked = true;
            m_device = QMediaDevices::defaultAudioOutput();
        }
        if (m_device.isNull())
            return;
        const wav::Pcm pcm = wav::parse(wav);
        if (!pcm.format.isValid())
            return;
        if (m_sink)
            m_sink->stop(); // the new sound cuts off the one still playing
        m_buffer.close();
        m_samples = wav::withSilence(pcm, 250);
        m_buffer.setBuffer(&m_samples);
        m_buffer.open(QIODevice::ReadOnly);
        if (!m_sink || m_sink->format() != pcm.format)
            m_sink = std::make_unique<QAudioSink>(m_device, pcm.format);
        m_sink->start(&m_buffer);
    }

private:
    bool m_checked = false;
    QAudioDevice m_device;
    std::unique_ptr<QAudioSink> m_sink;
    QByteArray m_samples;
    QBuffer m_buffer;
};

Shell* g_shell = nullptr;
Dialogs* g_dialogs = nullptr;
SoundDevice* g_sound = nullptr;
} // namespace

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
