// The template window's rules without a window: steps, browsing, the start's checks, the
// default place, the grid picture, the file list's order and the template read step by step.
#include "TestSupport.h"
#include "core/Resources.h"
#include "preview/PictureClip.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewSteps.h"
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <functional>

using namespace zorbel;
namespace S = zorbel::PreviewSteps;

namespace {
int32_t errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const VbError& e) {
        return e.number();
    }
    return 0;
}
} // namespace

class TestPreviewLogic : public QObject {
    Q_OBJECT
private slots:
    void everyClickSequenceKeepsTheButtonsMatchingTheStep()
    {
        // Every sequence of up to ten clicks on an enabled previous or next button.
        std::function<void(int16_t, S::StepButtons, int)> walk = [&](int16_t step, S::StepButtons b, int depth) {
            QCOMPARE(b.previous, step > 0);
            QCOMPARE(b.next, step < 5);
            for (bool next : {false, true}) {
                if (depth == 10 || !(next ? b.next : b.previous))
                    continue;
                int16_t s = step;
                S::StepButtons c = b;
                QCOMPARE(next ? S::forward(s, c) : S::back(s, c), step + (next ? 1 : -1));
                QCOMPARE(int(s), step + (next ? 1 : -1));
                walk(s, c, depth + 1);
            }
        };
        walk(0, S::StepButtons{}, 0);
        int16_t s = 0; // at the ends nothing moves and nothing wraps
        S::StepButtons b{true, true};
        QCOMPARE(S::back(s, b), -1);
        QCOMPARE(s, int16_t(0));
    }

    void browsingWrapsAndNumbersAreChecked()
    {
        QCOMPARE(S::previousTemplate(1, 41), int16_t(41));
        QCOMPARE(S::nextTemplate(41, 41), int16_t(1));
        QCOMPARE(S::clampImage(42, 41), int16_t(41));
        QCOMPARE(S::clampImage(0, 41), int16_t(1));
        QCOMPARE(S::templateId(32667), int16_t(32767));
        QCOMPARE(errorOf([] { S::templateId(32668); }), vberr::Overflow);
        // 8 % of a 1280-pixel width, 7029 twips above a panel top of 666; halves to the even side.
        QCOMPARE(S::defaultPosition(19200, 666, 15, 6390), QPoint(1536, 2961));
        QCOMPARE(S::defaultPosition(12000, 263, 15, 6390), QPoint(960, -3084));
        QCOMPARE(S::defaultPosition(18756.25, 469, 15, 6390).x(), 1500);
    }

    void gridHasTwoPixelLinesEveryFiftyOnTransparency()
    {
        const QImage g = PreviewLayout::gridPicture();
        QCOMPARE(g.size(), QSize(400, 300));
        auto onLine = [](int v, int end) { return v >= 50 && v < end && v % 50 < 2; };
        int wrong = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) {
                const QRgb p = g.pixel(x, y);
                wrong += (onLine(x, 400) || onLine(y, 300)) ? p != qRgb(255, 182, 47) : qAlpha(p) != 0;
            }
        QCOMPARE(wrong, 0);
    }

    void aTemplateReadStepByStepGivesTheStepsOfTheWholePicture()
    {
        const QString path = res::picturePath(101);
        PictureClip whole, parts;
        whole.setPicture(QImage(path));
        parts.setPictureFile(path);
        for (int k = 0; k < PictureClip::kRows; ++k) {
            const QImage a = whole.cell(k).convertToFormat(QImage::Format_RGB32);
            const QImage b = parts.cell(k).convertToFormat(QImage::Format_RGB32);
            QCOMPARE(b.size(), QSize(400, 300));
            QVERIFY2(a == b, qPrintable(QString::number(k)));
        }
        QCOMPARE(errorOf([&] { parts.cell(6); }), 380);
        QTemporaryFile notAPicture;
        QVERIFY(notAPicture.open());
        notAPicture.write("no picture");
        notAPicture.close();
        QCOMPARE(errorOf([&] { parts.setPictureFile(notAPicture.fileName()); }), 481);
        QCOMPARE(parts.cell(0).size(), QSize(400, 300)); // the template it held stays
    }

    void fileListIsSortedAsAPersonExpects()
    {
        const QString dir = test::scratchFolder() + QStringLiteral("/listing/pics/");
        QVERIFY(S::pictureFiles(dir).isEmpty()); // no folder yet
        QVERIFY(QDir().mkpath(dir + QStringLiteral("folder.bmp")));
        for (const char* name : {"dino10.bmp", "Dino2.bmp", "dino1.bmp", "apple.BMP", "notes.txt", "zebra.bmp"}) {
            QFile f(dir + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(S::pictureFiles(dir), (QStringList{QStringLiteral("apple.BMP"), QStringLiteral("dino1.bmp"),
                                                    QStringLiteral("Dino2.bmp"), QStringLiteral("dino10.bmp"),
                                                    QStringLiteral("zebra.bmp")}));
        QCOMPARE(S::shownName(QStringLiteral("apple.BMP")), QStringLiteral("apple"));
        QCOMPARE(S::shownName(QStringLiteral("my.bmp.bmp")), QStringLiteral("my.bmp"));
    }
};

ZORBEL_TEST_MAIN(TestPreviewLogic)
#include "test_previewlogic.moc"
