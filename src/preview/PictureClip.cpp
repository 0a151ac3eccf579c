#include "PictureClip.h"
#include "core/failure/VbError.h"

namespace zorbel {

QImage PictureClip::cell(int k) const
{
    if (m_picture.isNull() || k < 0 || k >= kRows)
        throw VbError(vberr::InvalidPropertyValue);
    // Each band gets the same height; rows left over by an uneven height stay below the last band.
    const int h = m_picture.height() / kRows;
    return m_picture.copy(0, k * h, m_picture.width(), h);
}

} // namespace zorbel
