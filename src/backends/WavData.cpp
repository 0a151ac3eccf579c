#include "WavData.h"

namespace zorbel::wav {

Pcm parse(const QByteArray& file)
{
    Pcm pcm;
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return pcm;
    // Byte by byte: every caller has checked that the bytes are inside the file.
    auto byte = [&](qsizetype at) { return quint32(uchar(file.at(at))); };
    auto u16 = [&](qsizetype at) { return quint16(byte(at) | byte(at + 1) << 8); };
    auto u32 = [&](qsizetype at) { return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24; };
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
