#include "PictureClip.h"
#include "core/failure/VbError.h"
#include <QImageReader>

namespace zorbel {

void PictureClip::setPictureFile(const QString& path)
{
    const QSize size = QImageReader(path).size();
    if (size.isEmpty())
        throw VbError(vberr::InvalidPicture);
    m_picture = QImage();
    m_file = path;
    m_size = size;
}

QImage PictureClip::cell(int k) const
{
    if (m_size.isEmpty() || k < 0 || k >= kRows)
        throw VbError(vberr::InvalidPropertyValue);
    // Each band gets the same height; rows left over by an uneven height stay below the last band.
    const int h = m_size.height() / kRows;
    const QRect band(0, k * h, m_size.width(), h);
    if (m_file.isEmpty())
        return m_picture.copy(band);
    QImageReader reader(m_file);
    reader.setClipRect(band);
    QImage img = reader.read();
    if (img.isNull())
        throw VbError(vberr::InvalidPicture);
    return img;
}

} // namespace zorbel
