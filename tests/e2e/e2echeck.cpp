// What the end-to-end tests look at, as a person would: the colour under a point of a screenshot,
// whether a part of the screen changed, the strokes in a saved picture, and a recorded sound.
//   e2echeck pixel PNG X Y                 prints "R G B"
//   e2echeck differ A.png B.png X Y W H    true when the rectangle differs
//   e2echeck strokes BMP [R G B]           a black stroke, and below it one in that colour (or black)
//   e2echeck sound RAW RATE MIN_MS MAX_MS MIN_PEAK   s16 mono: one sound of that length and loudness
//   e2echeck silence RAW                   s16 mono: nothing above the noise floor
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
int say(bool ok, const QString& text)
{
    std::printf("%s\n", qPrintable(text));
    return ok ? 0 : 1;
}

bool near(QRgb p, int r, int g, int b, int tolerance)
{
    return std::abs(qRed(p) - r) <= tolerance && std::abs(qGreen(p) - g) <= tolerance && std::abs(qBlue(p) - b) <= tolerance;
}

// Rows in which the pixels of one colour cover at least a fifth of the width, as [first, last].
std::pair<int, int> band(const QImage& img, int r, int g, int b)
{
    int first = -1, last = -1;
    for (int y = 0; y < img.height(); ++y) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x)
            n += near(img.pixel(x, y), r, g, b, 12);
        if (n * 5 >= img.width()) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return {first, last};
}

int strokes(const QStringList& a)
{
    const QImage img = QImage(a[2]).convertToFormat(QImage::Format_RGB32);
    if (img.isNull())
        return say(false, QStringLiteral("no picture in ") + a[2]);
    const auto black = band(img, 0, 0, 0);
    if (a.size() < 6) {
        // Both strokes black: two bands with white between them.
        int runs = 0;
        bool inRun = false;
        for (int y = 0; y < img.height(); ++y) {
            int n = 0;
            for (int x = 0; x < img.width(); ++x)
                n += near(img.pixel(x, y), 0, 0, 0, 12);
            const bool line = n * 5 >= img.width();
            runs += line && !inRun;
            inRun = line;
        }
        return say(runs == 2, QStringLiteral("%1 black strokes").arg(runs));
    }
    const int r = a[3].toInt(), g = a[4].toInt(), b = a[5].toInt();
    const auto coloured = band(img, r, g, b);
    return say(black.first >= 0 && coloured.first >= 0 && coloured.first > black.second,
               QStringLiteral("black stroke rows %1-%2, stroke in %3,%4,%5 rows %6-%7")
                   .arg(black.first).arg(black.second).arg(r).arg(g).arg(b).arg(coloured.first).arg(coloured.second));
}

std::vector<int16_t> samples(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    std::vector<int16_t> s(size_t(bytes.size() / 2));
    std::memcpy(s.data(), bytes.constData(), s.size() * 2);
    return s;
}

int sound(const QStringList& a)
{
    const std::vector<int16_t> s = samples(a[2]);
    const double rate = a[3].toDouble();
    // The effects start and end on silence; their audible part is what lies above 1 % of full scale.
    const int floor = 328;
    long first = -1, last = -1;
    int peak = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const int v = std::abs(int(s[i]));
        peak = std::max(peak, v);
        if (v > floor) {
            if (first < 0)
                first = long(i);
            last = long(i);
        }
    }
    const double ms = first < 0 ? 0 : (last - first + 1) * 1000.0 / rate;
    const double peakDb = peak > 0 ? 20 * std::log10(peak / 32768.0) : -120;
    const bool ok = ms >= a[4].toDouble() && ms <= a[5].toDouble() && peakDb >= a[6].toDouble();
    return say(ok, QStringLiteral("%1 ms of sound, peak %2 dBFS, in %3 s recorded")
                       .arg(ms, 0, 'f', 0).arg(peakDb, 0, 'f', 1).arg(s.size() / rate, 0, 'f', 2));
}

int silence(const QStringList& a)
{
    const std::vector<int16_t> s = samples(a[2]);
    int peak = 0;
    for (int16_t v : s)
        peak = std::max(peak, std::abs(int(v)));
    return say(peak <= 328 && !s.empty(), QStringLiteral("peak %1 in %2 samples").arg(peak).arg(s.size()));
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    const QString cmd = a.value(1);
    if (cmd == QLatin1String("pixel") && a.size() == 5) {
        const QImage img(a[2]);
        const QPoint p(a[3].toInt(), a[4].toInt());
        if (!img.valid(p))
            return say(false, QStringLiteral("no such point"));
        const QRgb c = img.pixel(p);
        return say(true, QStringLiteral("%1 %2 %3").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)));
    }
    if (cmd == QLatin1String("differ") && a.size() == 8) {
        const QRect r(a[4].toInt(), a[5].toInt(), a[6].toInt(), a[7].toInt());
        const QImage x = QImage(a[2]).copy(r).convertToFormat(QImage::Format_RGB32);
        const QImage y = QImage(a[3]).copy(r).convertToFormat(QImage::Format_RGB32);
        return say(!x.isNull() && x != y, x == y ? QStringLiteral("unchanged") : QStringLiteral("changed"));
    }
    if (cmd == QLatin1String("strokes") && (a.size() == 3 || a.size() == 6))
        return strokes(a);
    if (cmd == QLatin1String("sound") && a.size() == 7)
        return sound(a);
    if (cmd == QLatin1String("silence") && a.size() == 3)
        return silence(a);
    return say(false, QStringLiteral("usage: see the head of e2echeck.cpp"));
}
