#include "HelpFile.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zorbel::help {

QStringList folders()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    // Beside the program in the build folder; bin/../share/zorbel/help once installed under any
    // prefix; then the desktop's data folders, for a program started from somewhere else.
    QStringList list{exeDir + QStringLiteral("/help"),
                     QDir::cleanPath(exeDir + QStringLiteral("/../share/zorbel/help"))};
    for (const QString& d : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("zorbel/help"),
                                                      QStandardPaths::LocateDirectory))
        if (!list.contains(QDir::cleanPath(d)))
            list << QDir::cleanPath(d);
    return list;
}

QString findPage(const QStringList& folders, bool german)
{
    const QString wanted = german ? QStringLiteral("de.html") : QStringLiteral("en.html");
    const QString other = german ? QStringLiteral("en.html") : QStringLiteral("de.html");
    for (const QString& name : {wanted, other})
        for (const QString& folder : folders) {
            const QFileInfo file(folder + QLatin1Char('/') + name);
            if (file.isFile() && file.isReadable())
                return file.absoluteFilePath();
        }
    return {};
}

QString page(bool german) { return findPage(folders(), german); }

} // namespace zorbel::help
