#include "Fonts.h"
#include <QDir>
#include <QFontDatabase>
#include <QResource>

namespace zorbel::fonts {

namespace {
struct Substitute {
    const char* windows;
    const char* family;
};
constexpr Substitute kSubstitutes[] = {
    {"Times New Roman", "Liberation Serif"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial Black", "Lato Black"},
    {"Wingdings", "Symbola"},
};
} // namespace

void install()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QDir dir(QStringLiteral(":/fonts"));
    for (const QString& name : dir.entryList({QStringLiteral("*.ttf")})) {
        // The resources are stored uncompressed: the font is read where it lies, not copied.
        const QResource font(dir.filePath(name));
        if (font.compressionAlgorithm() == QResource::NoCompression)
            QFontDatabase::addApplicationFontFromData(
                QByteArray::fromRawData(reinterpret_cast<const char*>(font.data()), qsizetype(font.size())));
        else
            QFontDatabase::addApplicationFont(dir.filePath(name));
    }
}

QString family(const QString& windowsName)
{
    for (const auto& s : kSubstitutes)
        if (windowsName.compare(QLatin1String(s.windows), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.family);
    return windowsName;
}

QFont font(const QString& windowsName, double points, bool bold, bool italic)
{
    QFont f(family(windowsName));
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    // Our own fonts only: no silent fall-back to whatever the machine has.
    f.setStyleStrategy(QFont::PreferDefault);
    return f;
}

} // namespace zorbel::fonts
