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
    if (g_folder.isEmpty()) {
        // Logs and the saved protocol live in the user's own data folder, never beside the
        // executable: that folder may be shared with others (a program run from /tmp).
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        g_folder = withSeparator(data + QStringLiteral("/zorbel"));
    }
    return g_folder;
}

void setProgramFolder(const QString& folder) { g_folder = withSeparator(folder); }

QString picsFolder()
{
    // Where a parent looks for a child's drawings, on every platform.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (pictures.isEmpty())
        return programFolder() + QStringLiteral("pics/");
    return withSeparator(pictures + QStringLiteral("/Zorbel"));
}

} // namespace zorbel::app
