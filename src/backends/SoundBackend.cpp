// The sound device, in a module of its own: Qt's audio and the sound server's client are loaded
// with the first sound, not at start.
#include "WavData.h"
#include "core/Platform.h"
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <memory>

namespace {
using zorbel::platform::SoundDevice;
namespace wav = zorbel::wav;

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
} // namespace

extern "C" Q_DECL_EXPORT SoundDevice* zorbel_sound_device()
{
    static QtSound device;
    return &device;
}
