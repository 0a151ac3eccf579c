#include "AppInfo.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zorbel::app {

namespace {
QString g_folder;

QString withSeparator(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
} // namespace

int versionMajor() { return ZORBEL_VERSION_MAJOR; }
int versionMinor() { return ZORBEL_VERSION_MINOR; }
int versionRevision() { return ZORBEL_VERSION_PATCH; }

QString programName()
{
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? QStringLiteral("zorbel") : QFileInfo(path).completeBaseName();
}

QString programFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable()) {
        g_folder = withSeparator(exeDir);
    } else {
        // Installed under a system folder: keep the child's drawings in the user's data folder.
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QDir().mkpath(data + QStringLiteral("/zorbel"));
        g_folder = withSeparator(data + QStringLiteral("/zorbel"));
    }
    return g_folder;
}

void setProgramFolder(const QString& folder) { g_folder = withSeparator(folder); }

QString picsFolder() { return programFolder() + QStringLiteral("pics/"); }

} // namespace zorbel::app
