#include "PictureWriter.h"
#include "core/failure/VbError.h"
#include <QFileInfo>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP"))
        throw VbError(vberr::PathFileAccess);
    if (g_fail)
        file.cancelWriting();
    if (!file.commit())
        throw VbError(g_fail || file.error() == QFileDevice::ResourceError ? vberr::DiskFull : vberr::PathFileAccess);
}

} // namespace zorbel
