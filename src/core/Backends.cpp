#include "Backends.h"
#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <array>

namespace zorbel::backends {

namespace {
constexpr std::array<const char*, 2> kFiles = {ZORBEL_PRINT_MODULE, ZORBEL_SOUND_MODULE};
} // namespace

QFunctionPointer resolve(Module module, const char* function)
{
    static std::array<bool, kFiles.size()> warned{};
    const QString path = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/zorbel/")
                                         + QLatin1String(kFiles[module]));
    // The library stays loaded when this handle goes: what it hands out lives as long as the program.
    QLibrary library(path);
    if (const QFunctionPointer f = library.load() ? library.resolve(function) : nullptr)
        return f;
    if (!warned[module]) {
        warned[module] = true;
        qWarning("%s", qPrintable(library.errorString()));
    }
    return nullptr;
}

} // namespace zorbel::backends
