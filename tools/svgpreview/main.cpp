// svgpreview - renders SVG pictures to PNG so they can be looked at without
// starting the program. Runs headless: QT_QPA_PLATFORM=offscreen svgpreview ...
//
// Single picture:
//   svgpreview in.svg out.png [W H] [--scale N] [--bg COLOR] [--fonts DIR]
//     W H      size to render at (default: the picture's own size)
//     --scale  enlarge the result N times with nearest-neighbour pixels
//     --crop X,Y,W,H  keep only this part of the result (before --scale)
//     --check  also report paint that falls outside the picture's own area
//              (QSvgRenderer does not clip to the viewBox); exit code 2 if any
//     --bg     fill behind the picture (default transparent; e.g. white, #c0c0c0,
//              "checker" for a grey checkerboard to judge transparency)
//
// Mock-up (several pictures composited on one image):
//   svgpreview --mock out.png W H [--bg COLOR] [--scale N] [--fonts DIR] ITEM...
//     ITEM is  file.svg@X,Y,W,H   picture stretched into that rectangle
//          or  rect@X,Y,W,H,COLOR a filled rectangle (stand-in for a widget)
//          or  box@X,Y,W,H,COLOR  a 1-px outlined rectangle (to mark calm areas)
//          or  text@X,Y,SIZE,COLOR,words with spaces  (Liberation Sans Bold)
//
// --fonts DIR loads every .ttf/.otf in DIR before rendering (the bundled fonts).
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QStringList>
#include <QSvgRenderer>
#include <cstdio>

static int fail(const QString &msg)
{
    std::fprintf(stderr, "svgpreview: %s\n", qPrintable(msg));
    return 1;
}

static void fillBackground(QImage &img, const QString &bg)
{
    if (bg.isEmpty()) {
        img.fill(Qt::transparent);
        return;
    }
    if (bg == QLatin1String("checker")) {
        QPainter p(&img);
        const int s = 4;
        for (int y = 0; y < img.height(); y += s)
            for (int x = 0; x < img.width(); x += s)
                p.fillRect(x, y, s, s, ((x / s + y / s) & 1) ? QColor(200, 200, 200) : QColor(255, 255, 255));
        return;
    }
    img.fill(QColor(bg));
}

static bool renderSvg(QPainter &p, const QString &file, const QRectF &target)
{
    QSvgRenderer r(file);
    if (!r.isValid()) {
        std::fprintf(stderr, "svgpreview: cannot parse %s\n", qPrintable(file));
        return false;
    }
    r.render(&p, target);
    return true;
}

static QRect g_crop;

static QImage enlarge(const QImage &source, int scale)
{
    const QImage img = g_crop.isValid() ? source.copy(g_crop) : source;
    if (scale <= 1)
        return img;
    return img.scaledToWidth(img.width() * scale, Qt::FastTransformation);
}

static void loadFonts(const QString &dir)
{
    if (dir.isEmpty())
        return;
    const QDir d(dir);
    const QStringList files = d.entryList({"*.ttf", "*.otf", "*.TTF", "*.OTF"}, QDir::Files);
    for (const QString &f : files)
        if (QFontDatabase::addApplicationFont(d.filePath(f)) < 0)
            std::fprintf(stderr, "svgpreview: cannot load font %s\n", qPrintable(f));
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    QString bg, fonts;
    QRect crop;
    int scale = 1;
    const bool check = args.removeAll(QStringLiteral("--check")) > 0;
    for (int i = 0; i < args.size();) {
        const QString a = args.at(i);
        if ((a == "--bg" || a == "--scale" || a == "--fonts" || a == "--crop") && i + 1 < args.size()) {
            if (a == "--crop") {
                const QStringList c = args.at(i + 1).split(',');
                if (c.size() == 4)
                    crop = QRect(c.at(0).toInt(), c.at(1).toInt(), c.at(2).toInt(), c.at(3).toInt());
            } else if (a == "--bg")
                bg = args.at(i + 1);
            else if (a == "--fonts")
                fonts = args.at(i + 1);
            else
                scale = qMax(1, args.at(i + 1).toInt());
            args.remove(i, 2);
        } else {
            ++i;
        }
    }
    loadFonts(fonts);
    g_crop = crop;

    if (!args.isEmpty() && args.first() == "--mock") {
        if (args.size() < 4)
            return fail("usage: --mock out.png W H ITEM...");
        const QString out = args.at(1);
        const int w = args.at(2).toInt(), h = args.at(3).toInt();
        if (w <= 0 || h <= 0)
            return fail("bad mock-up size");
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        fillBackground(img, bg.isEmpty() ? QStringLiteral("#808080") : bg);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        for (int i = 4; i < args.size(); ++i) {
            const QString item = args.at(i);
            const int at = item.indexOf('@');
            if (at < 0)
                return fail("bad item " + item);
            const QString kind = item.left(at);
            const QStringList v = item.mid(at + 1).split(',');
            if (kind == "text" && v.size() >= 5) {
                QFont f("Liberation Sans");
                f.setBold(true);
                f.setPixelSize(v.at(2).toInt());
                p.setFont(f);
                p.setPen(QColor(v.at(3)));
                p.drawText(QPointF(v.at(0).toDouble(), v.at(1).toDouble()),
                           QStringList(v.mid(4)).join(','));
                continue;
            }
            if (v.size() < 4)
                return fail("bad item " + item);
            const QRectF r(v.at(0).toDouble(), v.at(1).toDouble(), v.at(2).toDouble(), v.at(3).toDouble());
            if (kind == "rect" && v.size() >= 5) {
                p.fillRect(r, QColor(v.at(4)));
            } else if (kind == "box" && v.size() >= 5) {
                p.save();
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(QColor(v.at(4)));
                p.setBrush(Qt::NoBrush);
                p.drawRect(r.adjusted(0, 0, -1, -1));
                p.restore();
            } else if (!renderSvg(p, kind, r)) {
                return 1;
            }
        }
        p.end();
        if (!enlarge(img, scale).save(out))
            return fail("cannot write " + out);
        return 0;
    }

    if (args.size() != 2 && args.size() != 4)
        return fail("usage: svgpreview in.svg out.png [W H] [--scale N] [--bg COLOR] [--fonts DIR]\n"
                    "       svgpreview --mock out.png W H ITEM...");
    const QString in = args.at(0), out = args.at(1);
    QSvgRenderer probe(in);
    if (!probe.isValid())
        return fail("cannot parse " + in);
    QSize size = probe.defaultSize();
    if (args.size() == 4)
        size = QSize(args.at(2).toInt(), args.at(3).toInt());
    if (size.isEmpty())
        return fail("bad size");
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    fillBackground(img, bg);
    {
        QPainter p(&img);
        if (!renderSvg(p, in, QRectF(QPointF(0, 0), QSizeF(size))))
            return 1;
    }
    if (!enlarge(img, scale).save(out))
        return fail("cannot write " + out);
    if (check) {
        // Render again with a transparent margin and look for stray paint.
        const int m = 64;
        QImage big(size.width() + 2 * m, size.height() + 2 * m, QImage::Format_ARGB32_Premultiplied);
        big.fill(Qt::transparent);
        {
            QPainter p(&big);
            renderSvg(p, in, QRectF(QPointF(m, m), QSizeF(size)));
        }
        const QRect inside(m, m, size.width(), size.height());
        int stray = 0;
        QRect where;
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x)
                if (!inside.contains(x, y) && qAlpha(big.pixel(x, y)) > 8) {
                    ++stray;
                    where |= QRect(x - m, y - m, 1, 1);
                }
        if (stray) {
            std::printf("%s: %d pixels painted outside, within x %d..%d y %d..%d\n", qPrintable(in), stray,
                        where.left(), where.right(), where.top(), where.bottom());
            return 2;
        }
        std::printf("%s: nothing painted outside %dx%d\n", qPrintable(in), size.width(), size.height());
    }
    return 0;
}
