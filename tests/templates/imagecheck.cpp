#include "imagecheck.h"

#include <QVector>
#include <algorithm>

namespace ImageCheck {

QBitArray outside(const QImage &img)
{
    const int w = img.width(), h = img.height();
    QBitArray seen(w * h);
    QVector<int> stack;
    auto push = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || seen.testBit(y * w + x))
            return;
        if (isDark(px(img, x, y)))
            return;
        seen.setBit(y * w + x);
        stack.append(y * w + x);
    };
    for (int x = 0; x < w; ++x) {
        push(x, 0);
        push(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        push(0, y);
        push(w - 1, y);
    }
    while (!stack.isEmpty()) {
        const int i = stack.takeLast();
        const int x = i % w, y = i / w;
        push(x + 1, y);
        push(x - 1, y);
        push(x, y + 1);
        push(x, y - 1);
    }
    return seen;
}

qreal outlineThickness(const QImage &img, const QBitArray &out)
{
    const int w = img.width(), h = img.height();
    auto darkAt = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && isDark(px(img, x, y));
    };
    auto run = [&](int x, int y, int dx, int dy) {
        int n = 0;
        while (darkAt(x + n * dx, y + n * dy))
            ++n;
        return n;
    };
    QVector<int> samples;
    auto measure = [&](int x, int y) {
        // length of the dark run through (x, y) both ways, horizontally and vertically
        const int hr = run(x, y, 1, 0) + run(x, y, -1, 0) - 1;
        const int vr = run(x, y, 0, 1) + run(x, y, 0, -1) - 1;
        samples.append(qMin(hr, vr));
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 1; x < w; ++x)
            if (darkAt(x, y) && out.testBit(y * w + x - 1)) {
                measure(x, y);
                break;
            }
        for (int x = w - 2; x >= 0; --x)
            if (darkAt(x, y) && out.testBit(y * w + x + 1)) {
                measure(x, y);
                break;
            }
    }
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Block averages keep the colours of small parts, as a tiny picture would.
QVector<int> thumbnail(const QImage &img, int block)
{
    QVector<int> out;
    for (int by = 0; by + block <= img.height(); by += block)
        for (int bx = 0; bx + block <= img.width(); bx += block) {
            int r = 0, g = 0, b = 0;
            for (int y = by; y < by + block; ++y)
                for (int x = bx; x < bx + block; ++x) {
                    const QRgb c = px(img, x, y);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            const int n = block * block;
            out << r / n << g / n << b / n;
        }
    return out;
}

qreal thumbnailDistance(const QVector<int> &ta, const QVector<int> &tb)
{
    if (ta.size() != tb.size() || ta.isEmpty())
        return 255;
    qreal sum = 0;
    for (int i = 0; i < ta.size(); ++i)
        sum += qAbs(ta[i] - tb[i]);
    return sum / ta.size();
}

} // namespace ImageCheck
