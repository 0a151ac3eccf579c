// The template window as a child uses it, beside the drawing window that owns it.
#include "PreviewFixture.h"
#include "controls/VisualButton.h"
#include "core/Basic.h"
#include "preview/PreviewSteps.h"
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QScreen>
#include <unistd.h>

using namespace zorbel;
using test::bandColor;
using test::PreviewFixture;

namespace {
using Sounds = std::vector<int>;
QString stored(const char* key)
{
    return settings::GetSetting(app::kTitle, app::kSection, QString::fromLatin1(key), QStringLiteral("-"));
}
void store(const char* key, const char* value)
{
    settings::SaveSetting(app::kTitle, app::kSection, QString::fromLatin1(key), QString::fromLatin1(value));
}
QString tips(const frmPreview* w)
{
    QStringList t;
    for (int i = 0; i < 9; ++i)
        t << w->button(i)->toolTip();
    return t.join(QLatin1Char('|'));
}
void savePicture(const QString& name, const QColor& colour)
{
    QDir().mkpath(app::picsFolder());
    QImage img(80, 60, QImage::Format_RGB32);
    img.fill(colour);
    QVERIFY(img.save(app::picsFolder() + name, "BMP"));
}
QString entries(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names.join(QLatin1Char('|'));
}
} // namespace

class TestPreviewWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QDir(app::picsFolder()).removeRecursively(); }

    void placeAtLoadComesBackAfterUnloadAndStaysOnScreen()
    {
        PreviewFixture f({}, QSize(800, 580));
        QVERIFY(f.w->isVisible() && f.w->parentWidget() == f.draw.get());
        QVERIFY(f.w->windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint));
        QCOMPARE(f.visiblePanel(), 0);
        QVERIFY(!f.w->button(0)->isEnabled());
        // 8 % of the drawing window's outer width, 7029 twips above its panel: above the top edge of
        // a small screen, and kept there, since the buttons below are on the screen.
        const QPoint twips = PreviewSteps::defaultPosition(f.draw->frameGeometry().width() * 15.0, f.draw->panelTop(), 15, 6390);
        QCOMPARE(f.w->pos(), QPoint(basic::pxX(twips.x()), basic::pxY(twips.y())));
        QVERIFY(f.w->y() < 0);
        f.w->move(123, 45);
        f.w->Form_Unload();
        QCOMPARE(stored("PLeft") + stored("PTop"), QStringLiteral("1845675"));

        PreviewFixture back([] { // the fixture starts with an empty store: put the values back
            store("PLeft", "1845");
            store("PTop", "675");
        });
        QCOMPARE(back.w->pos(), QPoint(123, 45));
        PreviewFixture far([] {
            store("PLeft", "90000");
            store("PTop", "-9000");
        });
        const QRect area = far.w->screen()->availableGeometry();
        // Far off: moved just far enough to bring the buttons' band (x 91 to 347, y 316 on) on.
        QCOMPARE(far.w->geometry(), QRect(area.right() - 347, area.top() - 316, 440, 420));
    }

    void aPressDragsTheWindowUntilTheRelease()
    {
        PreviewFixture f;
        const QPoint start = f.w->pos();
        auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
            QMouseEvent e(type, QPointF(at), QPointF(f.w->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(f.w, &e);
        };
        // Without a window manager that moves windows, the window follows the pointer itself.
        send(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
        send(QEvent::MouseMove, {35, 25}, Qt::LeftButton);
        QCOMPARE(f.w->pos(), start + QPoint(30, 20));
        send(QEvent::MouseMove, {-5, 9}, Qt::NoButton); // released where the window did not see it
        QCOMPARE(f.w->pos(), start + QPoint(30, 20));
        send(QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
        send(QEvent::MouseMove, {50, 50}, Qt::LeftButton); // a button pressed elsewhere
        QCOMPARE(f.w->pos(), start + QPoint(30, 20));
    }

    void loadingPlaysItsSoundOnlyWithSoundOn()
    {
        for (int16_t on : {int16_t(-1), int16_t(0)}) {
            PreviewFixture f([on] { Allgemein::Sound = on; });
            delete f.w.data(); // loaded once more, as at the next start
            f.preview();
            QCOMPARE(test::sound().played, on ? Sounds{107} : Sounds{});
        }
    }

    void aStepFillsTheInnerAreaAndAFilePreviewTheOuterSize()
    {
        // The box's outer size, green, with its last 4 columns and rows blue: drawn at the outer
        // size, the blue lies beyond the inner area.
        QDir().mkpath(app::picsFolder());
        QImage file(400, 300, QImage::Format_RGB32);
        file.fill(Qt::blue);
        QPainter(&file).fillRect(0, 0, 396, 296, Qt::green);
        QVERIFY(file.save(app::picsFolder() + QStringLiteral("edge.bmp"), "BMP"));
        PreviewFixture f;
        for (int size = 0; size < 2; ++size) { // large, then small
            const QImage step = f.w->preview()->shown();
            const QPoint last(step.width() - 1, step.height() - 1);
            for (QPoint at : {QPoint(0, 0), last}) // the cell's black frame reaches both corners
                QCOMPARE(step.pixelColor(at), QColor(Qt::black));
            QCOMPARE(step.pixelColor(last - QPoint(4, 4)), bandColor(1, 0));
            QImage painted(f.w->preview()->size(), QImage::Format_RGB32);
            f.w->preview()->render(&painted, {}, {}, QWidget::DrawWindowBackground);
            QCOMPARE(painted.pixelColor(1, 1), QColor(105, 105, 105)); // the border stays
            QCOMPARE(painted.pixelColor(2, 2), QColor(Qt::black));
            QCOMPARE(painted.pixelColor(last + QPoint(2, 2)), QColor(Qt::black));
            QCOMPARE(painted.pixelColor(last + QPoint(3, 3)), QColor(227, 227, 227));

            f.draw->vbeButton_Click(2);
            f.w->fileList()->setCurrentRow(0);
            const QImage shown = f.w->preview()->shown();
            for (QPoint at : {QPoint(0, 0), last})
                QCOMPARE(shown.pixelColor(at), QColor(Qt::green));
            f.click(8);
            f.click(4);
        }
    }

    void tooltipsInGermanEnglishAndItalian()
    {
        PreviewFixture f;
        QCOMPARE(tips(f.w), QStringLiteral("Zur\u00fcck|Vorlage ausw\u00e4hlen...|Weiter|Raster anzeigen|gro\u00df/klein|"
                                           "Zur\u00fcck|OK|Weiter|OK"));
        f.draw->imgLang_Click(1);
        QCOMPARE(tips(f.w), QStringLiteral("Previous|Select picture...|Next|Show grid|large/small|Previous|OK|Next|OK"));
        f.draw->imgLang_Click(3);
        QCOMPARE(tips(f.w), QStringLiteral("Indietro||Avanti|Mostri la griglia|grande/piccolo|Indietro|OK|Avanti|OK"));
    }

    void steppingShowsEachBandAndStopsAtTheEnds()
    {
        PreviewFixture f;
        for (int k = 1; k <= 6; ++k)
            f.w->button(2)->click(); // the sixth click finds the button disabled
        f.click(2);                  // and called directly, there is no step 7
        QCOMPARE(Allgemein::CurrentStep, int16_t(5));
        QCOMPARE(f.shown(), bandColor(1, 5));
        QVERIFY(!f.w->button(2)->isEnabled());
        f.w->button(0)->click();
        QCOMPARE(f.shown(), bandColor(1, 4));
        QVERIFY(f.w->button(0)->isEnabled() && f.w->button(2)->isEnabled());
        f.click(99);
        QCOMPARE(test::sound().played, (Sounds{102, 102, 102, 102, 102, 102, 101}));
    }

    void chooserBrowsesWithWrapAroundAndOkStartsAtStepOneAndSaves()
    {
        PreviewFixture f;
        f.click(2);
        f.click(1);
        QCOMPARE(f.visiblePanel(), 1);
        QCOMPARE(f.shown(), bandColor(1, 5));
        QCOMPARE(Allgemein::CurrentStep, int16_t(0));
        QVERIFY(!f.w->button(0)->isEnabled() && f.w->button(2)->isEnabled());
        f.click(5); // before the first comes the last
        QCOMPARE(f.shown(), bandColor(3, 5));
        f.click(7); // after the last comes the first
        f.click(7);
        QCOMPARE(f.shown(), bandColor(2, 5));
        QCOMPARE(stored("Image"), QStringLiteral("-"));
        f.click(6);
        QCOMPARE(f.visiblePanel(), 0);
        QCOMPARE(f.shown(), bandColor(2, 0));
        QCOMPARE(stored("Image"), QStringLiteral("2")); // survives a restart
        QCOMPARE(test::sound().played, (Sounds{102, 107, 103, 104, 104, 105}));
        f.click(2); // OK without browsing starts at step 1 too
        f.click(1);
        f.click(6);
        QCOMPARE(f.shown(), bandColor(2, 0));
    }

    void gridAndSizeTogglesRestoreTheLookAndPlaceBothSizes()
    {
        PreviewFixture f;
        f.click(2);
        const QPoint place = f.w->pos();
        GridOverlay* grid = f.w->preview()->grid();
        QVERIFY(!grid->isHidden()); // on by default
        f.click(3);
        QVERIFY(grid->isHidden());
        f.click(3);
        QVERIFY(!grid->isHidden());
        auto check = [&](QSize window, QSize box, int panelTop, int left01, int left2) {
            QCOMPARE(f.w->geometry(), QRect(place, window));
            QCOMPARE(f.w->preview()->geometry(), QRect(QPoint(16, 16), box));
            QCOMPARE(grid->geometry(), QRect(QPoint(2, 2), box - QSize(4, 4)));
            QCOMPARE(grid->stretch(), box);
            QCOMPARE(f.w->panel(0)->pos(), QPoint(left01, panelTop));
            QCOMPARE(f.w->panel(1)->pos(), QPoint(left01, panelTop));
            QCOMPARE(f.w->panel(2)->pos(), QPoint(left2, panelTop));
            QCOMPARE(f.shown(), bandColor(1, 1)); // the step stays
        };
        check({440, 420}, {400, 300}, 316, 95, 91);
        f.click(4);
        QCOMPARE(Allgemein::PSize, int16_t(0));
        check({240, 270}, {200, 150}, 166, -4, -8);
        f.click(4);
        check({440, 420}, {400, 300}, 316, 95, 91);
        QCOMPARE(test::sound().played, (Sounds{102, 105, 105, 104, 104}));
        QCOMPARE(f.w->button(8)->geometry(), QRect(192, 56, 45, 33));
    }

    void activationClampsTheTemplateNumberAndOpensTheChooser()
    {
        // Above the count: the load fails and is reported, the first activation repairs it.
        PreviewFixture f([] {
            Allgemein::Image = 7;
            test::reporter().answers = {Ignore, Ignore};
        });
        QCOMPARE(test::reporter().reports.size(), size_t(2));
        QCOMPARE(test::reporter().reports[0].procedure + test::reporter().reports[1].procedure,
                 QStringLiteral("Form_LoadForm_Resize"));
        QCOMPARE(test::reporter().reports[0].number, vberr::ResourceNotFound);
        QCOMPARE(Allgemein::Image, int16_t(3));
        QCOMPARE(f.visiblePanel(), 1);
        QCOMPARE(f.shown(), bandColor(3, 5));
        // Below 1 (a failed read of the options) becomes the first template.
        PreviewFixture g([] {
            Allgemein::Image = 0;
            test::reporter().answers = {Ignore, Ignore};
        });
        QCOMPARE(Allgemein::Image, int16_t(1));
        QCOMPARE(g.visiblePanel(), 1);
        QCOMPARE(g.shown(), bandColor(1, 5));
        g.click(6); // a valid number: activation changes nothing
        g.click(2);
        g.w->Form_Activate();
        QCOMPARE(g.visiblePanel(), 0);
        QCOMPARE(Allgemein::CurrentStep, int16_t(1));
    }

    void openListsWhatSaveWritesAndOkLoadsOnlyAChosenPicture()
    {
        PreviewFixture f;
        f.click(2);
        f.draw->vbeButton_Click(2);
        QCOMPARE(f.visiblePanel(), 2);
        QCOMPARE(f.w->fileList()->count(), 0); // no drawings folder yet
        savePicture(QStringLiteral("Tree 10.bmp"), Qt::green);
        savePicture(QStringLiteral("tree 9.bmp"), Qt::blue);
        test::dialogs().inputs = {QStringLiteral("castle")};
        f.draw->vbeButton_Click(3);
        f.click(1); // the chooser is open when Open comes: it goes too
        f.draw->vbeButton_Click(2);
        QCOMPARE(f.visiblePanel(), 2);
        QCOMPARE(entries(f.w->fileList()), QStringLiteral("castle|tree 9|Tree 10"));
        // OK without a choice (PicFile holds the name just saved) only goes back.
        QListWidget* list = f.w->fileList();
        list->selectionModel()->setCurrentIndex(list->model()->index(0, 0), QItemSelectionModel::NoUpdate);
        test::sound().played.clear();
        f.click(8);
        QCOMPARE(f.visiblePanel(), 0);
        QVERIFY(test::sound().played.empty() && test::reporter().reports.empty());
        QVERIFY(!f.draw->button(1)->isEnabled());

        // A choice: previewed, then loaded over the whole canvas, and the drawing is one undo away.
        f.draw->picBild_MouseDown(Qt::LeftButton, {}, {30, 30});
        f.draw->picBild_MouseUp(Qt::LeftButton, {}, {30, 30});
        f.draw->vbeButton_Click(2);
        list->setCurrentRow(1);
        QCOMPARE(Allgemein::PicFile, app::picsFolder() + QStringLiteral("tree 9.bmp"));
        QCOMPARE(f.shown(), QColor(Qt::blue));
        QCOMPARE(f.canvasAt({200, 200}), 0xFFFFFFu);
        test::sound().played.clear();
        f.click(8);
        QCOMPARE(test::sound().played, Sounds{107});
        QCOMPARE(f.visiblePanel(), 0);
        QCOMPARE(f.shown(), bandColor(1, 0));
        const QSize canvas = f.draw->canvas().size();
        QCOMPARE(f.canvasAt({canvas.width() - 1, canvas.height() - 1}), 0x0000FFu);
        f.draw->vbeButton_Click(1);
        QCOMPARE(f.canvasAt({30, 30}), 0u);
        QCOMPARE(f.canvasAt({200, 200}), 0xFFFFFFu);
        // The choice does not outlive the panel.
        f.draw->vbeButton_Click(2);
        f.click(8);
        QCOMPARE(f.canvasAt({200, 200}), 0xFFFFFFu);
    }

    void openShowsTheListFromItsFirstNames()
    {
        for (int i = 10; i < 40; ++i)
            savePicture(QStringLiteral("p%1.bmp").arg(i), Qt::green);
        PreviewFixture f;
        f.draw->vbeButton_Click(2);
        QListWidget* list = f.w->fileList();
        QTest::qWait(0);
        list->scrollToBottom();
        QVERIFY(list->verticalScrollBar()->value() > 0);
        f.click(8);
        f.draw->vbeButton_Click(2);
        QTest::qWait(0);
        QCOMPARE(list->verticalScrollBar()->value(), 0);
        QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(0))));
    }

    void unreadableOrVanishedPicturesChangeNothing()
    {
        QDir().mkpath(app::picsFolder());
        QFile bad(app::picsFolder() + QStringLiteral("broken.bmp"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("BM not a picture") > 0);
        bad.close();
        savePicture(QStringLiteral("gone.bmp"), Qt::green);
        // Only regular files are listed: a device behind a picture's name is not one.
        QVERIFY(::symlink("/dev/zero", QFile::encodeName(app::picsFolder() + QStringLiteral("zero.bmp")).constData()) == 0);
        PreviewFixture f;
        f.draw->vbeButton_Click(2);
        QCOMPARE(entries(f.w->fileList()), QStringLiteral("broken|gone"));
        f.w->fileList()->setCurrentRow(0);
        f.click(8); // reported twice as invalid: at the click and at OK; the answer leaves
        QCOMPARE(test::reporter().reports.size(), size_t(2));
        for (const auto& r : test::reporter().reports)
            QCOMPARE(r.module + QString::number(r.number), QStringLiteral("frmPreview481"));
        QCOMPARE(f.shown(), bandColor(1, 0));
        QCOMPARE(f.visiblePanel(), 2);
        // Vanished since the list was read: the name is taken, the preview stays.
        QVERIFY(QFile::remove(app::picsFolder() + QStringLiteral("gone.bmp")));
        f.w->fileList()->setCurrentRow(1);
        QCOMPARE(Allgemein::PicFile, app::picsFolder() + QStringLiteral("gone.bmp"));
        QCOMPARE(f.shown(), bandColor(1, 0));
        QCOMPARE(test::reporter().reports.size(), size_t(2)); // and nothing is reported for it
        test::reporter().answers = {Ignore};
        f.click(8); // going on after the report returns to the step panel
        QCOMPARE(test::reporter().reports.back().number, vberr::FileNotFound);
        QCOMPARE(f.visiblePanel(), 0);
        QCOMPARE(f.canvasAt({100, 100}), 0xFFFFFFu);
        QVERIFY(!f.draw->button(1)->isEnabled());
    }
};

ZORBEL_TEST_MAIN(TestPreviewWindow)
#include "test_previewwindow.moc"
