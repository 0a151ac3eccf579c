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
