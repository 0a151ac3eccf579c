// Finding the help pages, and what the shipped pages must hold: every picture they show and
// every button glyph of the windows they explain.
#include "TestSupport.h"
#include "controls/ButtonGlyphs.h"
#include "core/HelpFile.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace zorbel;

namespace {
void writeFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html></html>");
}

QString readPage(const QString& name)
{
    QFile f(QStringLiteral(ZORBEL_HELP_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}
} // namespace

class TestHelpFile : public QObject {
    Q_OBJECT
private slots:
    void thePageOfTheLanguageIsFoundInAnyFolderAndNothingMissingIsOpened()
    {
        const QString root = test::scratchFolder() + QStringLiteral("/helpfind");
        const QString a = root + QStringLiteral("/a"), b = root + QStringLiteral("/b");
        QDir().mkpath(a);
        QCOMPARE(help::findPage({a, b, root + QStringLiteral("/none")}, true), QString());

        writeFile(b + QStringLiteral("/en.html"));
        // Only English anywhere: German readers get it rather than nothing.
        QCOMPARE(help::findPage({a, b}, true), b + QStringLiteral("/en.html"));
        QCOMPARE(help::findPage({a, b}, false), b + QStringLiteral("/en.html"));

        writeFile(b + QStringLiteral("/de.html"));
        writeFile(a + QStringLiteral("/en.html"));
        QCOMPARE(help::findPage({a, b}, true), b + QStringLiteral("/de.html"));
        QCOMPARE(help::findPage({a, b}, false), a + QStringLiteral("/en.html"));

        // A folder that happens to carry the page's name is no page.
        const QString c = root + QStringLiteral("/c");
        QDir().mkpath(c + QStringLiteral("/de.html"));
        QCOMPARE(help::findPage({c}, true), QString());
    }

    void theProgramLooksBesideItselfAndInTheInstalledDataFolder()
    {
        const QStringList f = help::folders();
        const QString exe = QCoreApplication::applicationDirPath();
        QCOMPARE(f.value(0), exe + QStringLiteral("/help"));
        QCOMPARE(f.value(1), QDir::cleanPath(exe + QStringLiteral("/../share/zorbel/help")));
        writeFile(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/zorbel/help/de.html"));
        QVERIFY(help::folders().contains(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/zorbel/help")));
    }

    void theShippedPagesShowEveryButtonAndOnlyPicturesThatExist()
    {
        // Drawing window, template window, pen window: the Wingdings codes of their buttons.
        const int codes[] = {111, 197, 49, 60, 33, 121, 41, 91, 253, 215, 97, 216, 177, 244, 254, 251};
        for (const QString& name : QStringList{QStringLiteral("de.html"), QStringLiteral("en.html")}) {
            const QString page = readPage(name);
            QVERIFY2(page.size() > 2000, qPrintable(name));
            for (int code : codes)
                QVERIFY2(page.contains(glyphs::forCode(code)), qPrintable(name + QStringLiteral(": code ") + QString::number(code)));
            QVERIFY2(page.contains(QStringLiteral("Zorbel")), qPrintable(name));
            const QRegularExpression ref(QStringLiteral("(?:src|href)=\"([^\":#]+)\""));
            int pictures = 0;
            for (const auto& m : ref.globalMatch(page)) {
                const QString file = QStringLiteral(ZORBEL_HELP_DIR "/") + m.captured(1);
                QVERIFY2(QFileInfo::exists(file), qPrintable(name + QStringLiteral(" refers to ") + m.captured(1)));
                pictures += m.captured(1).endsWith(QLatin1String(".png"));
            }
            QVERIFY2(pictures >= 4, qPrintable(name));
        }
    }
};

ZORBEL_TEST_MAIN(TestHelpFile)
#include "test_helpfile.moc"
