// Keeping windows on the screen, reading saved pictures and clearing what a stopped save left.
#include "TestSupport.h"
#include "core/PictureFile.h"
#include "core/SafeFile.h"
#include "core/ScreenFit.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <ctime>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorbel;

namespace {
// A 64 x 48 run-length packed bitmap of which only the first rows are given, without an end
// mark when they are fewer than 48; with declared, its header gives the size of all 48.
QByteArray rle8(int given, bool declared)
{
    QByteArray rows;
    for (int y = 0; y < given; ++y)
        rows += QByteArray("\x40\x01\x00\x00", 4); // 64 pixels of colour 1, end of row
    if (given == 48)
        rows += QByteArray("\x00\x01", 2);
    const quint32 dataSize = declared ? 48 * 4 + 2 : 0;
    QByteArray b("BM", 2);
    const auto u32 = [&](quint32 v) { b.append(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](quint16 v) { b.append(reinterpret_cast<const char*>(&v), 2); };
    u32(54 + 256 * 4 + rows.size());
    u32(0);
    u32(54 + 256 * 4);
    u32(40);
    u32(64);
    u32(48);
    u16(1);
    u16(8);
    u32(1); // run-length packed, 8 bits
    u32(dataSize);
    u32(2835);
    u32(2835);
    u32(256);
    u32(0);
    for (int i = 0; i < 256; ++i)
        u32(quint32(i * 0x010101));
    return b + rows;
}
} // namespace

class TestPlaceFile : public QObject {
    Q_OBJECT
private slots:
    void windowsMoveOnlyAsFarAsNeededToBeUsable()
    {
        const QRect area(0, 0, 800, 600);
        // The template window at an 800 x 600 screen's default top: above the edge, but its
        // buttons (the bottom band) are on the screen, so it stays.
        const QRect buttons(0, 316, 440, 104);
        QCOMPARE(keepUsable(QRect(51, -120, 440, 420), area, buttons, {}), QRect(51, -120, 440, 420));
        // Buttons off the bottom or the top: moved just far enough to show them.
        QCOMPARE(keepUsable(QRect(51, 300, 440, 420), area, buttons, {}), QRect(51, 180, 440, 420));
        QCOMPARE(keepUsable(QRect(51, -400, 440, 420), area, buttons, {}), QRect(51, -316, 440, 420));
        // The pen window with 280 of its 626 pixels on the screen can still be taken and dragged.
        const QSize grip(626 / 4, 169);
        QCOMPARE(keepUsable(QRect(520, 84, 626, 169), area, {}, grip), QRect(520, 84, 626, 169));
        QCOMPARE(keepUsable(QRect(-346, 84, 626, 169), area, {}, grip), QRect(-346, 84, 626, 169));
        // Stored for a larger screen, wholly off this one: back by the grip, not all the way in.
        QCOMPARE(keepUsable(QRect(1900, 84, 626, 169), area, {}, grip), QRect(800 - 156, 84, 626, 169));
        QCOMPARE(keepUsable(QRect(-900, 900, 626, 169), area, {}, grip), QRect(-470, 431, 626, 169));
        // An area that does not start at 0 (a panel on the left and top), and a needed part too big
        // for the area: its top left stays reachable.
        QCOMPARE(keepUsable(QRect(-50, 20, 440, 420), QRect(40, 30, 760, 570), QRect(0, 0, 440, 420), {}),
                 QRect(40, 30, 440, 420));
        QCOMPARE(keepUsable(QRect(50, 50, 2000, 420), area, QRect(0, 0, 2000, 420), {}).topLeft(), QPoint(0, 50));
    }

    void everyPixelOfAnAcceptedPictureComesFromTheFile()
    {
        // Memory is filled with a different byte for each read: a pixel the file did not give
        // shows as a difference.
        const QString path = test::scratchFolder() + QStringLiteral("rle-open.bmp");
        int32_t error = 0;
        const auto read = [&](int fill) {
            mallopt(M_PERTURB, fill);
            QImage image;
            try {
                image = readPicture(path);
            } catch (const VbError& e) {
                error = e.number();
            }
            mallopt(M_PERTURB, 0);
            return image;
        };
        for (const int given : {48, 2}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(rle8(given, false));
            f.close();
            const QImage first = read(0x55);
            QCOMPARE(read(0xAA), first);
            QCOMPARE(error, given == 48 ? 0 : vberr::InvalidPicture);
        }
    }

    void onlyOurOwnOldTemporaryFilesAreRemoved()
    {
        const QString dir = test::scratchFolder() + QStringLiteral("leftovers/");
        QVERIFY(QDir().mkpath(dir));
        const auto make = [&](const char* name, int ageSeconds) {
            const QByteArray path = QFile::encodeName(dir) + name;
            QFile f(QFile::decodeName(path));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
            f.close();
            const timespec times[2] = {{::time(nullptr) - ageSeconds, 0}, {::time(nullptr) - ageSeconds, 0}};
            QVERIFY(::utimensat(AT_FDCWD, path.constData(), times, 0) == 0);
        };
        make(".zorbel-aB3xYz", 120);
        make(".zorbel-fresh1", 5);
        make(".zorbel-longer1", 120);
        make("target", 120);
        const QByteArray link = QFile::encodeName(dir) + ".zorbel-link01";
        QVERIFY(::symlink("target", link.constData()) == 0);
        const bool root = ::getuid() == 0; // only root can give a file to someone else
        if (root) {
            make(".zorbel-other1", 120);
            QVERIFY(::chown(QFile::encodeName(dir + QStringLiteral(".zorbel-other1")).constData(), 4242, 4242) == 0);
        }
        // Through a link to the folder nothing goes.
        const QString linked = test::scratchFolder() + QStringLiteral("linked");
        QVERIFY(QFile::link(dir, linked));
        files::removeLeftovers({linked});
        QVERIFY(QFileInfo::exists(dir + QStringLiteral(".zorbel-aB3xYz")));

        files::removeLeftovers({dir, test::scratchFolder() + QStringLiteral("missing")});
        QStringList left = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        left.sort();
        QStringList expected{QStringLiteral(".zorbel-fresh1"), QStringLiteral(".zorbel-link01"),
                             QStringLiteral(".zorbel-longer1"), QStringLiteral("target")};
        if (root)
            expected.insert(3, QStringLiteral(".zorbel-other1"));
        QCOMPARE(left, expected);
    }

    void unreadablePicturesAreReportedNotReturned()
    {
        const QString dir = test::scratchFolder();
        auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile f(dir + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        QImage good(40, 30, QImage::Format_RGB32);
        good.fill(Qt::red);
        QVERIFY(good.save(dir + QStringLiteral("good.bmp"), "BMP"));
        QFile g(dir + QStringLiteral("good.bmp"));
        QVERIFY(g.open(QIODevice::ReadOnly));
        const QByteArray bytes = g.readAll();
        write(QStringLiteral("short.bmp"), bytes.left(40));
        write(QStringLiteral("text.bmp"), "not a picture at all");
        QCOMPARE(readPicture(dir + QStringLiteral("good.bmp")).size(), QSize(40, 30));
        auto number = [&](const QString& name) {
            try {
                readPicture(dir + name);
            } catch (const VbError& e) {
                return e.number();
            }
            return 0;
        };
        QCOMPARE(number(QStringLiteral("short.bmp")), vberr::InvalidPicture);
        // Pixel rows cut off, plain and run-length packed: Qt's reader would call them good.
        write(QStringLiteral("half.bmp"), bytes.left(bytes.size() / 2));
        QCOMPARE(number(QStringLiteral("half.bmp")), vberr::InvalidPicture);
        write(QStringLiteral("rle.bmp"), rle8(2, true));
        QCOMPARE(number(QStringLiteral("rle.bmp")), vberr::InvalidPicture);
        QCOMPARE(number(QStringLiteral("text.bmp")), vberr::InvalidPicture);
        QCOMPARE(number(QStringLiteral("gone.bmp")), vberr::FileNotFound);
    }
};

ZORBEL_TEST_MAIN(TestPlaceFile)
#include "test_placefile.moc"
