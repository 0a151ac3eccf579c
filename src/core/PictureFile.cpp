#include "PictureFile.h"
#include "core/failure/VbError.h"
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>

namespace zorbel {

namespace {
// Far above any canvas a screen can show, far below what would exhaust memory.
constexpr int kMaxPictureMiB = 256;
// Longer sides cannot fit in that memory; the limit keeps the size sums below in range.
constexpr qint64 kMaxSide = qint64(1) << 26;

// True when run-length packed rows give every pixel of a width x height picture, all within the
// data. Skips over pixels and rows cut short leave them unwritten, so they count as incomplete.
bool runsComplete(const QByteArray& data, qint64 width, qint64 height, bool fourBits)
{
    qint64 x = 0, y = 0;
    qsizetype at = 0;
    while (y < height && at + 1 < data.size()) {
        const auto count = uchar(data[at]);
        const auto code = uchar(data[at + 1]);
        at += 2;
        if (count > 0) {
            x += count;
        } else if (code == 0) { // end of row
            if (x != width)
                return false;
            x = 0;
            ++y;
        } else if (code == 1) { // end of picture
            return x == width && y == height - 1;
        } else if (code == 2) { // skip
            return false;
        } else { // the next pixels as they are, padded to two bytes
            const qsizetype bytes = fourBits ? (code + 1) / 2 : code;
            at += bytes + (bytes & 1);
            if (at > data.size())
                return false;
            x += code;
        }
        if (x > width)
            return false;
    }
    return y == height || (y == height - 1 && x == width);
}

// False for a bitmap whose pixel data is shorter than its header says. Qt's reader leaves the
// missing rows as they were in memory and calls the picture good.
bool bitmapComplete(QFile& file)
{
    const QByteArray head = file.peek(54);
    if (!head.startsWith("BM"))
        return true; // not a bitmap: its own reader judges it
    if (head.size() < 30)
        return false;
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(head.constData() + at); };
    const auto s32 = [&](int at) { return qFromLittleEndian<qint32>(head.constData() + at); };
    const qint64 offset = qFromLittleEndian<quint32>(head.constData() + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(head.constData() + 14);
    qint64 width = 0, height = 0, bits = 0, compression = 0, declared = 0;
    if (headerSize == 12) { // the old OS/2 header
        width = u16(18);
        height = u16(20);
        bits = u16(24);
    } else {
        if (head.size() < 38)
            return false;
        width = s32(18);
        height = std::llabs(s32(22));
        bits = u16(28);
        compression = qFromLittleEndian<quint32>(head.constData() + 30);
        declared = qFromLittleEndian<quint32>(head.constData() + 34);
    }
    if (width < 0 || width > kMaxSide || height > kMaxSide || bits > 64)
        return false;
    qint64 needed = declared; // packed rows: the size the header gives
    if (compression == 0 || compression == 3) // plain rows, each padded to four bytes
        needed = (width * bits + 31) / 32 * 4 * height;
    if (offset + needed > file.size())
        return false;
    if (compression != 1 && compression != 2)
        return true;
    if (!file.seek(offset))
        return false;
    const QByteArray data = file.read(declared > 0 ? declared : file.size() - offset);
    return file.seek(0) && runsComplete(data, width, height, compression == 2);
}
} // namespace

QImage readPicture(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw VbError(vberr::FileNotFound);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VbError(vberr::InvalidPicture);
    if (!bitmapComplete(file))
        throw VbError(vberr::InvalidPicture);
    QImageReader reader(&file);
    reader.setAllocationLimit(kMaxPictureMiB);
    reader.setDecideFormatFromContent(true);
    QImage img = reader.read();
    if (img.isNull())
        throw VbError(vberr::InvalidPicture);
    return img;
}

} // namespace zorbel
