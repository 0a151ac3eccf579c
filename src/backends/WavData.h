#pragma once
#include <QAudioFormat>
#include <QByteArray>

// The samples of a PCM WAVE file, for playing through an audio stream of our own.
namespace zorbel::wav {

struct Pcm {
    QAudioFormat format; // invalid when the bytes are no PCM WAVE file of 8 or 16 bits
    QByteArray samples;
};

Pcm parse(const QByteArray& file);

// The samples followed by this many milliseconds of silence. Audio streams that stop when
// their data runs out cut the last part that is still on its way; silence is what they cut.
QByteArray withSilence(const Pcm& pcm, int ms);

} // namespace zorbel::wav
