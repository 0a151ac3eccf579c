#include "PictureFile.h"
#include "core/failure/VbError.h"
#include <QFileInfo>
#include <QImageReader>

namespace zorbel {

namespace {
// Far above any canvas a screen can show, far below what would exhaust memory.
constexpr int kMaxPictureMiB = 256;
} // namespace

QImage readPicture(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw VbError(vberr::FileNotFound);
    QImageReader reader(path);
    reader.setAllocationLimit(kMaxPictureMiB);
    reader.setDecideFormatFromContent(true);
    QImage img = reader.read();
    if (img.isNull())
        throw VbError(vberr::InvalidPicture);
    return img;
}

} // namespace zorbel
