#include "TestSupport.h"
#include "core/AppInfo.h"
#include "core/Fonts.h"
#include <QDir>
#include <cstdlib>

namespace zorbel::test {

namespace {
QString g_root;

QString makeFolder(const QString& name)
{
    const QString path = g_root + QLatin1Char('/') + name;
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}
} // namespace

void prepareEnvironment()
{
    QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/zorbel-test-XXXXXX";
    g_root = QString::fromLocal8Bit(::mkdtemp(pattern.data()));
    const QString config = makeFolder(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    // The Pictures folder, where the drawings go, is a fresh one too.
    QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
    if (dirs.open(QIODevice::WriteOnly))
        dirs.write("XDG_PICTURES_DIR=\"" + makeFolder(QStringLiteral("pictures")).toLocal8Bit() + "\"\n");
    qputenv("XDG_DATA_HOME", makeFolder(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", makeFolder(QStringLiteral("run")).toLocal8Bit());
    qputenv("TMPDIR", makeFolder(QStringLiteral("tmp")).toLocal8Bit());
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString scratchFolder() { return g_root; }

void prepareApplication()
{
    fonts::install();
    app::setProgramFolder(makeFolder(QStringLiteral("program")));
    setErrorReporter(&reporter());
    platform::setShell(&shell());
    platform::setDialogs(&dialogs());
    platform::setSound(&sound());
    printing::setPrinters(&noPrinter());
    setEndHook([] { throw ProgramEnded{}; });
}

int16_t ScriptedReporter::OnError(const QString& procedure, const QString& module)
{
    const Failure& f = currentFailure();
    reports.push_back({procedure, module, f.number, f.line, f.description});
    if (answers.empty())
        return Cancel;
    const int16_t a = answers.front();
    answers.pop_front();
    return a;
}

bool FakeDialogs::askYesNo(QWidget*, const QString& text, const QString& title, bool defaultNo, bool icon)
{
    questions.push_back({text, title, defaultNo, icon});
    if (yesNo.empty())
        return false;
    const bool a = yesNo.front();
    yesNo.pop_front();
    return a;
}

QString FakeDialogs::inputBox(QWidget*, const QString& prompt, const QString& title)
{
    prompts.emplace_back(prompt, title);
    if (inputs.empty())
        return {};
    QString a = inputs.front();
    inputs.pop_front();
    return a;
}

printing::ImagePrinters& noPrinter()
{
    static printing::ImagePrinters none = [] {
        printing::ImagePrinters p({210, 297}, 300, {0, 0});
        p.available = false;
        return p;
    }();
    return none;
}

ScriptedReporter& reporter()
{
    static ScriptedReporter r;
    return r;
}
FakeShell& shell()
{
    static FakeShell s;
    return s;
}
FakeDialogs& dialogs()
{
    static FakeDialogs d;
    return d;
}
FakeSound& sound()
{
    static FakeSound s;
    return s;
}

void resetFakes()
{
    reporter() = ScriptedReporter{};
    shell().opened.clear();
    shell().works = true;
    dialogs() = FakeDialogs{};
    sound().played.clear();
}

} // namespace zorbel::test
