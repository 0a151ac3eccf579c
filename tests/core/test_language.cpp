// The built-in text table: its bytes, its extraction to the temporary folder and the lookups.
#include "TestSupport.h"
#include "core/Allgemein.h"
#include "core/ModResFiles.h"
#include "core/ProfileReader.h"
#include "core/Resources.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorbel;
using namespace Allgemein;

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <class F>
void withTmpDir(const QString& tmp, F&& run)
{
    const QByteArray old = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp));
    run();
    qputenv("TMPDIR", old);
}

// A temporary folder that every user may write to, as /tmp is.
QString sharedFolder(const QString& name)
{
    const QString shared = test::scratchFolder() + name;
    QDir().mkpath(shared);
    ::chmod(QFile::encodeName(shared).constData(), 01777);
    return shared;
}

void extract()
{
    LangFile = GetTempDir() + QStringLiteral("~tmp.lng");
    ModResFiles::SaveResItemToDisk(res::id::TextTable, QStringLiteral("CUSTOM"), LangFile);
}
} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        test::resetFakes();
        extract();
    }

    void tableBytesHaveTheStoredForm()
    {
        const QByteArray t = res::LoadResData(res::id::TextTable, QStringLiteral("CUSTOM"));
        QVERIFY(t.startsWith("[lang]    \r\n"));
        QVERIFY(t.endsWith(QByteArray("\r\n") + QByteArray(3, '\0')));
        QVERIFY(!t.contains("\n\n"));
        QCOMPARE(t.count("\n"), t.count("\r\n"));
        QVERIFY(t.contains("0114 = Wirklich schon aufh\xf6ren?\r\n")); // Windows-1252, not UTF-8
        QVERIFY(t.contains("5130 = \r\n"));
        QVERIFY(t.contains("1119 = Sound effects\t\r\n"));
        QCOMPARE(t.count("3134 = "), 2);
        QCOMPARE(t.count("3142 = "), 2);
        QCOMPARE(readAll(LangFile), t);
    }

    void everyKeyHasAllSevenLanguages()
    {
        const QByteArray t = res::LoadResData(res::id::TextTable, QStringLiteral("CUSTOM"));
        std::map<QString, int> languages;
        for (const QByteArray& line : t.split('\n')) {
            if (line.size() > 5 && line[4] == ' ' && line[5] == '=')
                languages[QString::fromLatin1(line.mid(1, 3))] |= 1 << (line[0] - '0');
        }
        QCOMPARE(languages.size(), size_t(31));
        for (const auto& [id, mask] : languages)
            QVERIFY2(mask == 0x7F, qPrintable(id));
    }

    void lookupsOfTheTable()
    {
        QCOMPARE(GetLang(1114), QStringLiteral("Really end program?"));
        QCOMPARE(GetLang(114), QStringLiteral("Wirklich schon aufh\u00f6ren?"));
        QCOMPARE(GetLang(3134), QString());
        QCOMPARE(GetLang(3142), QString());
        QCOMPARE(GetLang(5130), QString());
        QCOMPARE(GetLang(1999), QString());
        QCOMPARE(GetLang(1119), QStringLiteral("Sound effects"));
        QCOMPARE(GetLang(119), QStringLiteral("Ger\u00e4uscheffekte"));
        QCOMPARE(GetLang(4126), QStringLiteral("\u00a1Atenci\u00f3n!"));
        QCOMPARE(GetLang(100), QStringLiteral("Zorbel"));
        QCOMPARE(GetLang(6143), QString());
    }

    void everyTextOfTheSourceComesBack()
    {
        QFile src(QStringLiteral(ZORBEL_SOURCE_DIR "/assets/lang/texts.txt"));
        QVERIFY(src.open(QIODevice::ReadOnly));
        std::map<int, QString> first;
        for (QString line : QString::fromUtf8(src.readAll()).split(QLatin1Char('\n'))) {
            if (line.size() < 6 || !line[0].isDigit())
                continue;
            const int key = line.left(4).toInt();
            QString value = line.mid(6).replace(QStringLiteral("\\t"), QStringLiteral("\t")).replace(QStringLiteral("\\s"), QStringLiteral(" "));
            first.try_emplace(key, value.trimmed());
        }
        QCOMPARE(first.size(), size_t(7 * 31));
        for (const auto& [key, value] : first)
            QVERIFY2(GetLang(int16_t(key)) == value, qPrintable(QString::number(key)));
    }

    void missingFileGivesEmptyTexts()
    {
        const QString saved = LangFile;
        LangFile = QStringLiteral("/nonexistent/~tmp.lng");
        QCOMPARE(GetLang(1114), QString());
        LangFile = saved;
        QVERIFY(test::reporter().reports.empty());
    }

    void staleLongerFileKeepsItsTailAndTheTableWins()
    {
        const QByteArray table = readAll(LangFile);
        QByteArray stale = "[lang]\r\n1114 = Stale text\r\n" + QByteArray(table.size(), 'x') + "\r\n1999 = tail\r\n";
        {
            QFile f(LangFile);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(stale);
        }
        extract();
        const QByteArray now = readAll(LangFile);
        QCOMPARE(now.size(), stale.size());
        QCOMPARE(now.left(table.size()), table);
        QCOMPARE(now.mid(table.size()), stale.mid(table.size()));
        QCOMPARE(GetLang(1114), QStringLiteral("Really end program?"));
    }

    void theTableIsReadOncePerLanguageAndPutBackWhenItVanished()
    {
        QCOMPARE(GetLang(1114), QStringLiteral("Really end program?"));
        // Someone else changes the file: the next language reads what it holds now.
        {
            QFile f(LangFile);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("[LANG]\r\n1114 = Changed\r\n6114 = Autre\r\n");
        }
        QCOMPARE(GetLang(1115), QStringLiteral("End program")); // from memory
        QCOMPARE(GetLang(6114), QStringLiteral("Autre"));
        QCOMPARE(GetLang(1114), QStringLiteral("Changed"));
        QCOMPARE(GetLang(1115), QString());
        // A cleaner of the temporary folder deletes it: the texts stay, and the next language
        // finds the table extracted again.
        QVERIFY(QFile::remove(LangFile));
        QCOMPARE(GetLang(1114), QStringLiteral("Changed"));
        QCOMPARE(GetLang(114), QStringLiteral("Wirklich schon aufh\u00f6ren?"));
        QCOMPARE(GetLang(2115), QStringLiteral("Sluta"));
        QCOMPARE(GetLang(1114), QStringLiteral("Really end program?"));
        QCOMPARE(readAll(LangFile), res::LoadResData(res::id::TextTable, QStringLiteral("CUSTOM")));
        QVERIFY(test::reporter().reports.empty());
    }

    void sectionValuesFollowTheLookupRules()
    {
        const QByteArray ini = "[Other]\r\nk = other\r\n[LANG]\r\n  K  =\t  first  \t\r\nk = second\r\nlong = "
            + QByteArray(300, 'a') + "\r\n[next]\r\nz = 1\r\n[lang]\r\nlate = yes\r\n";
        const QHash<QString, QString> v = profile::sectionValues(ini, QStringLiteral("Lang"));
        QCOMPARE(v.size(), 3);
        for (const QString& key : {QStringLiteral("k"), QStringLiteral("long"), QStringLiteral("late"), QStringLiteral("z")})
            QCOMPARE(v.value(key), profile::lookup(ini, QStringLiteral("Lang"), key));
    }

    void privateProfileRules()
    {
        const QByteArray ini = "[Other]\r\nk = other\r\n[LANG]\r\n  K  =\t  first  \t\r\nk = second\r\nlong = "
            + QByteArray(300, 'a') + "\r\n[next]\r\nz = 1\r\n";
        QCOMPARE(profile::lookup(ini, QStringLiteral("lang"), QStringLiteral("k")), QStringLiteral("first"));
        QCOMPARE(profile::lookup(ini, QStringLiteral("Lang"), QStringLiteral("long")).size(), 254);
        QCOMPARE(profile::lookup(ini, QStringLiteral("lang"), QStringLiteral("z"), QString(255, QLatin1Char(' '))), QString());
        QCOMPARE(profile::lookup(ini, QStringLiteral("none"), QStringLiteral("k"), QStringLiteral(" d ")), QStringLiteral("d"));
    }

    void trimNull()
    {
        QCOMPARE(TrimNull(QStringLiteral("abc")), QStringLiteral("abc"));
        QCOMPARE(TrimNull(QString(QChar(0)) + QStringLiteral("abc")), QString());
        QCOMPARE(TrimNull(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")), QStringLiteral("ab"));
    }

    void sharedTemporaryFolderGetsAPrivateOne()
    {
        const QString shared = test::scratchFolder() + QStringLiteral("/shared-tmp");
        QDir().mkpath(shared);
        ::chmod(QFile::encodeName(shared).constData(), 01777);
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(shared));
        const QString dir = GetTempDir();
        qputenv("TMPDIR", oldTmp);
        QVERIFY(dir.startsWith(shared + QLatin1Char('/')));
        QVERIFY(dir.endsWith(QLatin1Char('/')));
        struct stat st {};
        QCOMPARE(::lstat(QFile::encodeName(dir).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0700);
        QVERIFY(S_ISDIR(st.st_mode));
    }

    void privateFolderTakenBySomethingElseIsNotUsed()
    {
        const QString shared = test::scratchFolder() + QStringLiteral("/shared-tmp2");
        QDir().mkpath(shared);
        ::chmod(QFile::encodeName(shared).constData(), 01777);
        // Someone planted a link where our folder would be.
        const QString planted = shared + QStringLiteral("/zorbel-%1").arg(::getuid());
        QVERIFY(QFile::link(test::scratchFolder(), planted));
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(shared));
        const QString dir = GetTempDir();
        qputenv("TMPDIR", oldTmp);
        QVERIFY(!dir.startsWith(planted + QLatin1Char('/')));
        QVERIFY(!QFileInfo(dir.chopped(1)).isSymLink());
    }

    void foreignThingsInTheTemporaryFolderNeitherBlockNorStay()
    {
        const QString shared = sharedFolder(QStringLiteral("/shared-loose"));
        const QString own = shared + QStringLiteral("/zorbel-%1").arg(::getuid());
        QVERIFY(QDir().mkpath(own));
        ::chmod(QFile::encodeName(own).constData(), 0777); // found open to everybody
        const QByteArray fifo = QFile::encodeName(own + QStringLiteral("/~tmp.lng"));
        QCOMPARE(::mkfifo(fifo.constData(), 0666), 0);
        const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK); // so a blocking open would pass
        { QFile f(own + QStringLiteral("/mine.txt")); QVERIFY(f.open(QIODevice::WriteOnly)); }
        QVERIFY(QFile::link(own + QStringLiteral("/mine.txt"), own + QStringLiteral("/planted-link")));
        withTmpDir(shared, [] { extract(); });
        ::close(reader);
        struct stat st {};
        QCOMPARE(::lstat(QFile::encodeName(own).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0700);
        QCOMPARE(QDir(own).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("mine.txt"), QStringLiteral("~tmp.lng")}));
        QVERIFY(QFileInfo(LangFile).isFile());
        QCOMPARE(GetLang(1114), QStringLiteral("Really end program?"));
        QVERIFY(test::reporter().reports.empty());

        // A FIFO at the name itself is refused at once, reader or not.
        const QByteArray direct = QFile::encodeName(GetTempDir() + QStringLiteral("fifo.lng"));
        QCOMPARE(::mkfifo(direct.constData(), 0600), 0);
        const int reader2 = ::open(direct.constData(), O_RDONLY | O_NONBLOCK);
        ModResFiles::SaveResItemToDisk(res::id::TextTable, QStringLiteral("CUSTOM"), QFile::decodeName(direct));
        ::close(reader2);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 70);
        QCOMPARE(test::reporter().reports[0].line, 40);
        // Reading through it never blocks either: there is simply no table there.
        QVERIFY(!profile::readFile(QFile::decodeName(direct)));
    }

    void unusableTmpDirFallsBackToTmp()
    {
        const QString file = test::scratchFolder() + QStringLiteral("/a-file");
        { QFile f(file); QVERIFY(f.open(QIODevice::WriteOnly)); }
        for (const QString& tmp : {QStringLiteral("/nonexistent"), file}) {
            QString dir;
            withTmpDir(tmp, [&] { dir = GetTempDir(); });
            QVERIFY2(dir.startsWith(QStringLiteral("/tmp/")), qPrintable(dir));
        }
        QVERIFY(test::reporter().reports.empty());
    }

    void aFolderMadeUnderARandomNameGoesAtTheEnd()
    {
        const QString shared = sharedFolder(QStringLiteral("/shared-taken"));
        QVERIFY(QFile::link(test::scratchFolder(), shared + QStringLiteral("/zorbel-%1").arg(::getuid())));
        QString first, second;
        withTmpDir(shared, [&] {
            first = GetTempDir();
            second = GetTempDir();
        });
        QCOMPARE(second, first); // one folder per run, not one per call
        QVERIFY(QFileInfo(first).isDir());
        RemoveOwnTempFolder();
        QVERIFY(!QFileInfo::exists(first));
        QVERIFY(QFileInfo(test::scratchFolder()).isDir()); // never through the planted link
        // The usual private folder stays, and with it the text table, for the next start.
        QString usual;
        withTmpDir(sharedFolder(QStringLiteral("/shared-free")), [&] { usual = GetTempDir(); });
        RemoveOwnTempFolder();
        QVERIFY(QFileInfo(usual).isDir());
    }

    void aFullDiskIsError61()
    {
        // A file size limit fails the write as a full disk does, also for a privileged user.
        struct rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        ::signal(SIGXFSZ, SIG_IGN);
        const QString file = GetTempDir() + QStringLiteral("full.lng");
        struct rlimit small = old;
        small.rlim_cur = 100;
        ::setrlimit(RLIMIT_FSIZE, &small);
        ModResFiles::SaveResItemToDisk(res::id::TextTable, QStringLiteral("CUSTOM"), file);
        ::setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 61);
        QCOMPARE(test::reporter().reports[0].line, 50); // the writing statement, not the opening one
    }

    void extractionNeverFollowsALink()
    {
        const QString target = test::scratchFolder() + QStringLiteral("/victim.txt");
        QFile::remove(target);
        { QFile f(target); QVERIFY(f.open(QIODevice::WriteOnly)); f.write("keep"); }
        const QString link = GetTempDir() + QStringLiteral("linked.lng");
        QVERIFY(QFile::link(target, link));
        QCOMPARE(ModResFiles::SaveResItemToDisk(res::id::TextTable, QStringLiteral("CUSTOM"), link), 0);
        QCOMPARE(readAll(target), QByteArray("keep"));
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].procedure, QStringLiteral("SaveResItemToDisk"));
        QCOMPARE(test::reporter().reports[0].line, 40);
    }

    void extractionOpensWritesAndClosesInItsOwnStatements()
    {
        {
            test::StatementTrace trace("SaveResItemToDisk");
            ModResFiles::SaveResItemToDisk(res::id::TextTable, QStringLiteral("CUSTOM"), GetTempDir() + QStringLiteral("t.lng"));
            QCOMPARE(trace.lines, (std::vector<int>{20, 40, 50, 60, 70}));
        }
    }
};

ZORBEL_TEST_MAIN(TestLanguage)
#include "test_language.moc"
