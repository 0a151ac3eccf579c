#include "Backends.h"
#include "SafeFile.h"
#include <QDir>
#include <QLibrary>
#include <array>
#include <cstring>

namespace zorbel::backends {

// The folder the modules are loaded from: the build's, written here when the program is built,
// and overwritten with the installation's own when it is installed (tools/moduledir). Never a
// folder found at run time, which whoever places a copy of the program would choose.
char g_moduleFolderField[4096] = "zorbel-module-folder:" ZORBEL_MODULE_DIR;

namespace {
constexpr std::size_t kMarker = sizeof("zorbel-module-folder:") - 1;
constexpr std::array<const char*, 2> kFiles = {ZORBEL_PRINT_MODULE, ZORBEL_SOUND_MODULE};

QString moduleFolder()
{
    // The field is changed after compiling: its contents must be read, never assumed.
    const char* volatile field = g_moduleFolderField;
    return QFile::decodeName(field + kMarker);
}
} // namespace

void setModuleFolder(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder).left(sizeof(g_moduleFolderField) - kMarker - 1);
    std::memcpy(g_moduleFolderField + kMarker, name.constData(), size_t(name.size()) + 1);
}

QFunctionPointer resolve(Module module, const char* function)
{
    static std::array<bool, kFiles.size()> warned{};
    const QString path = moduleFolder() + QLatin1Char('/') + QLatin1String(kFiles[module]);
    // A module that others could have changed is never loaded: it counts as missing.
    const bool trusted = QDir::isAbsolutePath(path) && files::trustedPath(path);
    // The library stays loaded when this handle goes: what it hands out lives as long as the program.
    QLibrary library(path);
    if (const QFunctionPointer f = trusted && library.load() ? library.resolve(function) : nullptr)
        return f;
    if (!warned[module]) {
        warned[module] = true;
        qWarning("%s", trusted ? qPrintable(library.errorString()) : qPrintable(path + QStringLiteral(": not trusted, not loaded")));
    }
    return nullptr;
}

} // namespace zorbel::backends
