// Where the drawing window puts everything, from the margin of 3 % of its width, and the
// background pictures of the windows.
#include "TestSupport.h"
#include "core/Resources.h"
#include "draw/frmDraw.h"
#include "preview/frmPreview.h"
#include "draw/DrawLayout.h"
#include "core/failure/VbError.h"

using namespace zorbel;

namespace {
DrawLayout at(double w, double h, QSizeF plates = DrawLayout::kPlateSize)
{
    return DrawLayout::compute({w, h}, plates, 14);
}

QImage picture(int id, QSize size) { return res::LoadResPicture(id, size).convertToFormat(QImage::Format_RGB32); }

// The parted picture painted at size against the picture drawn whole and stretched to it: within
// a few shades everywhere, and within three in the middle, where a coarser field would show.
bool looksAlike(const PartedPicture& parts, const QImage& drawn, QSize size)
{
    QImage whole(size, QImage::Format_RGB32), painted(size, QImage::Format_RGB32);
    {
        QPainter p(&whole);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(whole.rect(), drawn);
    }
    {
        QPainter p(&painted);
        parts.paint(p, QSizeF(size));
    }
    auto differ = [&](const QRect& r) {
        int worst = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb a = whole.pixel(x, y), b = painted.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
            }
        return worst;
    };
    const int all = differ(whole.rect());
    const int middle = differ(QRect(size.width() / 3, size.height() / 3, size.width() / 3, size.height() / 3));
    if (all <= 4 && middle <= 3)
        return true;
    qWarning("%dx%d: %d shades apart, %d in the middle", size.width(), size.height(), all, middle);
    return false;
}
} // namespace

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void exampleFigures_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::addColumn<int>("m");
        QTest::addColumn<QPointF>("panel");
        QTest::addColumn<QRectF>("canvas");
        QTest::addColumn<QRectF>("plate");
        QTest::newRow("800x580") << 800.0 << 580.0 << 24 << QPointF(24, 263) << QRectF(217, 136.75, 559, 419.25)
                                 << QRectF(296, 24, 480, 55.2);
        QTest::newRow("1024x748") << 1024.0 << 748.0 << 31 << QPointF(31, 420.5) << QRectF(231, 145.5, 762, 571.5)
                                  << QRectF(377, 31, 585, 67);
        QTest::newRow("1280x1004") << 1280.0 << 1004.0 << 38 << QPointF(38, 666) << QRectF(245, 218.25, 997, 747.75)
                                   << QRectF(619, 38, 585, 67);
    }

    void exampleFigures()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        QFETCH(int, m);
        QFETCH(QPointF, panel);
        QFETCH(QRectF, canvas);
        QFETCH(QRectF, plate);
        const DrawLayout l = at(W, H);
        QCOMPARE(l.m, m);
        QCOMPARE(l.panel.topLeft(), panel);
        QCOMPARE(l.panel.size(), QSizeF(169, 281));
        QCOMPARE(l.canvas, canvas);
        QCOMPARE(QRectF(QPointF(l.plateLeft, l.plateTop), l.plateSize), plate);
        QCOMPARE(l.frame, canvas.adjusted(-0.3 * m, -0.3 * m, 0.3 * m, 0.3 * m));
        // Margin, panel, a gap of exactly m, canvas, margin.
        QCOMPARE(l.canvas.left() - l.panel.right(), double(m));
        QCOMPARE(W - l.canvas.right(), double(m));
        QCOMPARE(l.copyright, QPointF(m, l.panel.top() - 0.3 * m - 14));
    }

    void marginRoundsHalvesToEven()
    {
        QCOMPARE(at(850, 600).m, 26);  // 25.5
        QCOMPARE(at(750, 600).m, 22);  // 22.5
    }

    void wideWindowsKeepTheCanvasWholeAndBelowThePlates_data()
    {
        QTest::addColumn<QSizeF>("client");
        QTest::newRow("1366x748") << QSizeF(1366, 748);
        QTest::newRow("1366x768") << QSizeF(1366, 768);
        QTest::newRow("1920x1080") << QSizeF(1920, 1080);
        QTest::newRow("2560x1080") << QSizeF(2560, 1080);
    }

    void wideWindowsKeepTheCanvasWholeAndBelowThePlates()
    {
        QFETCH(QSizeF, client);
        const DrawLayout l = at(client.width(), client.height());
        QVERIFY(l.frame.top() >= 0);
        QVERIFY(l.canvas.top() > l.plateTop + l.plateSize.height());
        QCOMPARE(l.canvas.height() * 4, l.canvas.width() * 3);
        QCOMPARE(client.width() - l.canvas.right(), double(l.m));
        QCOMPARE(client.height() - l.canvas.bottom(), double(l.m));
        QVERIFY(l.canvas.left() >= l.panel.right() + l.m);
    }

    void stretchedPlatesKeepTheirSize()
    {
        const DrawLayout narrow = at(800, 580);
        QVERIFY(narrow.platesStretched);
        const DrawLayout wide = at(1024, 748, narrow.plateSize);
        QVERIFY(!wide.platesStretched);
        QCOMPARE(wide.plateSize, QSizeF(480, 55.2));
        QCOMPARE(wide.plateLeft, 1024 - 62 - 480.0);
    }

    void theBackgroundsInPartsLookLikeThePicturesDrawnWhole()
    {
        // At the size they were drawn for and after the window shrank: no seam, no part out of
        // place, and the frame and pencils as sharp as the picture drawn whole (and then stretched).
        PartedPicture draw(frmDraw::kBackgroundLayout);
        QVERIFY(draw.ensure({1000, 700}, 1));
        QVERIFY(!draw.ensure({800, 600}, 1)); // smaller: stretched, not drawn again
        const QImage drawn = picture(res::id::DrawBackground, {1000, 700});
        for (const QSize size : {QSize(1000, 700), QSize(800, 600)})
            QVERIFY(looksAlike(draw, drawn, size));
        // The template window's is drawn again at each of its sizes.
        PartedPicture preview(frmPreview::kBackgroundLayout);
        for (const QSize size : {QSize(440, 420), QSize(527, 520), QSize(440, 420)}) {
            QVERIFY(preview.ensure(QSizeF(size), 1, true));
            QVERIFY(looksAlike(preview, picture(res::id::PreviewBackground, size), size));
        }
    }

    void tooNarrowForACanvasIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(VbError, at(180, 400));
        at(187, 400); // the narrowest that still fits
    }
};

ZORBEL_TEST_MAIN(TestLayout)
#include "test_layout.moc"
