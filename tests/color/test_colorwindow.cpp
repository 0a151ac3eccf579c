// The pen window as a child uses it: where it first appears, the width slider, the palette, the
// close button, showing it again, and a stored width the slider cannot show.
#include "TestSupport.h"
#include "color/PaletteBox.h"
#include "color/frmColor.h"
#include "controls/SliderView.h"
#include "controls/VisualButton.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/Basic.h"
#include "core/Settings.h"
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <functional>
#include <memory>

using namespace zorbel;

namespace {
void store(const char* key, const QString& value)
{
    settings::SaveSetting(app::kTitle, app::kSection, QLatin1String(key), value);
}
QString stored(const char* key) { return settings::GetSetting(app::kTitle, app::kSection, QLatin1String(key)); }

// Sends a mouse event as the window system delivers it while the button is held.
void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held = Qt::LeftButton)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct ColorFixture {
    std::vector<int> widths;
    std::vector<int32_t> colors;
    std::unique_ptr<frmColor> w;

    explicit ColorFixture(const std::function<void()>& before = {})
    {
        test::resetFakes();
        QFile::remove(settings::storeLocation(app::kTitle));
        Allgemein::LoadConfig();
        if (before)
            before();
        ColorPeers peers;
        peers.setPenWidth = [this](int width) { widths.push_back(width); };
        peers.setPenColor = [this](int32_t c) { colors.push_back(c); };
        w = std::make_unique<frmColor>(nullptr, peers);
        w->show();
        QTest::qWait(0);
    }
    cpvSlider& slider() { return w->slider()->control(); }
    QColor shownColor() const { return w->colorLabel()->palette().color(QPalette::Window); }
};

QRect area() { return QGuiApplication::primaryScreen()->availableGeometry(); }
} // namespace

class TestColorWindow : public QObject {
    Q_OBJECT
private slots:
    void firstStartShowsTheOptionsAtEightyPercentOfTheSpareWidth()
    {
        ColorFixture f([] { Allgemein::Color = 0x00FF0000; });
        QCOMPARE(test::sound().played, std::vector<int>{106});
        QCOMPARE(f.w->size(), QSize(626, 169));
        QCOMPARE(f.w->windowFlags() & (Qt::Tool | Qt::FramelessWindowHint), Qt::Tool | Qt::FramelessWindowHint);
        QCOMPARE(f.w->widthLabel()->text(), QStringLiteral("5"));
        QCOMPARE(f.slider().Value(), 5);
        QCOMPARE(f.w->slider()->geometry(), QRect(520, 16, 18, 137)); // laid out in picture mode
        QVERIFY(f.slider().pictureMode());
        QCOMPARE(f.shownColor(), QColor(0, 0, 255));
        QVERIFY(f.widths.empty()); // the stored width is the slider's own: no change announced
        const double screenTwips = QGuiApplication::primaryScreen()->geometry().width() * basic::twipsPerPixelX();
        const QPoint expected(basic::pxX(basic::roundEven((screenTwips - 9390) * 0.8)), basic::pxY(1268));
        QCOMPARE(f.w->pos(), expected);
        // The groove around the slider: white outside and dark inside at the left and top, the
        // other way round at the right and bottom.
        const QImage& bg = f.w->background();
        QCOMPARE(bg.pixelColor(518, 60), QColor(Qt::white));
        QCOMPARE(bg.pixelColor(519, 60), QColor(64, 64, 0));
        QCOMPARE(bg.pixelColor(538, 60), QColor(Qt::white));
        QCOMPARE(bg.pixelColor(539, 60), QColor(64, 64, 0));
        QVERIFY(test::reporter().reports.empty());
    }

    void aStoredPositionIsUsedAndOneOutOfReachIsBroughtBack()
    {
        {
            ColorFixture f([] {
                store("CLeft", QStringLiteral("1500"));
                store("CTop", QStringLiteral("3000"));
            });
            QCOMPARE(f.w->pos(), QPoint(100, 200));
            f.w->move(120, 230);
            f.w->Form_Unload();
            QCOMPARE(stored("CLeft"), QStringLiteral("1800"));
            QCOMPARE(stored("CTop"), QStringLiteral("3450"));
        }
        ColorFixture far([] {
            store("CLeft", QStringLiteral("-30000"));
            store("CTop", QStringLiteral("90000"));
        });
        // Brought back just far enough to take hold of a quarter of it.
        QCOMPARE(far.w->pos(), QPoint(area().left() + 626 / 4 - 626, area().bottom() + 1 - 169));
        ColorFixture huge([] { // beyond 32 bits: an overflow each, then the default place
            test::reporter().answers = {Ignore, Ignore};
            store("CLeft", QStringLiteral("1e300"));
            store("CTop", QStringLiteral("32212254705"));
        });
        QCOMPARE(test::reporter().reports.size(), size_t(2));
        for (const auto& r : test::reporter().reports)
            QVERIFY(r.number == vberr::Overflow && r.line == 70 && r.procedure == QLatin1String("Form_Load"));
        QCOMPARE(huge.w->y(), 85); // half its own height
    }

    void draggingTheSliderToTheEndsSetsFiftyAndOneAtOnce()
    {
        ColorFixture f;
        SliderView* s = f.w->slider();
        send(s, QEvent::MouseButtonPress, {9, 20}); // on the rail above the thumb: the thumb jumps up
        QCOMPARE(f.slider().Value(), 45);
        send(s, QEvent::MouseMove, {9, -40});
        QCOMPARE(Allgemein::Width, int16_t(50));
        QCOMPARE(f.w->widthLabel()->text(), QStringLiteral("50"));
        send(s, QEvent::MouseMove, {9, 300});
        send(s, QEvent::MouseButtonRelease, {9, 300}, Qt::NoButton);
        QCOMPARE(f.w->widthLabel()->text(), QStringLiteral("1"));
        QCOMPARE(f.widths, (std::vector<int>{45, 50, 1}));
        QCOMPARE(f.w->moveRequests(), 0); // the slider never moves the window
        QCOMPARE(f.w->slider()->control().thumbTop(), 121.0f);
    }

    void aPalettePressPicksTheExactColourThenMovesTheWindow()
    {
        ColorFixture f;
        PaletteBox* pal = f.w->palette();
        const QPoint red(60 + PaletteBox::kBorder, 70 + PaletteBox::kBorder);
        QTest::mousePress(pal, Qt::RightButton, {}, red); // any button picks
        QCOMPARE(Allgemein::Color, 0x000000FF);
        QCOMPARE(f.colors, std::vector<int32_t>{0x000000FF});
        QCOMPARE(f.shownColor(), QColor(255, 0, 0));
        QCOMPARE(f.w->moveRequests(), 1);
        // Without a window manager the window follows the pointer itself until the release.
        const QPoint before = f.w->pos();
        send(f.w.get(), QEvent::MouseMove, red + QPoint(24 + 30, 16 + 20), Qt::RightButton);
        QCOMPARE(f.w->pos(), before + QPoint(30, 20));
        send(f.w.get(), QEvent::MouseButtonRelease, red, Qt::NoButton);
        send(f.w.get(), QEvent::MouseMove, red + QPoint(99, 99), Qt::NoButton); // the release ended it
        QCOMPARE(f.w->pos(), before + QPoint(30, 20));

        // Every pixel gives the colour displayed there, also in a swatch's corner.
        for (QPoint at : {QPoint(1, 1), QPoint(200, 120), QPoint(474, 131), QPoint(26, 70)}) {
            QTest::mousePress(pal, Qt::LeftButton, {}, at + QPoint(2, 2));
            QTest::mouseRelease(f.w.get(), Qt::LeftButton);
            QCOMPARE(basic::vbColor(Allgemein::Color), pal->picture().pixelColor(at));
        }
        const int32_t picked = Allgemein::Color;
        // The background and the palette's border only move the window.
        const QPoint placed = f.w->pos();
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, {10, 160});
        send(f.w.get(), QEvent::MouseMove, {10 - 7, 160 + 5});
        QCOMPARE(f.w->pos(), placed + QPoint(-7, 5));
        QTest::mouseRelease(f.w.get(), Qt::LeftButton, {}, {10, 160});
        QTest::mousePress(pal, Qt::LeftButton, {}, {1, 1});
        QTest::mouseRelease(f.w.get(), Qt::LeftButton);
        QCOMPARE(Allgemein::Color, picked);
        QCOMPARE(f.w->moveRequests(), 7);
        QVERIFY(test::reporter().reports.empty());
    }

    void closingHidesAndShowingAgainKeepsWidthColourAndPlace()
    {
        ColorFixture f;
        f.slider().setValue(20);
        QTest::mousePress(f.w->palette(), Qt::LeftButton, {}, {60, 72});
        QTest::mouseRelease(f.w.get(), Qt::LeftButton);
        const int32_t color = Allgemein::Color;
        f.w->move(200, 150);
        test::sound().played.clear();
        QTest::mouseClick(f.w->button(0), Qt::LeftButton);
        QCOMPARE(test::sound().played, std::vector<int>{105});
        QCOMPARE(Allgemein::CShow, int16_t(0));
        QVERIFY(f.w->isHidden());
        f.w->show();
        QCOMPARE(test::sound().played, std::vector<int>{105}); // no second loading
        QCOMPARE(f.w->widthLabel()->text(), QStringLiteral("20"));
        QCOMPARE(Allgemein::Color, color);
        QCOMPARE(basic::vbColor(f.shownColor()), color);
        QCOMPARE(f.w->pos(), QPoint(200, 150));
    }

    void soundsFollowTheSoundOption()
    {
        for (int16_t on : {int16_t(-1), int16_t(0)}) {
            ColorFixture f([on] { Allgemein::Sound = on; });
            f.w->vbeButton_Click(0);
            QCOMPARE(test::sound().played, (on ? std::vector<int>{106, 105} : std::vector<int>{}));
        }
    }

    void aResizeTakesTheShownColourButStoresNothing()
    {
        ColorFixture f([] { store("Color", QStringLiteral("12345")); });
        QTest::mousePress(f.w->palette(), Qt::LeftButton, {}, {60, 72});
        QTest::mouseRelease(f.w.get(), Qt::LeftButton);
        const int32_t shown = Allgemein::Color;
        QVERIFY(shown != 12345 && shown != 0);
        Allgemein::Color = 0;
        f.w->Form_Resize();
        QCOMPARE(Allgemein::Color, shown);
        QCOMPARE(stored("Color"), QStringLiteral("12345")); // written at the end only
    }

    void aStoredWidthTheSliderCannotShowIsReportedThenMadeTheNearest()
    {
        for (int16_t answer : {int16_t(Cancel), int16_t(Ignore)}) {
            ColorFixture f([answer] {
                Allgemein::Width = 80;
                test::reporter().answers = {answer};
            });
            QCOMPARE(test::reporter().reports.size(), size_t(1));
            QCOMPARE(test::reporter().reports[0].module, QStringLiteral("cpvSlider"));
            QCOMPARE(test::reporter().reports[0].procedure, QStringLiteral("Value"));
            QCOMPARE(test::reporter().reports[0].number, 380);
            QCOMPARE(Allgemein::Width, int16_t(50));
            QCOMPARE(f.slider().Value(), 50);
            QCOMPARE(f.w->widthLabel()->text(), QStringLiteral("50"));
            QCOMPARE(f.widths.back(), 50);
        }
        ColorFixture thin([] { Allgemein::Width = 0; });
        QCOMPARE(Allgemein::Width, int16_t(1));
        QCOMPARE(thin.w->widthLabel()->text(), QStringLiteral("1"));
        QCOMPARE(thin.widths, std::vector<int>{1});
    }
};

ZORBEL_TEST_MAIN(TestColorWindow)
#include "test_colorwindow.moc"
