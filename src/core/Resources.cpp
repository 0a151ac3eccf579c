#include "Resources.h"
#include "core/failure/VbError.h"
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <array>

namespace zorbel::res {

namespace {
struct Entry {
    int id;
    const char* path;
};

// Bitmaps: the window pictures are vector sources, the templates are generated at build time.
constexpr std::array kBitmaps{
    Entry{id::DrawBackground, ":/bmp/draw_bg.svg"},
    Entry{id::PlateGerman, ":/bmp/plate_de.svg"},
    Entry{id::PlateEnglish, ":/bmp/plate_en.svg"},
    Entry{id::FlagBase + 0, ":/bmp/flag_de.svg"},
    Entry{id::FlagBase + 1, ":/bmp/flag_en.svg"},
    Entry{id::FlagBase + 3, ":/bmp/flag_it.svg"},
    Entry{id::FlagBase + 4, ":/bmp/flag_es.svg"},
    Entry{id::FlagBase + 6, ":/bmp/flag_fr.svg"},
    Entry{id::InfoBackground, ":/bmp/info_bg.svg"},
    Entry{id::InfoSmall, ":/bmp/info_small.svg"},
    Entry{id::PreviewBackground, ":/bmp/preview_bg.svg"},
    Entry{id::ColorBackground, ":/bmp/color_bg.svg"},
    Entry{id::Palette, ":/bmp/palette.svg"},
    Entry{id::SliderThumb, ":/bmp/slider_thumb.svg"},
    Entry{id::SliderRail, ":/bmp/slider_rail.svg"},
};

struct CursorEntry {
    int id;
    const char* path;
    int hotX, hotY;
};
constexpr std::array kCursors{
    CursorEntry{id::CursorPencil, ":/bmp/cursor_pencil.svg", 0, 0},
    CursorEntry{id::CursorPicker, ":/bmp/cursor_picker.svg", 0, 0},
};

constexpr std::array kData{
    Entry{id::TextTable, ":/custom/1000.lng"},
    Entry{101, ":/wav/101.wav"},
    Entry{102, ":/wav/102.wav"},
    Entry{103, ":/wav/103.wav"},
    Entry{104, ":/wav/104.wav"},
    Entry{105, ":/wav/105.wav"},
    Entry{106, ":/wav/106.wav"},
    Entry{107, ":/wav/107.wav"},
};
constexpr const char* kDataType[] = {"CUSTOM", "WAV"};

struct StringEntry {
    int id;
    const char* text;
};
constexpr std::array kStrings{
    StringEntry{id::TemplateCount, ZORBEL_TEMPLATE_COUNT},
    StringEntry{id::Volume, "III"},
};

QString bitmapPath(int id)
{
    for (const auto& e : kBitmaps)
        if (e.id == id)
            return QString::fromLatin1(e.path);
    const int count = QByteArray(ZORBEL_TEMPLATE_COUNT).toInt();
    if (id > id::TemplateBase && id <= id::TemplateBase + count)
        return QStringLiteral(":/bmp/templates/%1.png").arg(id);
    throw VbError(vberr::ResourceNotFound);
}

QImage render(const QString& path, QSize size, qreal dpr)
{
    if (!path.endsWith(QLatin1String(".svg"))) {
        QImage img(path);
        if (img.isNull())
            throw VbError(vberr::ResourceNotFound);
        return size.isEmpty() || img.size() == size ? img : img.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QSvgRenderer svg(path);
    if (!svg.isValid())
        throw VbError(vberr::ResourceNotFound);
    if (size.isEmpty())
        size = svg.defaultSize();
    QImage img((QSizeF(size) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p);
    p.end();
    img.setDevicePixelRatio(dpr);
    return img;
}
} // namespace

QByteArray LoadResData(int resId, const QString& type)
{
    for (const auto& e : kData) {
        const bool custom = QByteArray(e.path).startsWith(":/custom/");
        if (e.id != resId || type.compare(QLatin1String(kDataType[custom ? 0 : 1]), Qt::CaseInsensitive) != 0)
            continue;
        QFile f(QString::fromLatin1(e.path));
        if (!f.open(QIODevice::ReadOnly))
            break;
        return f.readAll();
    }
    throw VbError(vberr::ResourceNotFound);
}

QString LoadResString(int resId)
{
    for (const auto& e : kStrings)
        if (e.id == resId)
            return QString::fromLatin1(e.text);
    throw VbError(vberr::ResourceNotFound);
}

QImage LoadResPicture(int resId) { return render(bitmapPath(resId), {}, 1.0); }

QImage LoadResPicture(int resId, QSize size, qreal devicePixelRatio)
{
    return render(bitmapPath(resId), size, devicePixelRatio);
}

QString picturePath(int resId) { return bitmapPath(resId); }

QSize pictureSize(int resId)
{
    const QString path = bitmapPath(resId);
    if (path.endsWith(QLatin1String(".svg")))
        return QSvgRenderer(path).defaultSize();
    return QImage(path).size();
}

VectorPicture::VectorPicture(int resId) : m_svg(std::make_unique<QSvgRenderer>(bitmapPath(resId)))
{
    if (!m_svg->isValid())
        throw VbError(vberr::ResourceNotFound);
}

VectorPicture::~VectorPicture() = default;

void VectorPicture::draw(QPainter& p, const QRectF& bounds) const { m_svg->render(&p, bounds); }

QCursor LoadResCursor(int resId)
{
    for (const auto& e : kCursors) {
        if (e.id != resId)
            continue;
        // Drawn at the screen's pixel ratio so the pointer stays sharp on dense screens.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal dpr = screen ? screen->devicePixelRatio() : 1.0;
        const QImage img = render(QString::fromLatin1(e.path), QSize(32, 32), dpr);
        return QCursor(QPixmap::fromImage(img), e.hotX, e.hotY);
    }
    throw VbError(vberr::ResourceNotFound);
}

} // namespace zorbel::res
