// The sound device, in a module of its own: Qt's audio and the sound server's client are loaded
// with the first sound, not at start.
//
// Qt's audio waits on the sound server, and a server that is stopped or hung never answers: the
// audio objects live on a thread of their own, so only that thread can hang, never the window.
#include "WavData.h"
#include "core/Platform.h"
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QMutex>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
using zorbel::platform::SoundDevice;
namespace wav = zorbel::wav;
using Clock = std::chrono::steady_clock;

// A sound heard later than this after its click belongs to no click any more.
constexpr auto kStartBound = std::chrono::milliseconds(500);
// How long the end of the program waits for the sound thread to finish.
constexpr int kQuitWaitMs = 1000;

// The sound asked for last, not yet taken up by the sound thread: a newer one replaces it.
struct Pending {
    QMutex mutex;
    QByteArray wav;
    Clock::time_point asked;
    bool waiting = false;
};

// Lives on the sound thread, with every audio object. Each sound goes to one audio stream of our
// own, followed by a little silence: a stream stops when its data runs out, and whatever was
// still on its way to the speaker is lost then.
class Player : public QObject {
public:
    explicit Player(Pending& pending) : m_pending(pending) { }

    void takePending()
    {
        QByteArray wav;
        {
            QMutexLocker lock(&m_pending.mutex);
            if (!m_pending.waiting)
                return;
            m_pending.waiting = false;
            if (Clock::now() - m_pending.asked > kStartBound)
                return; // the thread was held up, by the server most likely
            wav = std::move(m_pending.wav);
        }
        play(wav);
    }

private:
    void play(const QByteArray& wav)
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

    Pending& m_pending;
    bool m_checked = false;
    QAudioDevice m_device;
    std::unique_ptr<QAudioSink> m_sink;
    QByteArray m_samples;
    QBuffer m_buffer;
};

// Registered last, so it runs before the teardown of Qt's audio, which a thread still held up in
// the sound server's client makes abort. Nothing the program keeps is left to that point: its
// files are written and the application is gone by then.
void endBeforeAudioTeardown(int status, void*)
{
    std::fflush(nullptr);
    std::_Exit(status);
}

// Called on the UI thread; it only hands the sound over and never waits for the sound thread.
class QtSound : public SoundDevice {
public:
    void play(int, const QByteArray& wav) override
    {
        if (m_closed || !start())
            return;
        bool wake;
        {
            QMutexLocker lock(&m_pending.mutex);
            m_pending.wav = wav;
            m_pending.asked = Clock::now();
            wake = !m_pending.waiting; // one wake-up is on its way already otherwise
            m_pending.waiting = true;
        }
        if (wake)
            QMetaObject::invokeMethod(m_player, &Player::takePending, Qt::QueuedConnection);
    }

private:
    bool start()
    {
        if (m_thread)
            return true;
        auto* app = QCoreApplication::instance();
        if (!app)
            return false;
        // Neither the thread nor the player is ever deleted from here: a thread held up in the
        // audio library at the end must not be destroyed while it runs, and the process's end
        // takes it with it. A thread that does finish deletes its player, and the audio objects
        // with it, itself.
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("sound"));
        m_player = new Player(m_pending);
        m_player->moveToThread(m_thread);
        QObject::connect(m_thread, &QThread::finished, m_player, &QObject::deleteLater);
        QObject::connect(app, &QCoreApplication::aboutToQuit, m_thread, [this] {
            m_closed = true;
            m_thread->quit();
            if (!m_thread->wait(QDeadlineTimer(kQuitWaitMs)))
                on_exit(endBeforeAudioTeardown, nullptr);
        });
        m_thread->start();
        return true;
    }

    Pending m_pending;
    QThread* m_thread = nullptr;
    Player* m_player = nullptr;
    bool m_closed = false;
};
} // namespace

extern "C" Q_DECL_EXPORT SoundDevice* zorbel_sound_device()
{
    // Never destroyed: it is shared with the sound thread, which may outlive main().
    static QtSound* const device = new QtSound;
    return device;
}
