#include "PictureWriter.h"
#include "core/failure/VbError.h"
#include <QFileInfo>
#include "SafeFile.h"
#include <QBuffer>

namespace zorbel {

namespace {
bool g_fail = false;
}

void setPictureWritesFail(bool fail) { g_fail = fail; }

void writePicture(const QImage& image, const QString& path)
{
    const QFileInfo existing(path);
    if (existing.exists()
        && !(existing.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)))
        throw VbError(vberr::PathFileAccess);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP"))
        throw VbError(vberr::PathFileAccess);
    if (g_fail)
        throw VbError(vberr::DiskFull);
    // Written to a new file and renamed, never through a link: a failed overwrite keeps the old picture.
    files::replaceFile(path, bytes);
}

} // namespace zorbel
