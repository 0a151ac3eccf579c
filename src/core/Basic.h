#pragma once
#include <QString>
#include <cstdint>

// Number conversions with the classic Basic rules the stored options rely on:
// blanks around the number are allowed, reals round half to even, text that is no
// number fails with error 13 and a number out of range with error 6.
namespace zorbel::basic {

// Nearest whole number, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundEven(double value);

int16_t CInt(double value);
int32_t CLng(double value);
int16_t CInt(const QString& text);
int32_t CLng(const QString& text);

// The numeric value of a text, or error 13 when it is no number.
double parseNumber(const QString& text);

// Twips of the screen per pixel (15 at 96 dpi).
double twipsPerPixelX();
double twipsPerPixelY();

} // namespace zorbel::basic

namespace zorbel::basic {
// Twips to whole pixels of the screen, as window positions are converted.
inline int pxX(double twips) { return int(roundEven(twips / twipsPerPixelX())); }
inline int pxY(double twips) { return int(roundEven(twips / twipsPerPixelY())); }
} // namespace zorbel::basic

#include <QColor>
namespace zorbel::basic {
// Colours are stored as 0x00BBGGRR.
inline QColor vbColor(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
inline int32_t vbColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
} // namespace zorbel::basic
