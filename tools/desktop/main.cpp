// Build-time helper for the desktop files: draws the application icon's PNG sizes from its SVG,
// and turns the bundled button font into a style sheet the help pages can use from any folder.
//   zorbel_desktoptool icon IN.svg OUT.png SIZE
//   zorbel_desktoptool fontcss FONT.ttf FAMILY OUT.css
#include <QFile>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {
int fail(const char* what)
{
    std::fprintf(stderr, "zorbel_desktoptool: %s\n", what);
    return 1;
}

int icon(const QString& in, const QString& out, int size)
{
    QSvgRenderer svg(in);
    if (!svg.isValid() || size < 8 || size > 1024)
        return fail("cannot read the icon or the size is wrong");
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image.save(out, "PNG") ? 0 : fail("cannot write the picture");
}

int fontCss(const QString& fontPath, const QString& family, const QString& out)
{
    QFile font(fontPath);
    if (!font.open(QIODevice::ReadOnly))
        return fail("cannot read the font");
    // Inside the sheet, so browsers that refuse fonts from local files still show the glyphs.
    const QByteArray css = "@font-face { font-family: \"" + family.toUtf8() + "\"; src: url(data:font/ttf;base64,"
        + font.readAll().toBase64() + ") format(\"truetype\"); }\n";
    QFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(css) != css.size())
        return fail("cannot write the style sheet");
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    // Pictures without text need no window system.
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 5 && a[1] == QLatin1String("icon"))
        return icon(a[2], a[3], a[4].toInt());
    if (a.size() == 5 && a[1] == QLatin1String("fontcss"))
        return fontCss(a[2], a[3], a[4]);
    return fail("usage: icon IN.svg OUT.png SIZE | fontcss FONT.ttf FAMILY OUT.css");
}
