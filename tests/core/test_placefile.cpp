// Keeping windows on the screen and reading saved pictures.
#include "TestSupport.h"
#include "core/PictureFile.h"
#include "core/ScreenFit.h"
#include <QDir>
#include <QFile>

using namespace zorbel;

class TestPlaceFile : public QObject {
    Q_OBJECT
private slots:
    void windowsMoveJustOntoTheArea()
    {
        const QRect area(0, 0, 1280, 1000);
        QCOMPARE(keepOnArea(QRect(100, 100, 440, 420), area), QRect(100, 100, 440, 420));
        QCOMPARE(keepOnArea(QRect(100, -300, 440, 420), area), QRect(100, 0, 440, 420));
        QCOMPARE(keepOnArea(QRect(3000, 900, 440, 420), area), QRect(840, 580, 440, 420));
        QCOMPARE(keepOnArea(QRect(-50, 20, 440, 420), QRect(0, 30, 1280, 970)), QRect(0, 30, 440, 420));
        // Too big for the area: the top left corner stays reachable.
        QCOMPARE(keepOnArea(QRect(50, 50, 2000, 420), area).topLeft(), QPoint(0, 50));
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
        QCOMPARE(number(QStringLiteral("text.bmp")), vberr::InvalidPicture);
        QCOMPARE(number(QStringLiteral("gone.bmp")), vberr::FileNotFound);
    }
};

ZORBEL_TEST_MAIN(TestPlaceFile)
#include "test_placefile.moc"
