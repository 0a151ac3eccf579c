#pragma once
#include <QImage>
#include <QString>

namespace zorbel {

// Writes a drawing as a Windows bitmap into a new file that then replaces the old one, so a
// failed overwrite keeps the old picture, and never through a link. A picture whose write protection is set is refused,
// whoever runs the program: the protection is the file's own mark, as on Windows. Failures are
// error 75; a full disk is 61.
void writePicture(const QImage& image, const QString& path);

// Tests make the next writes fail after the data went out, as a full disk would; false restores.
void setPictureWritesFail(bool fail);

} // namespace zorbel
