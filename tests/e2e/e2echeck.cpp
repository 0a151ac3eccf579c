// What the end-to-end tests look at, as a person would: the colour under a point of a screenshot,
// whether a part of the screen changed, the strokes in a saved picture, and a recorded sound.
//   e2echeck pixel PNG X Y                 prints "R G B"
//   e2echeck differ A.png B.png X Y W H    true when the rectangle differs
//   e2echeck strokes BMP [R G B]           a black stroke, and below it one in that colour (or black)
//   e2echeck bmp FILE                      a whole bitmap: as long as its header says, and readable
//   e2echeck find PNG MIN R,G,B...         every colour on at least MIN pixels: prints "X Y W H" around them
//   e2echeck sound RAW RATE REF.wav SKIP_MS  s16 mono: the sound of REF.wav, about as long and as loud
//   e2echeck silence RAW RATE SKIP_MS        s16 mono: nothing above the noise floor
// SKIP_MS leaves out the start of a recording: a monitor that is joined hands over what it held back.
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

// Finds a window in a screenshot by colours only it shows, wherever the desktop put it.
int find(const QStringList& a)
{
    const QImage img = QImage(a[2]).convertToFormat(QImage::Format_RGB32);
    if (img.isNull())
        return say(false, QStringLiteral("no picture in ") + a[2]);
    const int least = a[3].toInt();
    std::vector<QRgb> colours;
    for (const QString& c : a.mid(4)) {
        const QStringList v = c.split(QLatin1Char(','));
        if (v.size() != 3)
            return say(false, QStringLiteral("not R,G,B: ") + c);
        colours.push_back(qRgb(v[0].toInt(), v[1].toInt(), v[2].toInt()));
    }
    std::vector<int> count(colours.size());
    QRect around;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            for (size_t i = 0; i < colours.size(); ++i)
                if ((line[x] & 0xffffff) == (colours[i] & 0xffffff)) {
                    ++count[i];
                    around |= QRect(x, y, 1, 1);
                }
    }
    QStringList seen;
    bool all = true;
    for (size_t i = 0; i < colours.size(); ++i) {
        seen << QStringLiteral("%1 x %2").arg(count[i]).arg(a[4 + int(i)]);
        all = all && count[i] >= least;
    }
    if (!all)
        return say(false, QStringLiteral("too few pixels: ") + seen.join(QStringLiteral(", ")));
    return say(true, QStringLiteral("%1 %2 %3 %4").arg(around.x()).arg(around.y()).arg(around.width()).arg(around.height()));
}

std::vector<int16_t> samples(const QString& path, double rate, double skipMs)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const qint64 skip = qint64(rate * skipMs / 1000) * 2;
    if (f.size() <= skip || !f.seek(skip))
        return {};
    const QByteArray bytes = f.readAll();
    std::vector<int16_t> s(size_t(bytes.size() / 2));
    std::memcpy(s.data(), bytes.constData(), s.size() * 2);
    return s;
}

// The audible part of a sound: what lies above 1 % of full scale, from its first to its last sample.
struct Audible {
    double ms = 0;
    double peakDb = -120;
};

Audible measure(const std::vector<int>& s, double rate, int fullScale)
{
    const int floor = fullScale / 100;
    long first = -1, last = -1;
    int peak = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const int v = std::abs(s[i]);
        peak = std::max(peak, v);
        if (v > floor) {
            if (first < 0)
                first = long(i);
            last = long(i);
        }
    }
    Audible a;
    if (first >= 0)
        a.ms = (last - first + 1) * 1000.0 / rate;
    if (peak > 0)
        a.peakDb = 20 * std::log10(double(peak) / fullScale);
    return a;
}

// A PCM WAVE file's first channel, as signed values, with its rate and full scale.
bool readWav(const QString& path, std::vector<int>& out, double& rate, int& fullScale)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray w = f.readAll();
    auto u16 = [&](int at) { return int(uint8_t(w[at])) | int(uint8_t(w[at + 1])) << 8; };
    auto u32 = [&](int at) { return uint32_t(u16(at)) | uint32_t(u16(at + 2)) << 16; };
    int channels = 0, bits = 0;
    for (int at = 12; at + 8 <= w.size();) {
        const QByteArray id = w.mid(at, 4);
        const int len = int(u32(at + 4));
        if (id == "fmt " && len >= 16) {
            if (u16(at + 8) != 1)
                return false; // only plain PCM is compared
            channels = u16(at + 10);
            rate = u32(at + 12);
            bits = u16(at + 22);
        } else if (id == "data" && channels > 0) {
            const int step = channels * bits / 8;
            for (int i = at + 8; i + step <= at + 8 + len && i + step <= w.size(); i += step)
                out.push_back(bits == 8 ? int(uint8_t(w[i])) - 128 : int(int16_t(u16(i))));
            fullScale = bits == 8 ? 128 : 32768;
            return true;
        }
        at += 8 + len + (len & 1);
    }
    return false;
}

int sound(const QStringList& a)
{
    std::vector<int> rec;
    for (int16_t v : samples(a[2], a[3].toDouble(), a[5].toDouble()))
        rec.push_back(v);
    std::vector<int> ref;
    double refRate = 0;
    int refScale = 0;
    if (!readWav(a[4], ref, refRate, refScale))
        return say(false, QStringLiteral("cannot read ") + a[4]);
    const Audible heard = measure(rec, a[3].toDouble(), 32768);
    const Audible meant = measure(ref, refRate, refScale);
    // The sound server may resample and smooth the edges; length and peak stay close.
    const bool ok = heard.ms >= meant.ms * 0.6 && heard.ms <= meant.ms * 1.5 + 60
        && std::abs(heard.peakDb - meant.peakDb) <= 6;
    return say(ok, QStringLiteral("heard %1 ms at %2 dBFS, the sound is %3 ms at %4 dBFS (%5 s recorded)")
                       .arg(heard.ms, 0, 'f', 0).arg(heard.peakDb, 0, 'f', 1)
                       .arg(meant.ms, 0, 'f', 0).arg(meant.peakDb, 0, 'f', 1)
                       .arg(rec.size() / a[3].toDouble(), 0, 'f', 2));
}

int silence(const QStringList& a)
{
    const std::vector<int16_t> s = samples(a[2], a[3].toDouble(), a[4].toDouble());
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
    if (cmd == QLatin1String("bmp") && a.size() == 3) {
        QFile f(a[2]);
        const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        if (bytes.size() < 6 || !bytes.startsWith("BM"))
            return say(false, QStringLiteral("no bitmap"));
        const auto declared = qint64(uchar(bytes[2]) | uchar(bytes[3]) << 8 | uchar(bytes[4]) << 16 | quint32(uchar(bytes[5])) << 24);
        const QImage img = QImage::fromData(bytes, "BMP");
        return say(declared == bytes.size() && !img.isNull(),
                   QStringLiteral("%1 of %2 bytes, %3 x %4").arg(bytes.size()).arg(declared).arg(img.width()).arg(img.height()));
    }
    if (cmd == QLatin1String("find") && a.size() >= 5)
        return find(a);
    if (cmd == QLatin1String("sound") && a.size() == 6)
        return sound(a);
    if (cmd == QLatin1String("silence") && a.size() == 5)
        return silence(a);
    return say(false, QStringLiteral("usage: see the head of e2echeck.cpp"));
}
