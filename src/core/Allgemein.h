#pragma once
#include <QString>
#include <cstdint>

// The program-wide options and state, and the general procedures every window uses.
namespace Allgemein {

// Options, stored under the application title in section "Optionen". Booleans hold -1 or 0.
extern int16_t Sound;
extern int16_t Image;
extern int16_t Width;
extern int32_t Color; // 0x00BBGGRR
extern int16_t PSize;
extern int16_t CShow;
extern int16_t Gitter;
// Language base: language index x 1000 (0 German, 1000 English, ... 6000 French).
extern int16_t Sprache;

extern QString LangFile;
extern bool StartScreen;
extern bool DrawShown;
extern QString PicFile;
extern int16_t CurrentStep;

void LoadConfig();
void SaveConfig();

// Text id plus language base -> the text in that language; empty when missing.
QString GetLang(int16_t id);
// The temporary directory with its trailing separator (a private one when it is shared).
QString GetTempDir();
// Removes the temporary folder GetTempDir made under a random name, when it made one.
void RemoveOwnTempFolder();
// The part of s before its first NUL character.
QString TrimNull(const QString& s);
// Plays "WAV" resource id in the background; callers test Sound first.
void PlayWAV(int16_t id);
// The bytes of the last sound started; they stay valid while it plays.
const QByteArray& SoundData();

// Saves the options and unloads every window; never reports a failure.
void EndProgram();

// Writes the language base at once, as the flags do.
void SaveLanguage();

} // namespace Allgemein
