// The template window's rules without a window: steps, browsing, the start's checks, the
// placement of both sizes, the grid picture, the picture clip and the file list's order.
#include "TestSupport.h"
#include "preview/PictureClip.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewSteps.h"
#include <QDir>
#include <QFile>
#include <functional>

using namespace zorbel;
namespace S = zorbel::PreviewSteps;
namespace L = zorbel::PreviewLayout;

class TestPreviewLogic : public QObject {
    Q_OBJECT
private slots:
    void everyClickSequenceKeepsTheButtonsMatchingTheStep()
    {
        // Every sequence of up to ten clicks on an enabled previous or next button.
        int sequences = 0;
        std::function<void(int16_t, S::StepButtons, int)> walk = [&](int16_t step, S::StepButtons b, int depth) {
            QCOMPARE(b.previous, step > 0);
            QCOMPARE(b.next, step < 5);
            ++sequences;
            if (depth == 10)
                return;
            for (bool next : {false, true}) {
                if (!(next ? b.next : b.previous))
                    continue;
                int16_t s = step;
                S::StepButtons c = b;
                const int cell = next ? S::forward(s, c) : S::back(s, c);
                QCOMPARE(cell, int(s));
                QCOMPARE(s, int16_t(step + (next ? 1 : -1)));
                walk(s, c, depth + 1);
            }
        };
        walk(0, S::StepButtons{}, 0);
        QVERIFY(sequences > 100);
        // At the ends nothing moves and no wrap happens.
        int16_t s = 5;
        S::StepButtons b{true, false};
        QCOMPARE(S::forward(s, b), -1);
        QCOMPARE(s, int16_t(5));
        s = 0;
        b = {false, true};
        QCOMPARE(S::back(s, b), -1);
        QCOMPARE(s, int16_t(0));
    }

    void browsingWrapsAndNumbersAreChecked()
    {
        QCOMPARE(S::previousTemplate(1, 41), int16_t(41));
        QCOMPARE(S::previousTemplate(2, 41), int16_t(1));
        QCOMPARE(S::nextTemplate(41, 41), int16_t(1));
        QCOMPARE(S::nextTemplate(40, 41), int16_t(41));
        QCOMPARE(S::nextTemplate(1, 1), int16_t(1));
        QCOMPARE(S::clampImage(42, 41), int16_t(41));
        QCOMPARE(S::clampImage(0, 41), int16_t(1));
        QCOMPARE(S::clampImage(-7, 41), int16_t(1));
        QCOMPARE(S::clampImage(17, 41), int16_t(17));
        QCOMPARE(S::templateId(41), int16_t(141));
        QCOMPARE(S::templateId(32667), int16_t(32767));
        auto number = [](const std::function<void()>& f) {
            try {
                f();
            } catch (const VbError& e) {
                return e.number();
            }
            return 0;
        };
        QCOMPARE(number([] { S::templateId(32668); }), vberr::Overflow);
        QCOMPARE(number([] { S::nextTemplate(32767, 32767); }), vberr::Overflow);
    }

    void defaultPlaceIsBelowTheDrawingWindowsPanelTop()
    {
        // 1280 pixels wide, panel top 666: 8 % of 19200 twips, 666 x 15 - 1.1 x 6390.
        QCOMPARE(S::defaultPosition(19200, 666, 15, 6390), QPoint(1536, 2961));
        // A small window: the top lies above the screen (the window corrects it when it loads).
        QCOMPARE(S::defaultPosition(12000, 263, 15, 6390), QPoint(960, -3084));
        // Exact halves go to the even neighbour.
        QCOMPARE(S::defaultPosition(18750, 469, 15, 6390).x(), 1500);
        QCOMPARE(S::defaultPosition(18756.25, 469, 15, 6390).x(), 1500);
    }

    void placementOfBothSizes()
    {
        const L::Placement large = L::place(true);
        QCOMPARE(large.window, QSize(440, 420));
        QCOMPARE(large.preview, QRect(16, 16, 400, 300));
        QCOMPARE(large.panels[0], QPoint(95, 316));
        QCOMPARE(large.panels[1], QPoint(95, 316));
        QCOMPARE(large.panels[2], QPoint(91, 316));
        const L::Placement small = L::place(false);
        QCOMPARE(small.window, QSize(240, 270));
        QCOMPARE(small.preview, QRect(16, 16, 200, 150));
        QCOMPARE(small.panels[0], QPoint(-4, 166));
        QCOMPARE(small.panels[1], QPoint(-4, 166));
        QCOMPARE(small.panels[2], QPoint(-8, 166));
        // The panels overhang the small window, the buttons do not.
        for (const auto& b : L::kButtons) {
            const int left = small.panels[size_t(b.panel)].x() + b.at.x();
            QVERIFY(left >= 0);
            QVERIFY(left + L::kButtonSize.width() <= small.window.width());
            QVERIFY(small.panels[size_t(b.panel)].y() + b.at.y() + L::kButtonSize.height() <= small.window.height());
        }
    }

    void gridHasTwoPixelLinesEveryFiftyOnTransparency()
    {
        const QImage g = L::gridPicture();
        QCOMPARE(g.size(), QSize(400, 300));
        const QRgb line = qRgb(255, 182, 47);
        auto isLineColumn = [](int x) { return x >= 50 && x < 400 && (x % 50 == 0 || x % 50 == 1); };
        auto isLineRow = [](int y) { return y >= 50 && y < 300 && (y % 50 == 0 || y % 50 == 1); };
        int wrong = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) {
                const QRgb p = g.pixel(x, y);
                const bool on = isLineColumn(x) || isLineRow(y);
                if (on ? p != line : qAlpha(p) != 0)
                    ++wrong;
            }
        QCOMPARE(wrong, 0);
    }

    void clipHandsOutSixBands()
    {
        PictureClip clip;
        QImage img(4, 18, QImage::Format_RGB32);
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 4; ++x)
                img.setPixel(x, y, qRgb(y, 0, 0));
        auto number = [&](int k) {
            try {
                clip.cell(k);
            } catch (const VbError& e) {
                return e.number();
            }
            return 0;
        };
        QCOMPARE(number(0), vberr::InvalidPropertyValue); // no picture yet
        clip.setPicture(img);
        for (int k = 0; k < 6; ++k) {
            const QImage c = clip.cell(k);
            QCOMPARE(c.size(), QSize(4, 3));
            QCOMPARE(qRed(c.pixel(0, 0)), 3 * k);
            QCOMPARE(qRed(c.pixel(3, 2)), 3 * k + 2);
        }
        QCOMPARE(number(6), vberr::InvalidPropertyValue);
        QCOMPARE(number(-1), vberr::InvalidPropertyValue);
    }

    void fileListIsSortedAsAPersonExpects()
    {
        const QString dir = test::scratchFolder() + QStringLiteral("/listing/pics/");
        QVERIFY(S::pictureFiles(dir).isEmpty()); // no folder yet
        QVERIFY(QDir().mkpath(dir));
        for (const char* name : {"dino10.bmp", "Dino2.bmp", "dino1.bmp", "apple.BMP", "notes.txt", "zebra.bmp"}) {
            QFile f(dir + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir().mkpath(dir + QStringLiteral("folder.bmp")));
        QCOMPARE(S::pictureFiles(dir), (QStringList{QStringLiteral("apple.BMP"), QStringLiteral("dino1.bmp"),
                                                    QStringLiteral("Dino2.bmp"), QStringLiteral("dino10.bmp"),
                                                    QStringLiteral("zebra.bmp")}));
        QCOMPARE(S::shownName(QStringLiteral("dino10.bmp")), QStringLiteral("dino10"));
        QCOMPARE(S::shownName(QStringLiteral("apple.BMP")), QStringLiteral("apple"));
        QCOMPARE(S::shownName(QStringLiteral("my.bmp.bmp")), QStringLiteral("my.bmp"));
    }
};

ZORBEL_TEST_MAIN(TestPreviewLogic)
#include "test_previewlogic.moc"
