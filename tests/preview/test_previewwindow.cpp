// The template window as a child uses it, beside the drawing window that owns it.
#include "PreviewFixture.h"
#include "controls/VisualButton.h"
#include "core/Basic.h"
#include "core/ScreenFit.h"
#include "preview/PreviewSteps.h"
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>

using namespace zorbel;
using test::PreviewFixture;
using test::bandColor;

namespace {
std::vector<int> played() { return test::sound().played; }
QString stored(const char* key)
{
    return settings::GetSetting(app::kTitle, app::kSection, QString::fromLatin1(key), QStringLiteral("(none)"));
}
QStringList tips(const frmPreview* w)
{
    QStringList t;
    for (int i = 0; i < 9; ++i)
        t << w->button(i)->toolTip();
    return t;
}
} // namespace

class TestPreviewWindow : public QObject {
    Q_OBJECT
private slots:
    void loadShowsTheStepPanelAtTheDefaultPlaceKeptOnScreen()
    {
        PreviewFixture f({}, QSize(1280, 1004));
        frmPreview* w = f.w;
        QVERIFY(w && w->isVisible());
        QVERIFY(w->isWindow());
        QCOMPARE(w->parentWidget(), f.draw.get());
        QVERIFY(w->windowFlags() & Qt::Tool);
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(f.visiblePanel(), 0);
        QVERIFY(!w->button(0)->isEnabled());
        QVERIFY(w->button(2)->isEnabled());
        QCOMPARE(f.shown(), bandColor(1, 0));
        QCOMPARE(w->TemplateCount, int16_t(3)); // read when the window was first shown
        QCOMPARE(w->size(), QSize(440, 420));
        // 8 % of the drawing window's width, 7029 twips above its panel, then moved onto the screen.
        const QPoint twips = PreviewSteps::defaultPosition(f.draw->frameGeometry().width() * 15.0, f.draw->panelTop(), 15, 6390);
        const QRect wanted(QPoint(basic::pxX(twips.x()), basic::pxY(twips.y())), QSize(440, 420));
        QCOMPARE(w->pos(), keepOnArea(wanted, w->screen()->availableGeometry()).topLeft());
    }

    void aStoredPlaceComesBackAndAnUnreachableOneIsMovedOnScreen()
    {
        PreviewFixture f([](PreviewFixture&) {
            settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("PLeft"), QStringLiteral("1500"));
            settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("PTop"), QStringLiteral("750"));
        });
        QCOMPARE(f.w->pos(), QPoint(100, 50));
        QCOMPARE(test::sound().played.size(), size_t(0)); // the load sound came before the fixture cleared
        f.w->move(123, 45);
        f.w->Form_Unload();
        QCOMPARE(stored("PLeft"), QStringLiteral("1845"));
        QCOMPARE(stored("PTop"), QStringLiteral("675"));

        PreviewFixture far([](PreviewFixture&) {
            settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("PLeft"), QStringLiteral("90000"));
            settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("PTop"), QStringLiteral("-9000"));
        });
        const QRect area = far.w->screen()->availableGeometry();
        QCOMPARE(far.w->geometry(), QRect(QPoint(area.right() - 439, area.top()), QSize(440, 420)));
    }

    void tooltipsInGermanEnglishAndItalian()
    {
        PreviewFixture f;
        QCOMPARE(tips(f.w), (QStringList{QStringLiteral("Zur\u00fcck"), QStringLiteral("Vorlage ausw\u00e4hlen..."),
                                         QStringLiteral("Weiter"), QStringLiteral("Raster anzeigen"),
                                         QStringLiteral("gro\u00df/klein"), QStringLiteral("Zur\u00fcck"),
                                         QStringLiteral("OK"), QStringLiteral("Weiter"), QStringLiteral("OK")}));
        f.draw->imgLang_Click(1);
        QCOMPARE(tips(f.w), (QStringList{QStringLiteral("Previous"), QStringLiteral("Select picture..."),
                                         QStringLiteral("Next"), QStringLiteral("Show grid"),
                                         QStringLiteral("large/small"), QStringLiteral("Previous"), QStringLiteral("OK"),
                                         QStringLiteral("Next"), QStringLiteral("OK")}));
        f.draw->imgLang_Click(3);
        QCOMPARE(tips(f.w), (QStringList{QStringLiteral("Indietro"), QString(), QStringLiteral("Avanti"),
                                         QStringLiteral("Mostri la griglia"), QStringLiteral("grande/piccolo"),
                                         QStringLiteral("Indietro"), QStringLiteral("OK"), QStringLiteral("Avanti"),
                                         QStringLiteral("OK")}));
    }

    void steppingShowsEachBandAndStopsAtTheEnds()
    {
        PreviewFixture f;
        for (int k = 1; k <= 5; ++k) {
            f.w->button(2)->click();
            QCOMPARE(Allgemein::CurrentStep, int16_t(k));
            QCOMPARE(f.shown(), bandColor(1, k));
            QVERIFY(f.w->button(0)->isEnabled());
            QCOMPARE(f.w->button(2)->isEnabled(), k < 5);
        }
        f.w->button(2)->click(); // disabled: nothing happens
        f.click(2);              // even when called directly, step 6 does not exist
        QCOMPARE(Allgemein::CurrentStep, int16_t(5));
        f.w->button(0)->click();
        QCOMPARE(f.shown(), bandColor(1, 4));
        QVERIFY(f.w->button(2)->isEnabled());
        QCOMPARE(played(), (std::vector<int>{102, 102, 102, 102, 102, 102, 101}));
        test::sound().played.clear();
        f.click(99); // no such button
        QVERIFY(played().empty());
    }

    void chooserBrowsesWithWrapAroundAndOkStartsAtStepOneAndSaves()
    {
        PreviewFixture f;
        f.click(2);
        f.click(2);
        f.click(1);
        QCOMPARE(f.visiblePanel(), 1);
        QCOMPARE(f.shown(), bandColor(1, 5));
        QCOMPARE(Allgemein::CurrentStep, int16_t(0));
        QVERIFY(!f.w->button(0)->isEnabled());
        QVERIFY(f.w->button(2)->isEnabled());
        f.click(5); // before the first comes the last
        QCOMPARE(Allgemein::Image, int16_t(3));
        QCOMPARE(f.shown(), bandColor(3, 5));
        f.click(7); // after the last comes the first
        QCOMPARE(Allgemein::Image, int16_t(1));
        f.click(7);
        QCOMPARE(f.shown(), bandColor(2, 5));
        QCOMPARE(stored("Image"), QStringLiteral("(none)"));
        f.click(6);
        QCOMPARE(f.visiblePanel(), 0);
        QCOMPARE(f.shown(), bandColor(2, 0));
        QCOMPARE(stored("Image"), QStringLiteral("2")); // survives a restart
        QCOMPARE(played(), (std::vector<int>{102, 102, 107, 103, 104, 104, 105}));
        // OK without browsing also starts at step 1.
        f.click(2);
        f.click(1);
        f.click(6);
        QCOMPARE(f.shown(), bandColor(2, 0));
        QCOMPARE(Allgemein::CurrentStep, int16_t(0));
    }

    void gridAndSizeTogglesRestoreTheLookAndKeepThePlace()
    {
        PreviewFixture f;
        f.click(2);
        const QPoint place = f.w->pos();
        GridOverlay* grid = f.w->preview()->grid();
        QVERIFY(!grid->isHidden()); // on by default
        QCOMPARE(grid->geometry(), QRect(2, 2, 396, 296));
        QCOMPARE(grid->stretch(), QSize(400, 300));
        f.click(3);
        QVERIFY(grid->isHidden());
        QCOMPARE(Allgemein::Gitter, int16_t(0));
        f.click(3);
        QVERIFY(!grid->isHidden());
        QCOMPARE(Allgemein::Gitter, int16_t(-1));

        f.click(4);
        QCOMPARE(Allgemein::PSize, int16_t(0));
        QCOMPARE(f.w->size(), QSize(240, 270));
        QCOMPARE(f.w->pos(), place);
        QCOMPARE(f.w->preview()->geometry(), QRect(16, 16, 200, 150));
        QCOMPARE(f.w->panel(0)->pos(), QPoint(-4, 166));
        QCOMPARE(f.w->panel(1)->pos(), QPoint(-4, 166));
        QCOMPARE(f.w->panel(2)->pos(), QPoint(-8, 166));
        QCOMPARE(grid->stretch(), QSize(200, 150));
        QCOMPARE(f.shown(), bandColor(1, 1)); // the step stays
        f.click(4);
        QCOMPARE(f.w->size(), QSize(440, 420));
        QCOMPARE(f.w->pos(), place);
        QCOMPARE(f.w->preview()->geometry(), QRect(16, 16, 400, 300));
        QCOMPARE(f.w->panel(0)->pos(), QPoint(95, 316));
        QCOMPARE(f.w->panel(1)->pos(), QPoint(95, 316));
        QCOMPARE(f.w->panel(2)->pos(), QPoint(91, 316));
        QCOMPARE(f.w->preview()->shown().size(), QSize(396, 296));
        QCOMPARE(f.shown(), bandColor(1, 1));
        QCOMPARE(played(), (std::vector<int>{102, 105, 105, 104, 104}));
        // The panels' buttons sit where the table puts them.
        QCOMPARE(f.w->button(3)->geometry(), QRect(72, 48, 45, 33));
        QCOMPARE(f.w->button(8)->geometry(), QRect(192, 56, 45, 33));
        QCOMPARE(f.w->fileList()->geometry(), QRect(16, 8, 153, 84));
    }

    void theSmallSizeComesBackSmall()
    {
        PreviewFixture f([](PreviewFixture&) { Allgemein::PSize = 0; });
        QCOMPARE(f.w->size(), QSize(240, 270));
        QCOMPARE(f.w->preview()->size(), QSize(200, 150));
        QCOMPARE(f.shown(), bandColor(1, 0));
    }

    void activationClampsTheTemplateNumberAndOpensTheChooser()
    {
        // Above the count: the load fails and is reported, the first activation repairs it.
        PreviewFixture f([](PreviewFixture&) {
            Allgemein::Image = 7;
            test::reporter().answers = {Ignore, Ignore};
        });
        QCOMPARE(test::reporter().reports.size(), size_t(2));
        QCOMPARE(test::reporter().reports[0].procedure, QStringLiteral("Form_Load"));
        QCOMPARE(test::reporter().reports[0].number, vberr::ResourceNotFound);
        QCOMPARE(test::reporter().reports[1].procedure, QStringLiteral("Form_Resize"));
        QCOMPARE(Allgemein::Image, int16_t(3));
        QCOMPARE(f.visiblePanel(), 1);
        QCOMPARE(f.shown(), bandColor(3, 5));
        f.click(6);
        QCOMPARE(stored("Image"), QStringLiteral("3"));

        // Below 1 (a failed read of the options) becomes the first template.
        PreviewFixture g([](PreviewFixture&) {
            Allgemein::Image = 0;
            test::reporter().answers = {Ignore, Ignore};
        });
        QCOMPARE(Allgemein::Image, int16_t(1));
        QCOMPARE(g.visiblePanel(), 1);
        QCOMPARE(g.shown(), bandColor(1, 5));

        // A valid number: activation changes nothing.
        g.click(6);
        g.click(2);
        g.w->Form_Activate();
        QCOMPARE(g.visiblePanel(), 0);
        QCOMPARE(Allgemein::CurrentStep, int16_t(1));
    }

    void cleanup() { test::resetFakes(); }
};

ZORBEL_TEST_MAIN(TestPreviewWindow)
#include "test_previewwindow.moc"
