#pragma once
#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QString>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

// The program's built-in resources, addressed as the program addresses them: by type and id.
// Each kind has one table in Resources.cpp that pairs the id with its file.
namespace zorbel::res {

namespace id {
// Bitmaps
constexpr int TemplateBase = 100; // template n is TemplateBase + n
constexpr int DrawBackground = 200;
constexpr int PlateGerman = 201;
constexpr int PlateEnglish = 202;
constexpr int FlagBase = 210; // + language index 0..6
constexpr int InfoBackground = 220;
constexpr int InfoSmall = 221;
constexpr int PreviewBackground = 230;
constexpr int ColorBackground = 240;
constexpr int Palette = 241;
constexpr int SliderThumb = 242;
constexpr int SliderRail = 243;
// Cursors
constexpr int CursorPencil = 101;
constexpr int CursorPicker = 102;
// Strings
constexpr int TemplateCount = 100;
constexpr int Volume = 102;
// Raw data
constexpr int TextTable = 1000;
} // namespace id

// Raw bytes of a "WAV" or "CUSTOM" resource; throws error 326 when there is none.
QByteArray LoadResData(int id, const QString& type);
// Throws error 326 when there is none.
QString LoadResString(int id);
// A bitmap at its natural size; throws error 326 when there is none.
QImage LoadResPicture(int id);
// A bitmap drawn for the given logical size and pixel ratio: vector pictures stay crisp.
QImage LoadResPicture(int id, QSize size, qreal devicePixelRatio = 1.0);
// The picture's natural size in pixels.
QSize pictureSize(int id);
// Where the bitmap is among the resources, for reading it in parts; throws error 326 when there is none.
QString picturePath(int id);
QCursor LoadResCursor(int id);

// A vector bitmap read once and drawn as often as needed, whole or in parts: a painter clipped
// to a part fills only that part's pixels. Throws error 326 when there is none.
class VectorPicture {
public:
    explicit VectorPicture(int id);
    ~VectorPicture();
    // The picture stretched over bounds.
    void draw(QPainter& p, const QRectF& bounds) const;

private:
    std::unique_ptr<QSvgRenderer> m_svg;
};

} // namespace zorbel::res
