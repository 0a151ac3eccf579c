// The slider's logic without a screen: rounding, event order, refusals, dragging, clicks, its
// layout and painting, and its stored properties.
#include "TestSupport.h"
#include "controls/DrawEdge.h"
#include "controls/PropertyBag.h"
#include "controls/cpvSlider.h"
#include <climits>

using namespace zorbel;

namespace {
// A slider with recorded events; its layout runs at the given client size.
struct Rig {
    cpvSlider s{15, 15};
    QStringList log;
    int repaints = 0;
    explicit Rig(int orientation = 1, QSize client = {16, 116})
    {
        s.events.Click = [this] { log << QStringLiteral("Click"); };
        s.events.ArrivedFirst = [this] { log << QStringLiteral("ArrivedFirst"); };
        s.events.ArrivedLast = [this] { log << QStringLiteral("ArrivedLast"); };
        s.events.ValueChanged = [this] { log << QStringLiteral("ValueChanged %1").arg(s.Value()); };
        s.events.MouseDown = [this](int16_t& shift) { log << QStringLiteral("MouseDown %1").arg(shift); };
        s.events.MouseUp = [this](int16_t& shift) { log << QStringLiteral("MouseUp %1").arg(shift); };
        s.host.surfaceChanged = [this] { ++repaints; };
        s.UserControl_InitProperties();
        if (orientation != 1)
            s.setOrientation(orientation);
        s.UserControl_Resize(client);
        log.clear();
        repaints = 0;
    }
    void press(float x, float y, int16_t button = mouse::Left) { s.UserControl_MouseDown(button, 0, x, y); }
    void move(float x, float y) { s.UserControl_MouseMove(mouse::Left, 0, x, y); }
    void release(float x, float y, int16_t button = mouse::Left) { s.UserControl_MouseUp(button, 0, x, y); }
};

// Records the order in which keys are read.
class RecordingBag : public PropertyBag {
public:
    mutable QStringList reads;
    QVariant ReadProperty(const QString& key, const QVariant& def) const override
    {
        reads << key;
        return PropertyBag::ReadProperty(key, def);
    }
};

QImage picture(QSize size, QColor c)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(c);
    return img;
}

QString reported()
{
    QStringList out;
    for (const auto& r : test::reporter().reports)
        out << QStringLiteral("%1.%2 %3").arg(r.module, r.procedure).arg(r.number);
    return out.join(QLatin1Char('|'));
}
} // namespace

class TestSlider : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetFakes(); }

    void aNewInstanceIsVerticalWithItsThumbAtTheBottom()
    {
        Rig r;
        QCOMPARE(r.s.Orientation(), 1);
        QCOMPARE(r.s.Max(), 10);
        QCOMPARE(r.s.range(), 10);
        QCOMPARE(r.s.thumbSize(), QSize(16, 16));
        QCOMPARE(r.s.clientSize(), QSize(16, 116)); // no picture: the height stays, the width is the thumb's
        QCOMPARE(r.s.thumbTop(), 100.0f);
        const cpvSlider::RailRect rail = r.s.railRect();
        QCOMPARE((QList<int>{rail.left, rail.top, rail.right, rail.bottom}), (QList<int>{6, 6, 10, 110}));
        // Max is at the top.
        r.s.setValue(10);
        QCOMPARE(r.s.thumbTop(), 0.0f);
        r.s.setValue(3);
        QCOMPARE(r.s.thumbTop(), 70.0f);
    }

    void aPositionHalfwayBetweenTwoValuesGivesTheEvenOne()
    {
        Rig r(0, {36, 16}); // track 20 pixels for 10 values
        QCOMPARE(r.s.clientSize(), QSize(36, 16));
        r.press(8, 8); // on the thumb, grabbed at its centre
        r.move(13, 8); // left 5: 2.5 gives 2, and the thumb snaps to 2's place
        QCOMPARE(r.s.Value(), 2);
        QCOMPARE(r.s.thumbLeft(), 4.0f);
        r.move(15, 8); // left 7: 3.5 gives 4
        QCOMPARE(r.s.Value(), 4);
        QCOMPARE(r.s.thumbLeft(), 8.0f);
        QCOMPARE(r.log, (QStringList{QStringLiteral("MouseDown 0"), QStringLiteral("ValueChanged 2"),
                                     QStringLiteral("ValueChanged 4")}));
    }

    void draggingBeyondTheEndsPinsTheThumbAndArrivesOnce()
    {
        Rig r;
        r.s.setMin(1);
        r.s.setMax(50);
        r.log.clear();
        r.press(8, 40); // on the rail above the thumb: the thumb's centre jumps to the pointer first
        // Centre at 40: top 32 stands for 34.32, and the thumb snaps to 34's place.
        QCOMPARE(r.s.Value(), 34);
        QCOMPARE(r.s.thumbTop(), float(100 - 100.0 * 33 / 49));
        QCOMPARE(r.log, (QStringList{QStringLiteral("ValueChanged 34"), QStringLiteral("MouseDown 0")}));
        r.log.clear();
        r.move(8, -30);
        r.move(8, -90);
        QCOMPARE(r.s.Value(), 50);
        QCOMPARE(r.s.thumbTop(), 0.0f);
        QCOMPARE(r.log, (QStringList{QStringLiteral("ValueChanged 50"), QStringLiteral("ArrivedLast")}));
        r.log.clear();
        r.move(8, 400);
        r.move(8, 500);
        QCOMPARE(r.s.Value(), 1);
        QCOMPARE(r.s.thumbTop(), 100.0f);
        QCOMPARE(r.log, (QStringList{QStringLiteral("ValueChanged 1"), QStringLiteral("ArrivedFirst")}));
        r.log.clear();
        // A release outside ends the drag without a click.
        r.s.UserControl_MouseUp(mouse::Left, mouse::Shift, 8, 500);
        QCOMPARE(r.log, QStringList{QStringLiteral("MouseUp 1")});
        QVERIFY(!r.s.dragging());
        r.move(8, 0);
        QCOMPARE(r.s.Value(), 1);
    }

    void aPressOnTheThumbKeepsItsGrabPoint()
    {
        Rig r;
        r.press(3, 110); // the thumb stands at top 100
        QCOMPARE(r.s.thumbTop(), 100.0f);
        QCOMPARE(r.s.grabX(), 3.0f);
        QCOMPARE(r.s.grabY(), 10.0f);
        QCOMPARE(r.log, QStringList{QStringLiteral("MouseDown 0")});
        r.move(3, 60); // top 50: value 5 exactly
        QCOMPARE(r.s.Value(), 5);
        QCOMPARE(r.s.thumbTop(), 50.0f);
        r.release(3, 60);
        QCOMPARE(r.log.mid(2), (QStringList{QStringLiteral("Click"), QStringLiteral("MouseUp 0")}));
    }

    void otherButtonsAndDisabledControlsStartNoDragButALeftReleaseStillClicks()
    {
        Rig r;
        r.press(8, 40, mouse::Right);
        r.release(8, 40, mouse::Right);
        QVERIFY(!r.s.dragging());
        QVERIFY(r.log.isEmpty());
        r.s.setEnabled(false);
        QCOMPARE(r.repaints, 0); // enabling only decides whether a drag can start
        r.press(8, 40);
        QVERIFY(!r.s.dragging());
        QCOMPARE(r.s.Value(), 0);
        r.release(8, 40);
        QCOMPARE(r.log, QStringList{QStringLiteral("Click")});
        r.release(16, 40); // just outside the right edge
        QCOMPARE(r.log.size(), 1);
    }

    void refusedWritesReportErrorThreeEightyAndKeepTheOldValue()
    {
        Rig r;
        r.s.setValue(0); // the value it holds: no event, no repaint
        r.s.setValue(11);
        r.s.setMax(0);
        r.s.setMin(10);
        r.s.setValue(-1);
        QCOMPARE(reported(), QStringLiteral("cpvSlider.Value 380|cpvSlider.Max 380|cpvSlider.Min 380|cpvSlider.Value 380"));
        QCOMPARE(r.s.Value(), 0);
        QCOMPARE(r.s.Max(), 10);
        QCOMPARE(r.s.Min(), 0);
        QVERIFY(r.log.isEmpty());
        QCOMPARE(r.repaints, 0);
        // Skipping the refusal sets the value unchecked.
        test::reporter().answers = {Ignore};
        r.s.setValue(12);
        QCOMPARE(r.s.Value(), 12);
        QCOMPARE(r.log, QStringList{QStringLiteral("ValueChanged 12")});
        // An overflowing range is reported too.
        test::resetFakes();
        Rig big;
        big.s.setMax(INT_MAX);
        big.s.setMin(INT_MIN);
        QCOMPARE(reported(), QStringLiteral("cpvSlider.Min 6"));
    }

    void settingMinMovesTheValueAndSettingMaxDoesNot()
    {
        Rig r;
        r.s.setValue(7);
        r.log.clear();
        r.s.setMax(5);
        QCOMPARE(r.s.Value(), 7); // above Max, as written
        QCOMPARE(r.s.range(), 5);
        QVERIFY(r.log.isEmpty());
        r.s.setMin(3);
        QCOMPARE(r.s.Value(), 3);
        QCOMPARE(r.s.range(), 2);
        QCOMPARE(r.s.thumbTop(), 100.0f);
        QCOMPARE(r.log, (QStringList{QStringLiteral("ValueChanged 3"), QStringLiteral("ArrivedFirst")}));
        QVERIFY(test::reporter().reports.empty());
    }

    void railStylesDrawTheClassicEdgesOrNothing()
    {
        Rig r;
        r.s.setBackColor(0x00FF0000); // blue
        const QImage& img = r.s.surface();
        // Sunken: shadow, dark shadow, light, highlight across the 4-pixel band at x 6..9.
        QCOMPARE(img.pixelColor(6, 50), edge::shadow());
        QCOMPARE(img.pixelColor(7, 50), edge::darkShadow());
        QCOMPARE(img.pixelColor(8, 50), edge::light());
        QCOMPARE(img.pixelColor(9, 50), edge::highlight());
        QCOMPARE(img.pixelColor(5, 50), QColor(0, 0, 255));
        r.s.setRailStyle(1);
        QCOMPARE(img.pixelColor(6, 50), edge::light());
        QCOMPARE(img.pixelColor(9, 50), edge::darkShadow());
        r.s.setRailStyle(3); // a lone inner border lies on the outermost pixels
        QCOMPARE(img.pixelColor(6, 50), edge::highlight());
        QCOMPARE(img.pixelColor(7, 50), QColor(0, 0, 255));
        for (int style : {4, 7, 99}) {
            r.s.setRailStyle(style);
            QCOMPARE(r.s.surface().pixelColor(6, 50), QColor(0, 0, 255));
        }
        QCOMPARE(r.s.clientSize(), QSize(16, 116)); // 99 without a picture lays out as without one
        QVERIFY(test::reporter().reports.empty());
    }

    void aRailPictureSizesTheControlAndCentresTheThumb()
    {
        Rig r;
        QSize told;
        r.s.host.resize = [&](int w, int h) { told = {w, h}; };
        r.s.setSliderIcon(picture({12, 12}, Qt::red));
        r.s.setRailPicture(picture({18, 133}, Qt::green));
        r.s.setRailStyle(99);
        QCOMPARE(r.s.clientSize(), QSize(18, 137));
        QCOMPARE(told, QSize(18 * 15, 137 * 15));
        QCOMPARE(r.s.thumbLeft(), 3.0f);
        // The rail lies 2 pixels below the top, rows 2 to 134 (left of the thumb at x 1).
        r.s.setBackColor(0x00FF0000); // blue
        QCOMPARE(r.s.surface().pixelColor(9, 1), QColor(Qt::blue));
        QCOMPARE(r.s.surface().pixelColor(9, 2), QColor(Qt::green));
        QCOMPARE(r.s.surface().pixelColor(1, 134), QColor(Qt::green));
        QCOMPARE(r.s.surface().pixelColor(1, 135), QColor(Qt::blue));
        QCOMPARE(r.s.surface().pixelColor(9, 130), QColor(Qt::red)); // value 0: the thumb at the bottom
    }

    void storedPropertiesSkipDefaultsAndKeepTheirOrders()
    {
        Rig r;
        PropertyBag fresh;
        r.s.UserControl_WriteProperties(fresh);
        QCOMPARE(fresh.keys(), QStringList{QStringLiteral("slidericon")}); // the built-in thumb is no default

        r.s.setBackColor(0x0078BFDE);
        r.s.setEnabled(false);
        r.s.setRailPicture(picture({18, 133}, Qt::green));
        r.s.setRailStyle(99);
        r.s.setOrientation(0);
        r.s.setMax(50);
        r.s.setMin(1);
        r.s.setValue(5);
        PropertyBag bag;
        r.s.UserControl_WriteProperties(bag);
        QCOMPARE(bag.keys(), (QStringList{"backcolor", "enabled", "slidericon", "orientation", "railpicture", "railstyle",
                                          "min", "max", "value"}));

        RecordingBag mixed;
        mixed.WriteProperty(QStringLiteral("MIN"), 20);
        mixed.WriteProperty(QStringLiteral("max"), 10); // taken as stored, without the checks
        mixed.WriteProperty(QStringLiteral("Value"), 30);
        cpvSlider s(15, 15);
        s.UserControl_ReadProperties(mixed);
        QCOMPARE(mixed.reads, (QStringList{"BackColor", "Enabled", "Orientation", "RailStyle", "Min", "Max", "Value",
                                           "SliderIcon", "RailPicture"}));
        QCOMPARE(s.Min(), 20);
        QCOMPARE(s.Max(), 10);
        QCOMPARE(s.range(), -10);
        QCOMPARE(s.oldValue(), 30);
        QCOMPARE(s.BackColor(), cpvSlider::kButtonFace);
        QVERIFY(test::reporter().reports.empty());

        // Min equal to Max from stored data: the divisions fail and are reported while reading,
        // and GetValue gives 0 without a report.
        PropertyBag flat;
        flat.WriteProperty(QStringLiteral("min"), 4);
        flat.WriteProperty(QStringLiteral("max"), 4);
        cpvSlider f(15, 15);
        test::reporter().answers = {Ignore, Ignore};
        f.UserControl_ReadProperties(flat);
        QCOMPARE(reported(), QStringLiteral("cpvSlider.UserControl_ReadProperties 6|cpvSlider.UserControl_ReadProperties 6"));
        QCOMPARE(f.GetValue(), 0);
        QCOMPARE(test::reporter().reports.size(), size_t(2));
    }
};

ZORBEL_TEST_MAIN(TestSlider)
#include "test_slider.moc"
