// The canvas without a screen: dots, segments, the undo copy, clearing and resizing.
#include "TestSupport.h"
#include <QPainter>
#include "draw/Canvas.h"

using namespace zorbel;

namespace {
int countColour(const QImage& img, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

// What the canvas shows once a resizing has settled: the drawing scaled smoothly.
QImage smoothlyScaled(const QImage& img, QSize size)
{
    QImage scaled(size, QImage::Format_RGB32);
    QPainter p(&scaled);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(scaled.rect(), img);
    return scaled;
}

Canvas fresh(QSize size = {200, 150})
{
    Canvas c;
    c.resize(size);
    return c;
}
} // namespace

class TestCanvas : public QObject {
    Q_OBJECT
private slots:
    void startsWhite()
    {
        Canvas c = fresh();
        QCOMPARE(c.size(), QSize(200, 150));
        QCOMPARE(countColour(c.image(), qRgb(255, 255, 255)), 200 * 150);
    }

    void aClickLeavesOneDotOfThePenWidthInThePenColour()
    {
        Canvas c = fresh();
        c.setPenColor(QColor(255, 0, 0));
        c.setPenWidth(10);
        const QRect dirty = c.dot({50, 50});
        QCOMPARE(c.image().pixel(50, 50), qRgb(255, 0, 0));
        QCOMPARE(c.image().pixel(53, 50), qRgb(255, 0, 0));
        QCOMPARE(c.image().pixel(58, 50), qRgb(255, 255, 255));
        QVERIFY(dirty.contains(QRect(45, 45, 10, 10)));
        const int red = countColour(c.image(), qRgb(255, 0, 0));
        QVERIFY2(red > 40 && red < 100, qPrintable(QString::number(red))); // about pi * 5^2
    }

    void widthOneIsASinglePixel()
    {
        Canvas c = fresh();
        c.setPenWidth(1);
        c.dot({10, 10});
        QCOMPARE(countColour(c.image(), qRgb(0, 0, 0)), 1);
    }

    void segmentsFollowFromTheLastPointAndReportTheirDirtyArea()
    {
        Canvas c = fresh();
        c.setPenWidth(4);
        c.dot({10, 10});
        const QRect dirty = c.lineTo({100, 10});
        QCOMPARE(c.position(), QPoint(100, 10));
        QCOMPARE(c.image().pixel(55, 10), qRgb(0, 0, 0));
        QVERIFY(dirty.contains(QRect(10, 8, 90, 4)));
        QVERIFY(dirty.height() < 20);
        // A stroke that leaves the canvas is cut at its edge.
        const QRect outside = c.lineTo({400, 10});
        QVERIFY(c.image().rect().contains(outside));
        QCOMPARE(c.image().pixel(199, 10), qRgb(0, 0, 0));
    }

    void aStrokesEdgeLooksTheSameAtAnyMouseSpeed()
    {
        for (int width : {5, 12}) {
            Canvas fast = fresh(), slow = fresh();
            fast.setPenWidth(width);
            slow.setPenWidth(width);
            fast.dot({20, 40});
            fast.lineTo({180, 40});
            slow.dot({20, 40});
            for (int x = 21; x <= 180; ++x)
                slow.lineTo({x, 40}); // one pixel per mouse event
            // The soft rows along both edges keep the shade of one segment, with no beads.
            int worst = 0;
            for (int y : {40 - width / 2 - 1, 40 - width / 2, 40 + width / 2, 40 + width / 2 + 1})
                for (int x = 40; x < 160; ++x)
                    worst = std::max(worst, std::abs(qGray(slow.image().pixel(x, y)) - qGray(fast.image().pixel(x, y))));
            QVERIFY2(worst < 24, qPrintable(QStringLiteral("width %1: %2").arg(width).arg(worst)));
        }
    }

    void undoCopyRestoresTheStateBeforeTheLastStroke()
    {
        Canvas c = fresh();
        c.takeUndoCopy();
        c.dot({20, 20});
        const QImage afterFirst = c.image();
        c.takeUndoCopy();
        c.dot({80, 80});
        c.restoreUndoCopy();
        QCOMPARE(c.image(), afterFirst);
    }

    // The copy is taken piecewise, of what a stroke is about to change: every pixel must still
    // come back, after a stroke over many pieces and after the drawing changed as a whole.
    void undoCopyRestoresEveryPixelWhateverChangedAfterIt()
    {
        Canvas c = fresh({300, 200});
        c.setPenWidth(7);
        c.dot({5, 5});
        c.lineTo({295, 190});
        c.takeUndoCopy();
        c.setPenColor(Qt::red);
        c.dot({290, 10});
        c.lineTo({10, 195});
        c.lineTo({150, 2});
        const QImage beforeLast = c.image();
        c.takeUndoCopy();
        c.dot({20, 100});
        c.lineTo({280, 100});
        c.restoreUndoCopy();
        QCOMPARE(c.image(), beforeLast);
        c.restoreUndoCopy(); // a second undo changes nothing
        QCOMPARE(c.image(), beforeLast);

        c.takeUndoCopy();
        c.dot({100, 50});
        c.clear();
        c.restoreUndoCopy(); // the stroke and the clearing go, together, as one
        QCOMPARE(c.image(), beforeLast);

        c.takeUndoCopy();
        c.dot({100, 150});
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        c.paintPicture(picture);
        c.restoreUndoCopy();
        QCOMPARE(c.image(), beforeLast);
    }

    void clearIsPlainWhite()
    {
        Canvas c = fresh();
        c.dot({20, 20});
        c.clear();
        QCOMPARE(countColour(c.image(), qRgb(255, 255, 255)), 200 * 150);
    }

    void resizingScalesFromTheDrawingBeforeTheResizingBegan()
    {
        Canvas c = fresh({400, 300});
        c.setPenWidth(2);
        c.dot({0, 0});
        c.lineTo({399, 299});
        const QImage original = c.image();
        // Dragging an edge: many small sizes, then back. The drawing comes back unblurred.
        for (int w = 396; w > 100; w -= 4)
            c.resize({w, w * 3 / 4});
        c.resize({400, 300});
        QCOMPARE(c.image(), original);
        // A stroke ends the resizing: the next resize starts from the new drawing.
        c.dot({200, 10});
        c.resize({200, 150});
        QVERIFY(qGray(c.image().pixel(100, 5)) < 240); // a stale copy would have lost the dot
    }

    void whileResizingTheScreenIsCoarseAndTheDrawingSmooth()
    {
        Canvas c = fresh({400, 300});
        c.setPenWidth(3);
        c.dot({10, 10});
        c.lineTo({390, 290});
        const QImage before = c.image();
        c.resize({250, 190});
        const QImage smooth = smoothlyScaled(before, {250, 190});
        QVERIFY(c.shown() != smooth);
        QCOMPARE(c.image(), smooth); // what is saved, printed or drawn on
        c.resize({200, 150});
        QVERIFY(c.endResizing());     // the screen is repainted smooth
        QCOMPARE(c.shown().size(), QSize(200, 150));
        QVERIFY(!c.endResizing());
    }

    // The coarse pictures of a resizing share their memory; a drawing that changed in between
    // must not be drawn over by the next one.
    void anUndoInTheMiddleOfAResizingSurvivesTheNextResize()
    {
        Canvas c = fresh({400, 300});
        c.setPenWidth(9);
        c.dot({40, 40});
        c.resize({300, 225});
        c.takeUndoCopy();
        c.resize({320, 240});
        c.resize({300, 225}); // coarse again, at the undo copy's size
        c.restoreUndoCopy();
        const QImage restored = c.image().copy();
        c.resize({200, 150});
        QCOMPARE(c.image(), smoothlyScaled(restored, {200, 150}));
    }

    void undoCopyFollowsTheResize()
    {
        Canvas c = fresh({400, 300});
        c.takeUndoCopy();
        c.dot({200, 150});
        c.resize({200, 150});
        c.restoreUndoCopy();
        QCOMPARE(c.image().size(), QSize(200, 150));
        QCOMPARE(countColour(c.image(), qRgb(255, 255, 255)), 200 * 150);
    }

    void loadedPictureCoversTheCanvas()
    {
        Canvas c = fresh();
        QImage pic(40, 30, QImage::Format_RGB32);
        pic.fill(QColor(0, 0, 255));
        c.paintPicture(pic);
        QCOMPARE(countColour(c.image(), qRgb(0, 0, 255)), 200 * 150);
    }
};

ZORBEL_TEST_MAIN(TestCanvas)
#include "test_canvas.moc"
