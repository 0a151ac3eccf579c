#include "WavData.h"
#include <QtEndian>

namespace zorbel::wav {

Pcm parse(const QByteArray& file)
{
    Pcm pcm;
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return pcm;
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(file.constData() + at); };
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(file.constData() + at); };
    QAudioFormat format;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype len = qsizetype(u32(at + 4));
        const qsizetype body = at + 8;
        if (len < 0 || body + len > file.size())
            return pcm;
        if (id == "fmt ") {
            if (len < 16 || u16(body) != 1)
                return pcm; // only plain PCM
            const int channels = u16(body + 2), rate = int(u32(body + 4)), bits = u16(body + 14);
            if (channels < 1 || channels > 2 || rate < 1000 || rate > 192000 || (bits != 8 && bits != 16))
                return pcm;
            format.setChannelCount(channels);
            format.setSampleRate(rate);
            format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        } else if (id == "data" && format.isValid()) {
            const int frame = format.bytesPerFrame();
            pcm.samples = file.mid(body, len - len % frame);
            pcm.format = format;
            return pcm;
        }
        at = body + len + (len & 1);
    }
    return pcm;
}

QByteArray withSilence(const Pcm& pcm, int ms)
{
    if (!pcm.format.isValid())
        return {};
    const qsizetype frames = qsizetype(pcm.format.sampleRate()) * ms / 1000;
    // Unsigned 8-bit samples are silent at their middle, 128; signed 16-bit ones at 0.
    const char quiet = pcm.format.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0);
    return pcm.samples + QByteArray(frames * pcm.format.bytesPerFrame(), quiet);
}

} // namespace zorbel::wav
