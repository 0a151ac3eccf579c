// Pixel measurements on template steps, shared by the template checks.
#pragma once

#include <QBitArray>
#include <QImage>
#include <QRgb>
#include <QVector>

namespace ImageCheck {

// Fast pixel access; the images are always Format_RGB32 here.
inline QRgb px(const QImage &img, int x, int y)
{
    return reinterpret_cast<const QRgb *>(img.constScanLine(y))[x];
}

inline int lum(QRgb c) { return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100; }
inline int chroma(QRgb c)
{
    return qMax(qRed(c), qMax(qGreen(c), qBlue(c))) - qMin(qRed(c), qMin(qGreen(c), qBlue(c)));
}
inline bool isWhite(QRgb c) { return qRed(c) >= 245 && qGreen(c) >= 245 && qBlue(c) >= 245; }
inline bool isColoured(QRgb c) { return chroma(c) > 20; }
inline bool isDark(QRgb c) { return lum(c) < 128; }

// Pixels reachable from the image border without crossing a dark line.
QBitArray outside(const QImage &img);

// Typical thickness of the outermost dark line, measured where it is met
// from outside, taking the thinner of the horizontal and vertical crossings.
qreal outlineThickness(const QImage &img, const QBitArray &outsideMask);

// The image shrunk by averaging block x block squares, as r, g, b values.
QVector<int> thumbnail(const QImage &img, int block = 10);

// Average colour difference (0..255) of two thumbnails.
qreal thumbnailDistance(const QVector<int> &a, const QVector<int> &b);

} // namespace ImageCheck
