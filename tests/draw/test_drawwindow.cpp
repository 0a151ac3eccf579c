// The drawing window as a child uses it: strokes, undo, delete, sound, end, resizing, and the
// texts in every language.
#include "DrawFixture.h"
#include "controls/PictureBox.h"
#include "controls/VisualButton.h"
#include "core/Basic.h"
#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <map>
#include <QPushButton>

using namespace zorbel;
using test::DrawFixture;

namespace {
constexpr QRgb kWhite = 0xFFFFFF;

QString yesButtonText() { return QDialogButtonBox(QDialogButtonBox::Yes).button(QDialogButtonBox::Yes)->text(); }
} // namespace

class TestDrawWindow : public QObject {
    Q_OBJECT
private slots:
    void loadingPreparesPenButtonsAndTools()
    {
        printing::setPrinters(&test::noPrinter());
        DrawFixture f;
        QVERIFY(!f.w->button(1)->isEnabled());
        QCOMPARE(f.w->button(6)->foreColor(), QColor(Qt::black));
        QCOMPARE(f.w->canvas().penWidth(), 5);
        QCOMPARE(f.w->canvas().size(), QSize(559, 419));
        QVERIFY(f.calls.contains(QStringLiteral("preview")));
        QVERIFY(f.calls.contains(QStringLiteral("color"))); // CShow is on by default
        QCOMPARE(f.w->MarginLeft, int16_t(0));              // no printer
    }

    void thePenColourComesFromTheOptionsAsBlueGreenRed()
    {
        // 0x00BBGGRR: 255 is pure red, 0xFF0000 pure blue; a swap would paint one as the other.
        for (const auto& [stored, expected] : {std::pair{QStringLiteral("255"), qRgb(255, 0, 0)},
                                               std::pair{QStringLiteral("16711680"), qRgb(0, 0, 255)},
                                               std::pair{QStringLiteral("32768"), qRgb(0, 128, 0)}}) {
            DrawFixture f({800, 580}, [&] {
                settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("Color"), stored);
                Allgemein::LoadConfig();
            });
            f.stroke({20, 20}, {120, 20});
            QCOMPARE(f.pixel({70, 20}), expected & 0xFFFFFF);
            f.w->resize(1024, 748); // the layout sets the pen colour again
            QTest::qWait(0);
            f.stroke({20, 200}, {120, 200});
            QCOMPARE(f.pixel({70, 200}), expected & 0xFFFFFF);
        }
    }

    void theWindowsPiecesLandApartAtEverySize_data()
    {
        QTest::addColumn<QSize>("client");
        for (QSize s : {QSize(640, 480), QSize(800, 580), QSize(1024, 748), QSize(1280, 1004), QSize(1080, 1920),
                        QSize(1366, 748)})
            QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(s.width()).arg(s.height()))) << s;
    }

    void theWindowsPiecesLandApartAtEverySize()
    {
        QFETCH(QSize, client);
        DrawFixture f(client);
        QCOMPARE(f.w->size(), client);
        const int m = basic::CInt(client.width() * 0.03);
        const QRect window = f.w->rect();
        const QRect panel = f.w->panel()->geometry();
        const QRect frame = f.w->canvasFrame()->geometry();
        const QRect notice = f.w->copyright()->geometry();
        const QRect plate = f.w->logo(0)->geometry();
        QVERIFY(f.w->panel()->isVisible() && f.w->copyright()->isVisible() && f.w->logo(0)->isVisible());
        QCOMPARE(panel.topLeft(), QPointF(m, client.height() - 1.5 * m - 281).toPoint());
        QCOMPARE(panel.size(), QSize(169, 281));
        // Everything lies inside the window's dark edge, and nothing overlaps.
        const QRect inside = window.adjusted(m / 2, m / 2, -m / 2, -m / 2);
        for (const QRect& r : {panel, frame, notice, plate})
            QVERIFY2(inside.contains(r), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
        QVERIFY(!notice.intersects(frame) && !notice.intersects(panel) && !notice.intersects(plate));
        QVERIFY(!panel.intersects(frame) && !plate.intersects(frame));
        QVERIFY(notice.bottom() < panel.top());
        // The whole notice is readable: it fits in its lines.
        const QLabel* label = f.w->copyright();
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
    }

    void aClickLeavesADotEnablesUndoAndPlaysThePencil()
    {
        DrawFixture f;
        f.press({100, 100});
        f.release();
        QCOMPARE(f.pixel({100, 100}), 0u);
        QVERIFY(f.w->button(1)->isEnabled());
        QCOMPARE(test::sound().played, std::vector<int>{102});
    }

    void everyMouseButtonDrawsAndMovingWithoutPressDrawsNothing()
    {
        DrawFixture f;
        f.move({50, 50});
        QCOMPARE(f.pixel({50, 50}), kWhite);
        f.press({50, 50}, Qt::RightButton);
        f.move({150, 50});
        f.release();
        QCOMPARE(f.pixel({100, 50}), 0u);
        f.move({150, 150});
        QCOMPARE(f.pixel({150, 100}), kWhite);
    }

    void undoRemovesOnlyTheLastStrokeAndOnlyOnce()
    {
        DrawFixture f;
        f.stroke({20, 20}, {120, 20});
        f.stroke({20, 80}, {120, 80});
        f.w->button(1)->click();
        QCOMPARE(f.pixel({70, 20}), 0u);
        QCOMPARE(f.pixel({70, 80}), kWhite);
        QVERIFY(!f.w->button(1)->isEnabled());
    }

    void deleteClearsToWhiteAndCanBeUndone()
    {
        DrawFixture f;
        f.stroke({20, 20}, {120, 20});
        f.w->button(1)->click(); // undo: the canvas is white again
        f.stroke({20, 60}, {120, 60});
        test::sound().played.clear();
        f.w->vbeButton_Click(0);
        QCOMPARE(test::sound().played, (std::vector<int>{101, 107}));
        QCOMPARE(f.pixel({70, 60}), kWhite);
        QVERIFY(f.w->button(1)->isEnabled());
        f.w->vbeButton_Click(1);
        QCOMPARE(f.pixel({70, 60}), 0u);

        // Deleting an already blank canvas keeps the drawing in the undo copy.
        f.w->vbeButton_Click(0);
        f.w->vbeButton_Click(0);
        f.w->vbeButton_Click(0);
        QVERIFY(f.w->button(1)->isEnabled());
        f.w->vbeButton_Click(1);
        QCOMPARE(f.pixel({70, 60}), 0u);
        QVERIFY(!f.w->canvas().isBlank());
    }

    void soundOffMakesTheButtonRedAndStrokesSilent()
    {
        DrawFixture f({800, 580}, [] { Allgemein::Sound = 0; });
        QCOMPARE(f.w->button(6)->foreColor(), QColor(255, 0, 0));
        f.stroke({10, 10}, {20, 20});
        QVERIFY(test::sound().played.empty());
    }

    void soundToggleTwiceIsBlackAgainAndStoresNothing()
    {
        DrawFixture f;
        test::StatementTrace trace("vbeButton_Click");
        f.w->vbeButton_Click(6);
        QCOMPARE(Allgemein::Sound, int16_t(0));
        QCOMPARE(f.w->button(6)->foreColor(), QColor(255, 0, 0));
        QCOMPARE(test::sound().played, std::vector<int>{101}); // chosen before the toggle
        f.w->vbeButton_Click(6);
        QCOMPARE(Allgemein::Sound, int16_t(-1));
        QCOMPARE(f.w->button(6)->foreColor(), QColor(Qt::black));
        QCOMPARE(test::sound().played, std::vector<int>{101}); // switching on plays nothing
        QCOMPARE(trace.lines, (std::vector<int>{20, 410, 420, 450, 20, 410, 420, 430}));
        QVERIFY(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Sound")).isEmpty());
    }

    void disabledButtonsAreSilent()
    {
        DrawFixture f;
        QTest::mouseClick(f.w->button(1), Qt::LeftButton);
        QVERIFY(test::sound().played.empty());
    }

    void unknownIndexOnlyClicks()
    {
        DrawFixture f;
        f.w->vbeButton_Click(12);
        QCOMPARE(test::sound().played, std::vector<int>{101});
    }

    void penOpenHelpAndWebCommands()
    {
        DrawFixture f;
        f.calls.clear();
        Allgemein::CShow = 0;
        f.w->vbeButton_Click(4);
        QCOMPARE(Allgemein::CShow, int16_t(-1));
        {
            test::StatementTrace trace("vbeButton_Click");
            f.w->vbeButton_Click(2);
            QCOMPARE(trace.lines, (std::vector<int>{20, 120, 130, 140}));
        }
        QCOMPARE(f.calls, (QStringList{QStringLiteral("pen"), QStringLiteral("hide steps"), QStringLiteral("files"),
                                       QStringLiteral("show files")}));
        f.w->vbeButton_Click(8);
        QCOMPARE(test::shell().opened, QStringList{app::kWebSite});
        f.w->vbeButton_Click(7);
        QVERIFY(f.w->helpMenu()->isVisible());
        f.w->helpMenu()->hide();
    }

    void endAnsweredNoChangesNothingYesSavesAndQuits()
    {
        DrawFixture f;
        Allgemein::Width = 17;
        f.w->vbeButton_Click(9);
        QCOMPARE(test::dialogs().questions.size(), size_t(1));
        QCOMPARE(test::dialogs().questions[0].text, QStringLiteral("Wirklich schon aufh\u00f6ren?"));
        QCOMPARE(test::dialogs().questions[0].title, QStringLiteral("Zorbel"));
        QVERIFY(!test::dialogs().questions[0].defaultNo);
        QCOMPARE(f.quits, 0);
        QVERIFY(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Width")).isEmpty());

        test::dialogs().yesNo = {true};
        f.w->vbeButton_Click(9);
        QCOMPARE(f.quits, 1);
        QCOMPARE(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Width")), QStringLiteral("17"));
        QCOMPARE(Forms::count(), 0);
        f.w.release()->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void anEndQuestionWithoutTextsFallsBackToEnglish()
    {
        DrawFixture f;
        Allgemein::Sprache = 7000; // a language base the table has no texts for
        f.w->vbeButton_Click(9);
        QCOMPARE(test::dialogs().questions.size(), size_t(1));
        QCOMPARE(test::dialogs().questions[0].text, QStringLiteral("Really end program?"));
        QVERIFY(!test::dialogs().questions[0].title.isEmpty());
    }

    void closingTheWindowAsksLikeEnd()
    {
        DrawFixture f;
        f.w->close();
        QCOMPARE(test::dialogs().questions.size(), size_t(1));
        QVERIFY(f.w->isVisible());
        QCOMPARE(f.quits, 0);
        // Yes: the options are saved and the program ends, as with the End command.
        Allgemein::Width = 23;
        test::dialogs().yesNo = {true};
        f.w->close();
        QCOMPARE(test::dialogs().questions.size(), size_t(2));
        QCOMPARE(f.quits, 1);
        QCOMPARE(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Width")), QStringLiteral("23"));
        QCOMPARE(Forms::count(), 0);
        QVERIFY(!f.w->isVisible());
        f.w.release()->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void resizingKeepsTheDrawing()
    {
        DrawFixture f;
        f.stroke({100, 100}, {300, 100});
        f.w->resize(1024, 748);
        QTest::qWait(0);
        QCOMPARE(f.w->canvas().size(), QSize(762, 571));
        const double s = 762.0 / 559.0;
        QCOMPARE(f.pixel(QPointF(200 * s, 100 * s).toPoint()), 0u);
    }

    void germanTexts()
    {
        DrawFixture f;
        test::StatementTrace trace("Sprache");
        f.w->Sprache();
        QCOMPARE(std::vector<int>(trace.lines.end() - 4, trace.lines.end()), (std::vector<int>{260, 270, 280, 320}));
        Allgemein::Sprache = 1000;
        trace.lines.clear();
        f.w->Sprache();
        QCOMPARE(std::vector<int>(trace.lines.end() - 4, trace.lines.end()), (std::vector<int>{260, 300, 310, 320}));
        Allgemein::Sprache = 0;
        f.w->Sprache();
        QCOMPARE(f.w->button(0)->toolTip(), QStringLiteral("Bild l\u00f6schen"));
        QCOMPARE(f.w->button(9)->toolTip(), QStringLiteral("Beenden"));
        QCOMPARE(f.w->helpMenu()->title(), QStringLiteral("Hilfe"));
        QCOMPARE(f.w->helpMenu()->actions()[0]->text(), QStringLiteral("Onlinehilfe"));
        QCOMPARE(f.w->helpMenu()->actions()[2]->text(), QStringLiteral("E-Mail"));
        QCOMPARE(f.w->helpMenu()->actions()[4]->text(), QStringLiteral("\u00dcber..."));
        QVERIFY(f.w->logo(0)->isVisible() && !f.w->logo(1)->isVisible());
        QCOMPARE(f.tips[0], QStringLiteral("Zur\u00fcck"));
        QCOMPARE(f.tips[6], QStringLiteral("OK"));
        QVERIFY(f.w->flag(0)->marked());
    }

    void theChosenFlagCarriesABrightRingAndKeepsItsDarkEdge()
    {
        DrawFixture f;
        const QImage chosen = f.w->flag(0)->grab().toImage();
        const QImage other = f.w->flag(6)->grab().toImage(); // French, not chosen
        for (const QPoint at : {QPoint(0, 10), QPoint(16, 0), QPoint(31, 10)})
            QVERIFY(QColor(chosen.pixel(at)).lightness() < 90);
        for (const QPoint at : {QPoint(2, 10), QPoint(16, 2), QPoint(29, 10), QPoint(16, 17)}) {
            const QColor c(chosen.pixel(at));
            QVERIFY2(c.red() > 220 && c.green() > 180 && c.blue() < 80, qPrintable(c.name()));
        }
        QVERIFY(QColor(other.pixel(2, 10)).blue() > 80); // the French flag's own blue, unringed
    }

    void englishFlagSwitchesAndStoresAtOnce()
    {
        DrawFixture f;
        QCOMPARE(yesButtonText(), QStringLiteral("&Ja"));
        f.w->imgLang_Click(1);
        QCOMPARE(yesButtonText(), QStringLiteral("&Yes"));
        QCOMPARE(test::sound().played, std::vector<int>{101});
        QCOMPARE(Allgemein::Sprache, int16_t(1000));
        QCOMPARE(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Sprache")), QStringLiteral("1000"));
        QCOMPARE(f.w->button(0)->toolTip(), QStringLiteral("Delete picture"));
        QCOMPARE(f.w->button(8)->toolTip(), QStringLiteral("Mellix's homepage"));
        QCOMPARE(f.w->helpMenu()->actions()[2]->text(), QStringLiteral("E-Mail"));
        QVERIFY(!f.w->logo(0)->isVisible() && f.w->logo(1)->isVisible());
        QVERIFY(f.w->flag(1)->marked() && !f.w->flag(0)->marked());
        // The flag of the language in use: only the click sound.
        settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("Sprache"), QStringLiteral("marker"));
        f.w->imgLang_Click(1);
        QCOMPARE(test::sound().played, (std::vector<int>{101, 101}));
        QCOMPARE(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Sprache")), QStringLiteral("marker"));
    }

    void everyTipAndCaptionComesFromTheTextTable_data()
    {
        QTest::addColumn<int>("sprache");
        for (int lang = 0; lang < 7; ++lang)
            QTest::newRow(qPrintable(QStringLiteral("language %1").arg(lang))) << lang * 1000;
    }

    void everyTipAndCaptionComesFromTheTextTable()
    {
        QFETCH(int, sprache);
        // The table as written, read here on its own: the first entry of a key wins.
        QFile src(QStringLiteral(ZORBEL_SOURCE_DIR "/assets/lang/texts.txt"));
        QVERIFY(src.open(QIODevice::ReadOnly));
        std::map<int, QString> table;
        for (QString line : QString::fromUtf8(src.readAll()).split(QLatin1Char('\n'))) {
            if (line.size() >= 6 && line[0].isDigit())
                table.try_emplace(line.left(4).toInt(), line.mid(6)
                                                            .replace(QStringLiteral("\\t"), QStringLiteral("\t"))
                                                            .replace(QStringLiteral("\\s"), QStringLiteral(" "))
                                                            .trimmed());
        }
        const auto text = [&](int id) { return table[sprache + id]; };

        DrawFixture f;
        Allgemein::Sprache = int16_t(sprache);
        f.w->Sprache();
        constexpr int kTips[10] = {130, 143, 125, 133, 122, 140, 119, 120, 131, 115};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(f.w->button(i)->toolTip(), text(kTips[i]));
        constexpr int kPreviewTips[9] = {124, 142, 123, 129, 128, 124, 0, 123, 0};
        for (int i = 0; i < 9; ++i)
            QCOMPARE(f.tips[size_t(i)], kPreviewTips[i] ? text(kPreviewTips[i]) : QStringLiteral("OK"));
        QCOMPARE(f.w->helpMenu()->title(), text(120));
        const QList<QAction*> entries = f.w->helpMenu()->actions();
        QCOMPARE(entries.size(), 5);
        QCOMPARE(entries[0]->text(), text(121));
        QVERIFY(entries[1]->isSeparator() && entries[3]->isSeparator());
        QCOMPARE(entries[2]->text(), QStringLiteral("E-Mail"));
        QCOMPARE(entries[4]->text(), text(113));
    }

    void norwegianHasEmptyTooltipsAndNoMarkedFlag()
    {
        DrawFixture f;
        Allgemein::Sprache = 5000;
        f.w->Sprache();
        for (int i : {0, 1, 2, 3, 5})
            QCOMPARE(f.w->button(i)->toolTip(), QString());
        QCOMPARE(f.w->button(9)->toolTip(), QStringLiteral("Avslutt"));
        for (int i : {0, 1, 3, 4, 6})
            QVERIFY(!f.w->flag(i)->marked());
        QVERIFY(f.w->logo(1)->isVisible());
    }

    void italianSelectTooltipIsEmpty()
    {
        DrawFixture f;
        Allgemein::Sprache = 3000;
        f.w->Sprache();
        QCOMPARE(f.tips[1], QString());
        QCOMPARE(f.tips[2], QStringLiteral("Avanti"));
    }

    void helpMenuEntries()
    {
        DrawFixture f;
        // The menu opens only pages that are there; these stand in for the installed ones.
        const QString help = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/zorbel/help/");
        QDir().mkpath(help);
        for (const QString& name : QStringList{QStringLiteral("de.html"), QStringLiteral("en.html")}) {
            QFile page(help + name);
            QVERIFY(page.open(QIODevice::WriteOnly));
        }
        f.w->mnuHilfe_Click();
        Allgemein::Sprache = 4000;
        f.w->mnuHilfe_Click();
        f.w->mnuEmail_Click();
        f.w->mnuUeber_Click();
        QCOMPARE(test::shell().opened.size(), 3);
        QVERIFY(test::shell().opened[0].endsWith(QStringLiteral("/help/de.html")));
        QVERIFY(test::shell().opened[1].endsWith(QStringLiteral("/help/en.html")));
        QCOMPARE(test::shell().opened[2], QStringLiteral("mailto:support@zorbel.example?Subject=Zorbel III"));
        QVERIFY(f.calls.contains(QStringLiteral("about")));
        QVERIFY(test::reporter().reports.empty());

        // Without a browser or mail program each of them says what it could not open.
        test::shell().works = false;
        f.w->mnuHilfe_Click();
        f.w->mnuEmail_Click();
        f.w->vbeButton_Click(8);
        QCOMPARE(test::reporter().reports.size(), size_t(3));
        QCOMPARE(test::reporter().reports[0].procedure, QStringLiteral("mnuHilfe_Click"));
        QVERIFY(test::reporter().reports[0].description.endsWith(QStringLiteral("/help/en.html")));
        QCOMPARE(test::reporter().reports[1].procedure, QStringLiteral("mnuEmail_Click"));
        QCOMPARE(test::reporter().reports[2].line, 500);
        QCOMPARE(test::reporter().reports[2].number, 53);
    }

    void localFilesAreFilesOnEveryPlatform()
    {
        const QUrl windows = platform::targetUrl(QStringLiteral("C:/Programme/Zorbel/help/de.html"));
        QVERIFY(windows.isLocalFile());
        QVERIFY(windows.toLocalFile().endsWith(QStringLiteral("C:/Programme/Zorbel/help/de.html")));
        QVERIFY(platform::targetUrl(QStringLiteral("D:\\Zorbel\\help\\en.html")).isLocalFile());
        QVERIFY(platform::targetUrl(QStringLiteral("/opt/zorbel:3/help/en.html")).isLocalFile());
        QCOMPARE(platform::targetUrl(QStringLiteral("https://www.zorbel.example/")).scheme(), QStringLiteral("https"));
        const QUrl mail = platform::targetUrl(QStringLiteral("mailto:support@zorbel.example?Subject=Zorbel III"));
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
    }

    void cleanup()
    {
        Allgemein::Sprache = 0;
        Allgemein::Sound = -1;
    }
};

ZORBEL_TEST_MAIN(TestDrawWindow)
#include "test_drawwindow.moc"
