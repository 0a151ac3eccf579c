#include "Platform.h"
#include "WavData.h"
#include "core/failure/VbError.h"
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QMediaDevices>
#include <QMessageBox>
#include <QUrl>
#include <QVBoxLayout>
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
