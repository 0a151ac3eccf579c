// The start: one copy only, options and texts ready, the start screen and its hand-over to
// the drawing window, and the about box.
#include "Startup.h"
#include "TestSupport.h"
#include "errors/DialogDriver.h"
#include "controls/PictureBox.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/Forms.h"
#include "core/Printer.h"
#include "core/Settings.h"
#include "core/SingleInstance.h"
#include <QFileInfo>
#include <QLocalServer>
#include <QStandardPaths>
#include "draw/frmDraw.h"
#include "info/frmInfo.h"
#include "preview/frmPreview.h"
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <cstdio>

using namespace zorbel;

namespace {
using test::find;

void unloadAll()
{
    for (int i = Forms::count() - 1; i >= 0; --i)
        Forms::unload(Forms::at(i));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void click(QWidget* w, QPoint at = {2, 2})
{
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        test::resetFakes();
        Allgemein::DrawShown = false;
        QFile::remove(settings::storeLocation(app::kTitle));
    }
    void cleanup() { unloadAll(); }

    void firstStartShowsTheStartScreenThenTheDrawingWindow()
    {
        QVERIFY(startup::Main());
        QCOMPARE(Allgemein::Sprache, int16_t(0));
        QCOMPARE(Allgemein::Width, int16_t(5));
        QVERIFY(Allgemein::LangFile.endsWith(QStringLiteral("/~tmp.lng")));
        QVERIFY(QFile::exists(Allgemein::LangFile));
        frmInfo* info = find<frmInfo>();
        frmDraw* draw = find<frmDraw>();
        QVERIFY(info && draw);
        QVERIFY(info->isVisible());
        QVERIFY(!draw->isVisible());
        QVERIFY(info->timerArmed());
        QVERIFY(!info->okButton()->isVisible());
        QVERIFY(info->flag(0)->isVisible() && info->flag(6)->isVisible());
        QVERIFY(!Allgemein::StartScreen);
        QVERIFY(info->title().startsWith(QStringLiteral("Zorbel  III\r\n")));

        info->fireTimer();
        QVERIFY(draw->isVisible());
        QVERIFY(Allgemein::DrawShown);
        QVERIFY(!find<frmInfo>());
        // Left loaded: the drawing window, the template window it owns and, as CShow is on,
        // the pen window its layout showed.
        QVERIFY(QTest::qWaitFor([&] { return Forms::count() == 3; }));
        frmPreview* preview = find<frmPreview>();
        QVERIFY(preview && preview->parentWidget() == draw);
        // Shown once the drawing window is on the screen, not before: a window mapped before its
        // owner is buried under it by some window managers.
        QVERIFY(QTest::qWaitFor([&] { return preview->isVisible(); }));
        QVERIFY(draw->windowHandle()->isExposed());
        QCOMPARE(preview->windowHandle()->transientParent(), draw->windowHandle());
    }

    void theStartScreenIsPaintedWithTheBusyPointerBeforeTheDrawingWindowLoads()
    {
        // The drawing window's load asks the printer for its margins: look at the start screen then.
        struct Watching : printing::ImagePrinters {
            using ImagePrinters::ImagePrinters;
            std::optional<printing::PrinterGeometry> geometry() override
            {
                if (auto* info = find<frmInfo>()) {
                    painted = info->painted();
                    cursor = info->cursor().shape();
                }
                return ImagePrinters::geometry();
            }
            bool painted = false;
            Qt::CursorShape cursor = Qt::ArrowCursor;
        } watching(QSizeF(210, 297), 600, QPointF(50, 50));
        printing::Printers* before = &printing::printers();
        printing::setPrinters(&watching);
        const bool started = startup::Main();
        printing::setPrinters(before);
        QVERIFY(started);
        QVERIFY(watching.painted);
        QCOMPARE(watching.cursor, Qt::WaitCursor);
        QCOMPARE(find<frmInfo>()->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!find<frmDraw>()->isVisible());
    }

    void theTimerFiresAfterTwoAndAHalfSeconds()
    {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(startup::Main());
        frmDraw* draw = find<frmDraw>();
        QVERIFY(QTest::qWaitFor([&] { return draw->isVisible(); }, 10000));
        // Never early (a coarse timer may fire up to 5 % before its time), and not much late
        // either: the drawing window then waits on something else than the start screen's time.
        QVERIFY2(clock.elapsed() >= 2300, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
    }

    void closingTheStartScreenEarlyStillShowsTheDrawingWindow()
    {
        QVERIFY(startup::Main());
        find<frmInfo>()->close();
        QVERIFY(find<frmDraw>()->isVisible());
    }

    void theStartScreenOutlivesItsFlagHandlerWhenItsTimeRunsOutBehindTheErrorDialog()
    {
        // The flag cannot store the language; while its report is up the start screen's time runs out.
        QVERIFY(startup::Main());
        QVERIFY(QDir().mkpath(settings::storeLocation(app::kTitle)));
        QPointer<frmInfo> info = find<frmInfo>();
        ErrPtnr dlg;
        test::DialogReporter adapter(dlg);
        bool aliveAtAnswer = false;
        QTimer driver;
        driver.callOnTimeout([&] {
            if (!dlg.isVisible())
                return;
            driver.stop();
            info->fireTimer();
            QTimer::singleShot(20, &dlg, [&] {
                aliveAtAnswer = !info.isNull();
                dlg.continueButton(Ignore)->click();
            });
        });
        driver.start(5);
        setErrorReporter(&adapter);
        click(info->flag(1));
        setErrorReporter(&test::reporter());
        QDir(settings::storeLocation(app::kTitle)).removeRecursively();
        QVERIFY(aliveAtAnswer);
        QCOMPARE(adapter.last, int16_t(Ignore));
        QVERIFY(find<frmDraw>()->isVisible());
        QVERIFY(!find<frmInfo>());
        QVERIFY(QTest::qWaitFor([&] { return info.isNull(); }));
        Allgemein::Sprache = 0;
    }

    void aboutBoxHasOkAndNoFlagsAndNeverShowsTheDrawingWindowAgain()
    {
        Allgemein::StartScreen = false;
        Allgemein::DrawShown = true;
        int shown = 0;
        auto* about = new frmInfo([&] { ++shown; }, [] { return false; });
        QVERIFY(!about->timerArmed());
        QVERIFY(!about->okButton()->isHidden());
        QVERIFY(about->flag(1)->isHidden());
        QTimer::singleShot(0, about, [about] { QTest::keyClick(about, Qt::Key_Escape); });
        about->exec();
        QCOMPARE(shown, 0);
        QVERIFY(!about->isVisible());
    }

    void versionLineHasTwoDigitMinorAndFourDigitRevision()
    {
        Allgemein::StartScreen = true;
        frmInfo info([] {}, [] { return true; });
        const QString expected = QStringLiteral("%1.%2.%3")
                                     .arg(app::versionMajor())
                                     .arg(app::versionMinor(), 2, 10, QLatin1Char('0'))
                                     .arg(app::versionRevision(), 4, 10, QLatin1Char('0'));
        QVERIFY(info.title().endsWith(QStringLiteral("\r\n") + expected));
        QCOMPARE(expected.size(), QString::number(app::versionMajor()).size() + 8);
    }

    void flagsSwitchTheLanguageAndStoreItAtOnce()
    {
        Allgemein::StartScreen = true;
        Allgemein::Sprache = 0;
        frmInfo info([] {}, [] { return true; });
        click(info.flag(3));
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
                 QStringLiteral("Annulla"));
        click(info.flag(1));
        QCOMPARE(Allgemein::Sprache, int16_t(1000));
        QCOMPARE(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Sprache")), QStringLiteral("1000"));
        // The flag of the language in use writes nothing.
        settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("Sprache"), QStringLiteral("marker"));
        click(info.flag(1));
        QCOMPARE(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Sprache")), QStringLiteral("marker"));
        QVERIFY(test::sound().played.empty());
        Allgemein::Sprache = 0;
    }

    void storedLanguageIsUsedAtTheNextStart()
    {
        settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("Sprache"), QStringLiteral("3000"));
        QVERIFY(startup::Main());
        QCOMPARE(Allgemein::Sprache, int16_t(3000));
        Allgemein::Sprache = 0;
    }

    void webLinkTurnsRedThenStaysBrightBlueAndOpensTheSite()
    {
        Allgemein::StartScreen = true;
        frmInfo info([] {}, [] { return true; });
        QLabel* link = info.homepage();
        QVERIFY(link->styleSheet().contains(QStringLiteral("0,0,192")));
        QTest::mousePress(link, Qt::LeftButton, {}, {3, 3});
        QVERIFY(link->styleSheet().contains(QStringLiteral("255,0,0")));
        QTest::mouseRelease(link, Qt::LeftButton, {}, {3, 3});
        QVERIFY(link->styleSheet().contains(QStringLiteral("0,0,255")));
        QCOMPARE(test::shell().opened, QStringList{app::kWebSite});
    }

    void badStoredLanguageIsReportedAtLine120()
    {
        settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("Sprache"), QStringLiteral("deutsch"));
        test::reporter().answers = {Ignore};
        QVERIFY(startup::Main());
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].procedure, QStringLiteral("Main"));
        QCOMPARE(test::reporter().reports[0].line, 120);
    }

    void aStartLeftWithNothingOnTheScreenEnds()
    {
        // Escape on the report of a bad language leaves Main: only the hidden error dialog is loaded.
        settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("Sprache"), QStringLiteral("abc"));
        ErrPtnr dlg;
        test::DialogReporter adapter(dlg);
        QTimer driver;
        driver.callOnTimeout([&] {
            if (dlg.isVisible())
                QTest::keyClick(&dlg, Qt::Key_Escape);
        });
        driver.start(5);
        setErrorReporter(&adapter);
        const bool keepRunning = startup::Main();
        setErrorReporter(&test::reporter());
        QCOMPARE(adapter.last, int16_t(Cancel));
        QVERIFY(!find<frmInfo>() && !find<frmDraw>());
        QVERIFY(!keepRunning);
    }

    void secondCopyIsRefusedWhileTheFirstRuns()
    {
        const QString name = QStringLiteral("zorbel-test-%1").arg(QCoreApplication::applicationPid());
        auto first = std::make_unique<SingleInstance>(name);
        QVERIFY(first->claim());
        QVERIFY(!SingleInstance(name).claim());
        first.reset();
        QVERIFY(SingleInstance(name).claim());
    }

    void aCrashedCopyDoesNotBlockTheNextStart()
    {
        const QString name = QStringLiteral("zorbel-crash-%1").arg(QCoreApplication::applicationPid());
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), name});
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(!SingleInstance(name).claim());
        holder.kill(); // no chance to clean up, as in a crash
        QVERIFY(holder.waitForFinished(5000));
        QVERIFY(SingleInstance(name).claim());
    }

    void onlyACopyOfTheSameUserCountsAsRunning()
    {
        // Someone else holds a local server of that name: it is no running copy of ours.
        const QString name = QStringLiteral("zorbel-held-%1").arg(QCoreApplication::applicationPid());
        QLocalServer stranger;
        stranger.setSocketOptions(QLocalServer::AbstractNamespaceOption);
        QVERIFY(stranger.listen(name));
        SingleInstance mine(name);
        QVERIFY(mine.claim());
        QVERIFY(!SingleInstance(name).claim());
        // The claim lives where only this user can write.
        const QString lock = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QLatin1Char('/') + name;
        QVERIFY(QFileInfo(lock).isFile());
        QCOMPARE(QFileInfo(QFileInfo(lock).path()).permissions() & (QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
    }

    void theProgramEndsAtOnceWhenACopyRuns()
    {
        // Run the real program twice in a sandbox of its own; the second must leave no trace.
        const QString box = test::scratchFolder() + QStringLiteral("/second");
        for (const char* d : {"cfg", "tmp", "run", "data"})
            QDir().mkpath(box + QLatin1Char('/') + QLatin1String(d));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), box + QStringLiteral("/cfg"));
        env.insert(QStringLiteral("TMPDIR"), box + QStringLiteral("/tmp"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), box + QStringLiteral("/run"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), box + QStringLiteral("/data"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(ZORBEL_PROGRAM), {});
        QVERIFY(first.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(box + QStringLiteral("/tmp/~tmp.lng")); }, 10000));
        QFile::remove(box + QStringLiteral("/tmp/~tmp.lng"));
        QDir(box + QStringLiteral("/cfg")).removeRecursively();

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(ZORBEL_PROGRAM), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(!QFile::exists(box + QStringLiteral("/tmp/~tmp.lng")));
        QVERIFY(!QDir(box + QStringLiteral("/cfg")).exists());
        first.kill();
        first.waitForFinished();
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--hold") == 0) {
        // Helper mode for the crash test: claim, say so, wait to be killed.
        QCoreApplication app(argc, argv);
        SingleInstance instance(QString::fromLocal8Bit(argv[2]));
        if (!instance.claim())
            return 1;
        std::puts("held");
        std::fflush(stdout);
        return app.exec();
    }
    zorbel::test::prepareEnvironment();
    zorbel::Application app(argc, argv);
    zorbel::test::prepareApplication();
    TestStartup tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "test_startup.moc"
