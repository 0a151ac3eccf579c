// The file panel: the drawing window's Open command, choosing a saved picture and loading it
// into the canvas, and the pictures that cannot be loaded.
#include "PreviewFixture.h"
#include "controls/VisualButton.h"
#include <QDir>
#include <QListWidget>

using namespace zorbel;
using test::PreviewFixture;
using test::bandColor;

namespace {
QString pics() { return app::picsFolder(); }

void savePicture(const QString& name, const QColor& colour)
{
    QDir().mkpath(pics());
    QImage img(80, 60, QImage::Format_RGB32);
    img.fill(colour);
    QVERIFY(img.save(pics() + name, "BMP"));
}

QStringList entries(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

QRgb canvasAt(const PreviewFixture& f, QPoint at) { return f.draw->canvas().image().pixel(at) & 0xFFFFFF; }
} // namespace

class TestPreviewFiles : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QDir(pics()).removeRecursively();
        test::resetFakes();
    }

    void openListsTheSavedPicturesAndHidesTheChooserToo()
    {
        PreviewFixture f;
        f.draw->vbeButton_Click(2);
        QCOMPARE(f.visiblePanel(), 2);
        QCOMPARE(f.w->fileList()->count(), 0); // no drawings folder yet
        QCOMPARE(f.shown(), bandColor(1, 0)); // the preview stays until a file is clicked

        savePicture(QStringLiteral("Tree 10.bmp"), Qt::green);
        savePicture(QStringLiteral("tree 9.bmp"), Qt::green);
        savePicture(QStringLiteral("Apple.bmp"), Qt::red);
        f.click(8);
        f.click(1); // the chooser is open when Open comes
        QCOMPARE(f.visiblePanel(), 1);
        f.draw->vbeButton_Click(2);
        QCOMPARE(f.visiblePanel(), 2);
        QCOMPARE(entries(f.w->fileList()),
                 (QStringList{QStringLiteral("Apple"), QStringLiteral("tree 9"), QStringLiteral("Tree 10")}));
    }

    void aSaveInTheDrawingWindowShowsUpInTheList()
    {
        PreviewFixture f;
        test::dialogs().inputs = {QStringLiteral("My dino")};
        f.draw->vbeButton_Click(3);
        f.draw->vbeButton_Click(2);
        QCOMPARE(entries(f.w->fileList()), QStringList{QStringLiteral("My dino")});
    }

    void okWithoutAChoiceOnlyGoesBack()
    {
        PreviewFixture f;
        f.click(2);
        f.click(2);
        // After a save PicFile holds the typed name; OK must not try to load it.
        test::dialogs().inputs = {QStringLiteral("castle")};
        f.draw->vbeButton_Click(3);
        QCOMPARE(Allgemein::PicFile, QStringLiteral("castle"));
        f.draw->vbeButton_Click(2);
        test::sound().played.clear();
        f.click(8);
        QCOMPARE(f.visiblePanel(), 0);
        QCOMPARE(f.shown(), bandColor(1, 2));
        QVERIFY(test::reporter().reports.empty());
        QVERIFY(test::sound().played.empty());
        QVERIFY(!f.draw->button(1)->isEnabled());

        // A choice made before the panel was opened again does not count either.
        savePicture(QStringLiteral("red.bmp"), Qt::red);
        f.draw->vbeButton_Click(2);
        f.w->fileList()->setCurrentRow(0);
        f.click(8);
        f.draw->vbeButton_Click(1); // undo what that loaded
        f.draw->vbeButton_Click(2);
        // The list making an entry current (as it does when it takes the focus) is no choice.
        QListWidget* list = f.w->fileList();
        list->selectionModel()->setCurrentIndex(list->model()->index(0, 0), QItemSelectionModel::NoUpdate);
        f.click(8);
        QCOMPARE(canvasAt(f, {10, 10}), 0xFFFFFFu);
        QVERIFY(!f.draw->button(1)->isEnabled());
    }

    void aChosenPictureIsPreviewedThenLoadedAndCanBeUndone()
    {
        savePicture(QStringLiteral("blue.bmp"), Qt::blue);
        PreviewFixture f;
        f.click(2);
        f.draw->picBild_MouseDown(Qt::LeftButton, {}, {30, 30}); // the child's own stroke
        f.draw->picBild_MouseUp(Qt::LeftButton, {}, {30, 30});
        f.draw->vbeButton_Click(1); // undo it: Undo is disabled again
        f.draw->picBild_MouseDown(Qt::LeftButton, {}, {30, 30});
        f.draw->picBild_MouseUp(Qt::LeftButton, {}, {30, 30});
        f.draw->vbeButton_Click(2);
        f.w->fileList()->setCurrentRow(0);
        QCOMPARE(Allgemein::PicFile, pics() + QStringLiteral("blue.bmp"));
        QCOMPARE(f.shown(), QColor(Qt::blue));
        QCOMPARE(canvasAt(f, {200, 200}), 0xFFFFFFu); // only the preview so far
        test::sound().played.clear();
        f.click(8);
        QCOMPARE(test::sound().played, std::vector<int>{107});
        QCOMPARE(f.visiblePanel(), 0);
        QCOMPARE(f.shown(), bandColor(1, 1)); // back to the step
        QCOMPARE(canvasAt(f, {200, 200}), 0x0000FFu);
        const QSize canvas = f.draw->canvas().size();
        QCOMPARE(canvasAt(f, {canvas.width() - 1, canvas.height() - 1}), 0x0000FFu); // stretched over all
        QVERIFY(f.draw->button(1)->isEnabled());
        f.draw->vbeButton_Click(1);
        QCOMPARE(canvasAt(f, {30, 30}), 0u); // the stroke is back
        QCOMPARE(canvasAt(f, {200, 200}), 0xFFFFFFu);
    }

    void unreadableOrVanishedPicturesChangeNothing()
    {
        savePicture(QStringLiteral("a good one.bmp"), Qt::blue);
        QFile bad(pics() + QStringLiteral("broken.bmp"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("BM this is not a picture");
        bad.close();
        savePicture(QStringLiteral("gone.bmp"), Qt::green);
        PreviewFixture f;
        f.draw->vbeButton_Click(2);
        QCOMPARE(f.w->fileList()->count(), 3);

        // Not a picture: reported as invalid, the preview stays as it was.
        f.w->fileList()->setCurrentRow(1);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].procedure, QStringLiteral("filPics_Click"));
        QCOMPARE(test::reporter().reports[0].module, QStringLiteral("frmPreview"));
        QCOMPARE(test::reporter().reports[0].number, vberr::InvalidPicture);
        QCOMPARE(f.shown(), bandColor(1, 0));
        // OK on it: reported again, the canvas and the Undo button stay; the answer leaves.
        f.click(8);
        QCOMPARE(test::reporter().reports.size(), size_t(2));
        QCOMPARE(test::reporter().reports[1].procedure, QStringLiteral("vbeButton_Click"));
        QCOMPARE(test::reporter().reports[1].number, vberr::InvalidPicture);
        QCOMPARE(canvasAt(f, {100, 100}), 0xFFFFFFu);
        QVERIFY(!f.draw->button(1)->isEnabled());
        QCOMPARE(f.visiblePanel(), 2);

        // Vanished since the list was read: the name is taken, the preview stays.
        QVERIFY(QFile::remove(pics() + QStringLiteral("gone.bmp")));
        f.w->fileList()->setCurrentRow(2);
        QCOMPARE(Allgemein::PicFile, pics() + QStringLiteral("gone.bmp"));
        QCOMPARE(test::reporter().reports.size(), size_t(2));
        QCOMPARE(f.shown(), bandColor(1, 0));
        // Going on after the report returns to the step panel with the canvas untouched.
        test::reporter().answers = {Ignore};
        f.click(8);
        QCOMPARE(test::reporter().reports.back().number, vberr::FileNotFound);
        QCOMPARE(f.visiblePanel(), 0);
        QCOMPARE(canvasAt(f, {100, 100}), 0xFFFFFFu);
        QVERIFY(!f.draw->button(1)->isEnabled());
    }
};

ZORBEL_TEST_MAIN(TestPreviewFiles)
#include "test_previewfiles.moc"
