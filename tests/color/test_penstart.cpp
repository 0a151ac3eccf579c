// The pen window as the program wires it: shown by the drawing window's layout while CShow is
// on and by the pen command, hidden by its close button, and writing the canvas pen.
#include "Startup.h"
#include "TestSupport.h"
#include "color/PaletteBox.h"
#include "color/frmColor.h"
#include "controls/SliderView.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/Forms.h"
#include "core/Settings.h"
#include "draw/frmDraw.h"
#include "info/frmInfo.h"
#include "preview/frmPreview.h"

using namespace zorbel;

namespace {
using test::find;

QString stored(const char* key) { return settings::GetSetting(app::kTitle, app::kSection, QLatin1String(key)); }

frmDraw* start()
{
    if (!startup::Main())
        return nullptr;
    find<frmInfo>()->fireTimer();
    frmDraw* draw = find<frmDraw>();
    // The owned windows come up once the drawing window is on the screen.
    if (draw && draw->isVisible())
        (void)QTest::qWaitFor([] { return find<frmPreview>() && find<frmPreview>()->isVisible(); });
    return draw;
}
} // namespace

class TestPenStart : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        test::resetFakes();
        QFile::remove(settings::storeLocation(app::kTitle));
    }
    void cleanup()
    {
        Allgemein::EndProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void theLayoutShowsItThePenCommandBringsItBackAndItWritesThePen()
    {
        frmDraw* draw = start();
        QVERIFY(draw && draw->isVisible());
        frmColor* color = find<frmColor>();
        QVERIFY(color);
        QVERIFY(color->isVisible());
        QCOMPARE(color->parentWidget(), draw);

        color->vbeButton_Click(0);
        QVERIFY(!color->isVisible());
        draw->Form_Resize(); // CShow is off now: the layout leaves it hidden
        QVERIFY(!color->isVisible());

        draw->vbeButton_Click(4);
        QCOMPARE(find<frmColor>(), color); // shown again, not loaded again
        QVERIFY(color->isVisible());
        QCOMPARE(Allgemein::CShow, int16_t(-1));

        color->slider()->control().setValue(33);
        QCOMPARE(draw->canvas().penWidth(), 33);
        QTest::mousePress(color->palette(), Qt::LeftButton, {}, {62, 72}); // the pure red swatch
        QTest::mouseRelease(color, Qt::LeftButton);
        QCOMPARE(draw->canvas().penColor(), QColor(255, 0, 0));

        color->move(150, 100);
        Allgemein::EndProgram();
        QCOMPARE(stored("CLeft"), QStringLiteral("2250"));
        QCOMPARE(stored("CTop"), QStringLiteral("1500"));
    }

    void withCShowOffItIsNeitherLoadedNorStored()
    {
        settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("CShow"), QStringLiteral("0"));
        QVERIFY(start());
        QVERIFY(!find<frmColor>());
        Allgemein::EndProgram();
        QVERIFY(stored("CLeft").isEmpty());
    }
};

ZORBEL_TEST_MAIN(TestPenStart)
#include "test_penstart.moc"
