// Options in the settings store: defaults, conversions with the classic Basic rules, failures.
#include "TestSupport.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/Basic.h"
#include "core/Settings.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zorbel;
using namespace Allgemein;

namespace {
void put(const char* key, const QString& value)
{
    settings::SaveSetting(app::kTitle, app::kSection, QLatin1String(key), value);
}
QString get(const char* key) { return settings::GetSetting(app::kTitle, app::kSection, QLatin1String(key)); }
} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        test::resetFakes();
        QFile::remove(settings::storeLocation(app::kTitle));
        Sound = Image = Width = PSize = CShow = Gitter = 0;
        Color = 0;
    }

    void emptyStoreGivesTheDefaults()
    {
        LoadConfig();
        QCOMPARE(Sound, int16_t(-1));
        QCOMPARE(Image, int16_t(1));
        QCOMPARE(Width, int16_t(5));
        QCOMPARE(Color, 0);
        QCOMPARE(PSize, int16_t(-1));
        QCOMPARE(CShow, int16_t(-1));
        QCOMPARE(Gitter, int16_t(-1));
        QVERIFY(test::reporter().reports.empty());
    }

    void savedValuesAreDecimalTextAndReadBack()
    {
        Sound = 0;
        Image = 17;
        Width = 50;
        Color = 0x00FF0000; // pure blue
        PSize = 0;
        CShow = -1;
        Gitter = 0;
        SaveConfig();
        QCOMPARE(get("Sound"), QStringLiteral("0"));
        QCOMPARE(get("Color"), QStringLiteral("16711680"));
        QCOMPARE(get("CShow"), QStringLiteral("-1"));
        Sound = Image = Width = PSize = CShow = Gitter = 7;
        Color = 1;
        LoadConfig();
        QCOMPARE(Sound, int16_t(0));
        QCOMPARE(Image, int16_t(17));
        QCOMPARE(Width, int16_t(50));
        QCOMPARE(Color, 0x00FF0000);
        QCOMPARE(PSize, int16_t(0));
        QCOMPARE(Gitter, int16_t(0));
    }

    void anyNonZeroBooleanIsOn()
    {
        put("Sound", QStringLiteral("1"));
        put("Gitter", QStringLiteral("-7"));
        LoadConfig();
        QCOMPARE(Sound, int16_t(-1));
        QCOMPARE(Gitter, int16_t(-1));
    }

    void numbersFollowTheBasicConversions()
    {
        put("Width", QStringLiteral("  12 "));
        put("Image", QStringLiteral("2.5"));
        put("Color", QStringLiteral("3.5"));
        LoadConfig();
        QCOMPARE(Width, int16_t(12));
        QCOMPARE(Image, int16_t(2));
        QCOMPARE(Color, 4);
        QVERIFY(test::reporter().reports.empty());
    }

    void textThatIsNoNumberIsReportedAndContinueKeepsTheDefault()
    {
        put("Sound", QStringLiteral("abc"));
        test::reporter().answers = {Ignore};
        LoadConfig();
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        const auto& r = test::reporter().reports[0];
        QCOMPARE(r.number, 13);
        QCOMPARE(r.line, 20);
        QCOMPARE(r.procedure, QStringLiteral("LoadConfig"));
        QCOMPARE(r.module, QStringLiteral("Allgemein"));
        QCOMPARE(Sound, int16_t(-1)); // not read: the default, never a 0 that End would store
        QCOMPARE(Image, int16_t(1));  // the next key was read
    }

    void outOfRangeIsAnOverflowAndRetryReadsAgain()
    {
        put("Width", QStringLiteral("40000"));
        test::reporter().answers = {Retry, Ignore};
        LoadConfig();
        QCOMPARE(test::reporter().reports.size(), size_t(2));
        QCOMPARE(test::reporter().reports[0].number, 6);
        QCOMPARE(test::reporter().reports[0].line, 40);
        QCOMPARE(Width, int16_t(5));
    }

    void cancelLeavesEveryUnreadOptionAtItsDefault()
    {
        put("Sound", QStringLiteral("abc"));
        put("Width", QStringLiteral("9"));
        test::reporter().answers = {Cancel};
        LoadConfig();
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        SaveConfig();
        for (const auto& [key, value] : {std::pair{"Image", "1"}, {"Width", "5"}, {"PSize", "-1"}, {"CShow", "-1"},
                                         {"Gitter", "-1"}, {"Color", "0"}})
            QCOMPARE(get(key), QString::fromLatin1(value));
    }

    void tooLargeNumbersAreOverflows()
    {
        for (const char* text : {"1e309", "-1e309", "99999999999999999999"}) {
            for (int kind = 0; kind < 2; ++kind) {
                try {
                    kind ? (void)basic::CLng(QString::fromLatin1(text)) : (void)basic::CInt(QString::fromLatin1(text));
                    QFAIL(text);
                } catch (const VbError& e) {
                    QCOMPARE(e.number(), 6);
                }
            }
        }
        QCOMPARE(basic::CInt(QStringLiteral("1e-400")), int16_t(0));
        QVERIFY_THROWS_EXCEPTION(VbError, basic::CInt(QStringLiteral("1e")));
        QVERIFY_THROWS_EXCEPTION(VbError, basic::CInt(QStringLiteral("1-2")));
    }

    void onlyARealFailureOfTheStoreIsReported()
    {
        // Odd lines that Qt skips on reading are no failure of the write.
        const QString store = settings::storeLocation(app::kTitle);
        QDir().mkpath(QFileInfo(store).path());
        {
            QFile f(store);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\xEF\xBB\xBF[Optionen]\r\njunk line\r\n=\r\nWidth=7\r\n");
        }
        LoadConfig();
        Width = 12;
        SaveConfig();
        QVERIFY(test::reporter().reports.empty());
        QCOMPARE(get("Width"), QStringLiteral("12"));

        // A store that cannot be read at all is said once, then the defaults hold.
        QFile::remove(store);
        QVERIFY(QDir().mkpath(store));
        Width = 40;
        test::reporter().answers = {Ignore};
        LoadConfig();
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 75);
        QCOMPARE(test::reporter().reports[0].line, 20);
        QCOMPARE(test::reporter().reports[0].procedure, QStringLiteral("LoadConfig"));
        QCOMPARE(Width, int16_t(5));
        QCOMPARE(Sound, int16_t(-1));
        QDir(store).removeRecursively();
    }

    void aStoreThatIsNoRegularFileIsNeitherReadNorWritten()
    {
        // Opening a FIFO would wait for ever: end the program loudly instead of hanging the suite.
        static std::atomic<bool> done{false};
        std::thread([] {
            for (int i = 0; i < 200 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (!done) {
                std::fputs("FAIL: the settings store blocked\n", stderr);
                std::_Exit(1);
            }
        }).detach();
        const QString store = settings::storeLocation(app::kTitle);
        QDir().mkpath(QFileInfo(store).path());
        const QByteArray path = QFile::encodeName(store);
        for (const bool fifo : {true, false}) {
            QFile::remove(store);
            QVERIFY(fifo ? ::mkfifo(path.constData(), 0600) == 0 : ::symlink("/dev/zero", path.constData()) == 0);
            test::resetFakes();
            test::reporter().answers = {Ignore};
            Width = 40;
            LoadConfig();
            QCOMPARE(test::reporter().reports.size(), size_t(1));
            QCOMPARE(test::reporter().reports[0].number, 75);
            QCOMPARE(test::reporter().reports[0].line, 20);
            QCOMPARE(Width, int16_t(5));
            QVERIFY_THROWS_EXCEPTION(VbError, put("Width", QStringLiteral("9")));
            struct stat st {};
            QVERIFY(::lstat(path.constData(), &st) == 0);
            QVERIFY(fifo ? S_ISFIFO(st.st_mode) : S_ISLNK(st.st_mode));
        }
        QFile::remove(store);
        done = true;
    }

    void conversionEdges()
    {
        QCOMPARE(basic::CInt(QStringLiteral("-32768")), int16_t(-32768));
        // The error a conversion throws; 0 when it throws nothing.
        const auto errorOf = [](auto convert) {
            try {
                convert();
            } catch (const VbError& e) {
                return e.number();
            }
            return 0;
        };
        const auto cint = [&](const char* text) { return errorOf([text] { basic::CInt(QLatin1String(text)); }); };
        const auto clng = [&](const char* text) { return errorOf([text] { basic::CLng(QLatin1String(text)); }); };
        QCOMPARE(cint("32768"), vberr::Overflow);
        QCOMPARE(cint("-32769"), vberr::Overflow);
        QCOMPARE(clng("2147483648"), vberr::Overflow);
        QCOMPARE(clng("-2147483649"), vberr::Overflow);
        QCOMPARE(cint(""), vberr::TypeMismatch);
        QCOMPARE(cint("nan"), vberr::TypeMismatch);
        QCOMPARE(cint("1 2"), vberr::TypeMismatch);
        QCOMPARE(cint("x"), vberr::TypeMismatch);
        QCOMPARE(cint("12"), 0);
        QCOMPARE(basic::roundEven(-2.5), -2.0);
        QCOMPARE(basic::roundEven(0.5), 0.0);
        QCOMPARE(basic::roundEven(1.5), 2.0);
        QCOMPARE(basic::roundEven(419.25), 419.0);
        QCOMPARE(basic::CLng(QStringLiteral("2147483647")), 2147483647);
    }
};

ZORBEL_TEST_MAIN(TestOptions)
#include "test_options.moc"
