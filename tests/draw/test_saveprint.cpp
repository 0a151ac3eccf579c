// Saving the drawing as a bitmap into the drawings folder, and printing it.
#include "DrawFixture.h"
#include "core/PictureWriter.h"
#include "draw/Canvas.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace zorbel;
using test::DrawFixture;
using test::dialogs;

namespace {
QString picture(const QString& name) { return app::picsFolder() + name + QStringLiteral(".bmp"); }

void forget()
{
    QDir(app::picsFolder()).removeRecursively();
}
} // namespace

class TestSavePrint : public QObject {
    Q_OBJECT
private slots:
    void init() { forget(); }
    void cleanup() { printing::setPrinters(&test::noPrinter()); }

    void emptyOrCancelledNameWritesAndAsksNothing()
    {
        DrawFixture f;
        dialogs().inputs = {QString(), QStringLiteral("   ")};
        f.w->vbeButton_Click(3);
        f.w->vbeButton_Click(3);
        QCOMPARE(dialogs().prompts.size(), size_t(2));
        QCOMPARE(dialogs().prompts[0].first, QStringLiteral("Bitte gib einen Dateinamen ein:"));
        QCOMPARE(dialogs().prompts[0].second, QStringLiteral("Bild speichern..."));
        QVERIFY(dialogs().questions.empty());
        QVERIFY(!QDir(app::picsFolder()).exists() || QDir(app::picsFolder()).isEmpty());
    }

    void savesABitmapOfTheCanvasCreatingTheFolder()
    {
        DrawFixture f;
        f.stroke({10, 10}, {200, 10});
        dialogs().inputs = {QStringLiteral("  Dino T\u00e4schchen ")};
        f.w->vbeButton_Click(3);
        QCOMPARE(Allgemein::PicFile, QStringLiteral("Dino T\u00e4schchen"));
        const QImage saved(picture(Allgemein::PicFile), "BMP");
        QCOMPARE(saved.size(), f.w->canvas().size());
        QCOMPARE(saved.pixel(100, 10) & 0xFFFFFF, 0u);
        QVERIFY(dialogs().questions.empty());
    }

    void existingNameAsksWithNoPreselectedAndNoKeepsTheFile()
    {
        DrawFixture f;
        dialogs().inputs = {QStringLiteral("rex")};
        f.w->vbeButton_Click(3);
        const QByteArray before = [] { QFile x(picture(QStringLiteral("rex"))); x.open(QIODevice::ReadOnly); return x.readAll(); }();
        f.stroke({10, 10}, {200, 200});
        dialogs().inputs = {QStringLiteral("rex")};
        f.w->vbeButton_Click(3); // answered No
        QCOMPARE(dialogs().questions.size(), size_t(1));
        QCOMPARE(dialogs().questions[0].text, QStringLiteral("Die Datei ist bereits vorhanden!\r\n\u00dcberschreiben?"));
        QCOMPARE(dialogs().questions[0].title, QStringLiteral("Bitte gib einen Dateinamen ein:"));
        QVERIFY(dialogs().questions[0].defaultNo);
        QFile x(picture(QStringLiteral("rex")));
        QVERIFY(x.open(QIODevice::ReadOnly));
        QCOMPARE(x.readAll(), before);

        dialogs().inputs = {QStringLiteral("rex")};
        dialogs().yesNo = {true};
        f.w->vbeButton_Click(3);
        QCOMPARE(dialogs().questions.size(), size_t(2));
        QCOMPARE(QImage(picture(QStringLiteral("rex"))).pixel(100, 100) & 0xFFFFFF, 0u);
    }

    void refusedNamesWriteNothing_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* n : {".", "..", "a/b", "..\\up", "c:x", "what?", "star*", "q\"uote", "<x>", "pipe|",
                              "tab\there"})
            QTest::newRow(n) << QString::fromLatin1(n);
        QTest::newRow("too long for the file system") << QString(252, QLatin1Char('a'));
    }

    void refusedNamesWriteNothing()
    {
        QFETCH(QString, name);
        DrawFixture f;
        dialogs().inputs = {name};
        f.w->vbeButton_Click(3);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 52);
        QCOMPARE(test::reporter().reports[0].line, 180);
        QCOMPARE(test::reporter().reports[0].procedure, QStringLiteral("vbeButton_Click"));
        QVERIFY(dialogs().questions.empty());
        QVERIFY(!QDir(app::picsFolder()).exists() || QDir(app::picsFolder()).isEmpty());
        QVERIFY(!QFile::exists(app::programFolder() + QStringLiteral("up.bmp")));
    }

    void savesGoToTheUsersPicturesAndNeverThroughALink()
    {
        QCOMPARE(app::picsFolder(), QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
                                        + QStringLiteral("/Zorbel/"));
        DrawFixture f;
        QVERIFY(QDir().mkpath(app::picsFolder()));
        ::chmod(QFile::encodeName(app::picsFolder()).constData(), 0777);
        const QString outside = test::scratchFolder() + QStringLiteral("/outside.bmp");
        { QFile o(outside); QVERIFY(o.open(QIODevice::WriteOnly)); o.write("keep"); }
        QVERIFY(QFile::link(outside, picture(QStringLiteral("linked"))));
        dialogs().inputs = {QStringLiteral("linked")};
        dialogs().yesNo = {true};
        f.w->vbeButton_Click(3);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 70);
        QCOMPARE(test::reporter().reports[0].line, 210);
        QFile o(outside);
        QVERIFY(o.open(QIODevice::ReadOnly));
        QCOMPARE(o.readAll(), QByteArray("keep"));
        QVERIFY(QFileInfo(picture(QStringLiteral("linked"))).isSymLink());
        // The folder is no longer open to others.
        QCOMPARE(QFileInfo(app::picsFolder()).permissions() & (QFile::WriteGroup | QFile::WriteOther), QFile::Permissions());
    }

    void aFullDiskIsError61AndKeepsTheOldPicture()
    {
        DrawFixture f;
        dialogs().inputs = {QStringLiteral("full")};
        f.w->vbeButton_Click(3);
        const QByteArray before = [] { QFile x(picture(QStringLiteral("full"))); x.open(QIODevice::ReadOnly); return x.readAll(); }();
        QVERIFY(!before.isEmpty());
        f.stroke({10, 10}, {200, 200});
        // A file size limit fails the write as a full disk does, also for a privileged user.
        struct rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &small);
        dialogs().inputs = {QStringLiteral("full")};
        dialogs().yesNo = {true};
        f.w->vbeButton_Click(3);
        ::setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 61);
        QCOMPARE(test::reporter().reports[0].line, 210);
        QFile x(picture(QStringLiteral("full")));
        QVERIFY(x.open(QIODevice::ReadOnly));
        QCOMPARE(x.readAll(), before);
        QCOMPARE(QDir(app::picsFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("full.bmp")});
    }

    void frenchSaveDialogsFallBackToEnglish()
    {
        DrawFixture f;
        Allgemein::Sprache = 6000;
        dialogs().inputs = {QStringLiteral("a"), QStringLiteral("a")};
        f.w->vbeButton_Click(3);
        f.w->vbeButton_Click(3);
        QCOMPARE(dialogs().prompts[0].first, QStringLiteral("Please enter a name for the file:"));
        QCOMPARE(dialogs().prompts[0].second, QStringLiteral("Save picture to file..."));
        QCOMPARE(dialogs().questions[0].text, QStringLiteral("File already exists!\r\nOverwrite?"));
        Allgemein::Sprache = 0;
    }

    void aFailedOverwriteKeepsTheOldPicture()
    {
        DrawFixture f;
        dialogs().inputs = {QStringLiteral("keep")};
        f.w->vbeButton_Click(3);
        QFile old(picture(QStringLiteral("keep")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray before = old.readAll();
        old.close();
        f.stroke({10, 10}, {200, 200});
        setPictureWritesFail(true); // the disk fills up while the new picture goes out
        dialogs().inputs = {QStringLiteral("keep")};
        dialogs().yesNo = {true};
        f.w->vbeButton_Click(3);
        setPictureWritesFail(false);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].line, 210);
        QCOMPARE(test::reporter().reports[0].number, 61);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        QCOMPARE(QDir(app::picsFolder()).entryList(QDir::Files), QStringList{QStringLiteral("keep.bmp")});
    }

    void aWriteProtectedPictureFailsAtLine210EvenForRoot()
    {
        DrawFixture f;
        dialogs().inputs = {QStringLiteral("locked")};
        f.w->vbeButton_Click(3);
        const QString file = picture(QStringLiteral("locked"));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QDateTime written = QFileInfo(file).lastModified();
        f.stroke({10, 10}, {200, 200});
        dialogs().inputs = {QStringLiteral("locked")};
        dialogs().yesNo = {true};
        f.w->vbeButton_Click(3);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].line, 210);
        QCOMPARE(test::reporter().reports[0].number, 75);
        QCOMPARE(QImage(file).pixel(100, 100) & 0xFFFFFF, 0xFFFFFFu); // the old, white picture
        QCOMPARE(QFileInfo(file).lastModified(), written);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }

    void marginsComeFromTheDefaultPrinter()
    {
        printing::ImagePrinters printer({210, 297}, 300, {59, 59}, {200, 287});
        printing::setPrinters(&printer);
        DrawFixture f;
        QCOMPARE(f.w->MarginLeft, int16_t(6));
        QCOMPARE(f.w->MarginRight, int16_t(6));
        QCOMPARE(f.w->MarginTop, int16_t(6));
        QCOMPARE(f.w->MarginBottom, int16_t(6));
    }

    void printsTheCanvasLandscapeAsLargeAsFitsInsideTheMarginsWithTheFooter()
    {
        // Unprintable edges of 4.2 mm, but 12.7 mm at the sheet's bottom, at 100 dpi; margins 5, 5, 5, 13.
        const double mm = 100 / 25.4;
        printing::ImagePrinters printer({210, 297}, 100, {4.2 * mm, 4.2 * mm}, {201.6, 280.1});
        printing::setPrinters(&printer);
        DrawFixture f;
        QCOMPARE(f.w->MarginBottom, int16_t(13));
        QImage blue(8, 6, QImage::Format_RGB32);
        blue.fill(QColor(0, 0, 255));
        f.w->canvas().paintPicture(blue);
        test::StatementTrace trace("vbeButton_Click");
        f.w->vbeButton_Click(5);
        QCOMPARE(trace.lines, (std::vector<int>{20, 270, 310, 320, 330, 340, 350, 360, 370, 380, 390}));
        QVERIFY(test::reporter().reports.empty());
        QCOMPARE(printer.lastOrientation, QPageLayout::Landscape);
        QCOMPARE(printer.pages.size(), size_t(1));
        const QImage& page = printer.pages[0];
        QCOMPARE(page.size(), QSize(1169, 827));
        QRect picture, footer;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                if (c.blue() > 200 && c.red() < 60)
                    picture |= QRect(x, y, 1, 1);
                else if (c.lightness() < 128)
                    footer |= QRect(x, y, 1, 1);
            }
        // Turned onto the sheet, the page's top and bottom margins are the sheet's 5 mm sides:
        // 200 mm less the footer line leave about 196 mm for the picture.
        QVERIFY2(std::abs(picture.height() / mm - 196) < 1.5, qPrintable(QString::number(picture.height() / mm)));
        QVERIFY(std::abs(picture.width() * 3.0 / 4 - picture.height()) < 3);
        QVERIFY2(std::abs(picture.top() / mm - 5) < 1, qPrintable(QString::number(picture.top() / mm)));
        // Centred between 13 mm on the left (the sheet's bottom edge) and 5 mm on the right.
        const double leftGap = picture.left() / mm - 13;
        const double rightGap = (page.width() - 1 - picture.right()) / mm - 5;
        QVERIFY2(std::abs(leftGap - rightGap) < 1, qPrintable(QStringLiteral("%1 %2").arg(leftGap).arg(rightGap)));
        // The footer line under the picture, inside the bottom margin.
        QVERIFY(!footer.isEmpty());
        QVERIFY(footer.top() > picture.bottom());
        QVERIFY(footer.top() - picture.bottom() < 2 * mm);
        QVERIFY(footer.bottom() < page.height() - 5 * mm);
        QVERIFY(std::abs(footer.left() - picture.left()) < 2 * mm);
    }

    void aRefusedPrintJobIsReportedWhereItIsSent()
    {
        printing::ImagePrinters printer({210, 297}, 100, {20, 20});
        printer.refuses = true;
        printing::setPrinters(&printer);
        DrawFixture f;
        f.w->vbeButton_Click(5);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 482);
        QCOMPARE(test::reporter().reports[0].line, 390);
        QVERIFY(printer.pages.empty());
    }

    void withoutAPrinterThePrintIsReported()
    {
        printing::ImagePrinters printer({210, 297}, 300, {0, 0});
        printer.available = false;
        printing::setPrinters(&printer);
        DrawFixture f;
        f.w->vbeButton_Click(5);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 482);
        QCOMPARE(test::reporter().reports[0].line, 270);
        QVERIFY(printer.pages.empty());
    }
};

ZORBEL_TEST_MAIN(TestSavePrint)
#include "test_saveprint.moc"
