#include "Allgemein.h"
#include "AppInfo.h"
#include "Basic.h"
#include "Forms.h"
#include "Platform.h"
#include "Resources.h"
#include "Settings.h"
#include "TextTable.h"
#include "core/failure/Failure.h"
#include <QDir>
#include <QFileInfo>
#include <QHash>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace zorbel;

namespace Allgemein {

int16_t Sound = 0;
int16_t Image = 0;
int16_t Width = 0;
int32_t Color = 0;
int16_t PSize = 0;
int16_t CShow = 0;
int16_t Gitter = 0;
int16_t Sprache = 0;
QString LangFile;
bool StartScreen = false;
bool DrawShown = false;
QString PicFile;
int16_t CurrentStep = 0;

namespace {
QByteArray g_soundData;

// The sounds are a few kilobytes each: loaded once, then shared with every later play.
const QByteArray& soundBytes(int16_t id)
{
    static QHash<int16_t, QByteArray> loaded;
    auto it = loaded.find(id);
    if (it == loaded.end())
        it = loaded.insert(id, res::LoadResData(id, QStringLiteral("WAV")));
    return *it;
}

QString option(const char* key, int def)
{
    return settings::GetSetting(app::kTitle, app::kSection, QLatin1String(key), QString::number(def));
}

// Any non-zero number is on (-1), so a "1" written by hand neither reads as off nor sticks.
int16_t asBoolean(int16_t v) { return v != 0 ? -1 : 0; }

void store(const char* key, qint64 value)
{
    settings::SaveSetting(app::kTitle, app::kSection, QLatin1String(key), QString::number(value));
}
} // namespace

void LoadConfig()
{
    // An option that could not be read keeps its default: a zero width or template number
    // written back at the end would break every later start.
    Sound = -1;
    Image = 1;
    Width = 5;
    Color = 0;
    PSize = CShow = Gitter = -1;
    Proc p("LoadConfig", "Allgemein");
    p(20, [] {
        settings::CheckReadable(app::kTitle);
        Sound = asBoolean(basic::CInt(option("Sound", -1)));
    });
    p(30, [] { Image = basic::CInt(option("Image", 1)); });
    p(40, [] { Width = basic::CInt(option("Width", 5)); });
    p(50, [] { Color = basic::CLng(option("Color", 0)); });
    p(60, [] { PSize = asBoolean(basic::CInt(option("PSize", -1))); });
    p(70, [] { CShow = asBoolean(basic::CInt(option("CShow", -1))); });
    p(80, [] { Gitter = asBoolean(basic::CInt(option("Gitter", -1))); });
}

void SaveConfig()
{
    Proc p("SaveConfig", "Allgemein");
    p(20, [] { store("Sound", Sound); });
    p(30, [] { store("Width", Width); });
    p(40, [] { store("Image", Image); });
    p(50, [] { store("Color", Color); });
    p(60, [] { store("PSize", PSize); });
    p(70, [] { store("CShow", CShow); });
    p(80, [] { store("Gitter", Gitter); });
}

void SaveLanguage() { store("Sprache", Sprache); }

QString GetLang(int16_t id)
{
    QString result;
    QString key;
    Proc p("GetLang", "Allgemein");
    p(30, [&] { key = QStringLiteral("%1").arg(int(id), 4, 10, QLatin1Char('0')); });
    p(40, [&] { result = texts::lookup(LangFile, key); });
    return result;
}

namespace {
#ifdef Q_OS_UNIX
// A folder made under a random name because ours was taken; nothing will find it again.
QString g_ownTempFolder;

// A folder found open to others may hold anything they put there: keep only our own plain
// files, each with a single name. False when something cannot be removed.
bool emptyOfForeign(const QString& folder)
{
    bool clean = true;
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0)
            continue;
        if (S_ISREG(st.st_mode) && st.st_uid == ::getuid() && st.st_nlink == 1)
            continue;
        const bool gone = S_ISDIR(st.st_mode) ? QDir(QFile::decodeName(path)).removeRecursively() : ::unlink(path.constData()) == 0;
        clean = clean && gone;
    }
    return clean;
}

// A folder of our own inside a temporary directory that other users can write to, so nobody
// else can plant a link at our file name or keep it from being written.
QString privateTempFolder(const QString& base)
{
    const QByteArray path = QFile::encodeName(base + QStringLiteral("/zorbel-%1").arg(::getuid()));
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 && errno == ENOENT && ::mkdir(path.constData(), 0700) == 0)
        return QFile::decodeName(path);
    if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()) {
        if ((st.st_mode & 077) == 0)
            return QFile::decodeName(path);
        // Shut it first, so nothing new comes in while it is emptied.
        if (::chmod(path.constData(), 0700) == 0 && emptyOfForeign(QFile::decodeName(path)))
            return QFile::decodeName(path);
    }
    // The name is taken by someone else: make a fresh folder with a random name.
    if (!g_ownTempFolder.isEmpty() && QFileInfo(g_ownTempFolder).isDir())
        return g_ownTempFolder;
    QByteArray pattern = path + "-XXXXXX";
    if (::mkdtemp(pattern.data())) {
        g_ownTempFolder = QFile::decodeName(pattern);
        return g_ownTempFolder;
    }
    throw VbError(vberr::PermissionDenied);
}

// TMPDIR may name a folder that is gone, a file, or a folder we may not write to.
bool usableBase(const QString& base)
{
    struct stat st {};
    const QByteArray native = QFile::encodeName(base);
    return !base.isEmpty() && ::stat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode)
        && ::access(native.constData(), W_OK | X_OK) == 0;
}
#endif

QString tempFolder()
{
    QString base = QDir::tempPath();
#ifdef Q_OS_UNIX
    if (!usableBase(base))
        base = QStringLiteral("/tmp");
    struct stat st {};
    const QByteArray native = QFile::encodeName(base);
    if (::stat(native.constData(), &st) == 0 && (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        base = privateTempFolder(base);
#endif
    return base;
}
} // namespace

void RemoveOwnTempFolder()
{
#ifdef Q_OS_UNIX
    if (!g_ownTempFolder.isEmpty())
        QDir(g_ownTempFolder).removeRecursively();
    g_ownTempFolder.clear();
#endif
}

QString GetTempDir()
{
    QString buffer;
    Proc p("GetTempDir", "Allgemein");
    p(40, [&] { buffer = QDir::toNativeSeparators(tempFolder()) + QDir::separator(); });
    p(50, [&] { buffer = TrimNull(buffer); });
    return buffer;
}

QString TrimNull(const QString& s)
{
    const qsizetype pos = s.indexOf(QChar(0));
    return pos >= 0 ? s.left(pos) : s;
}

void PlayWAV(int16_t id)
{
    Proc p("PlayWAV", "Allgemein");
    p(20, [&] { g_soundData = soundBytes(id); });
    p(30, [&] { platform::sound().play(id, g_soundData); });
}

const QByteArray& SoundData() { return g_soundData; }

void EndProgram()
{
    // Every step is skipped silently when it fails: the program is going anyway.
    try {
        SaveConfig();
    } catch (...) {
    }
    for (int i = Forms::count() - 1; i >= 0; --i) {
        try {
            Forms::unload(Forms::at(i));
        } catch (...) {
        }
    }
    if (Forms::count() > 0)
        endProgramNow();
}

} // namespace Allgemein
