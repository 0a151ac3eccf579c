#pragma once
#include <QImage>
#include <QString>

namespace zorbel {

// Reads a saved drawing. A missing file is error 53; a file that is not a picture, is cut
// short or would not fit in memory is error 481 "Invalid picture". Never returns a null image.
QImage readPicture(const QString& path);

} // namespace zorbel
