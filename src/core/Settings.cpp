#include "Settings.h"
#include "core/failure/VbError.h"
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#endif

namespace zorbel::settings {

namespace {
// Only a regular file, or none yet, is a store: opening a FIFO would wait for a writer for ever,
// a device would be read without end, and either would be written to.
bool plainOrAbsent(const QString& app)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(storeLocation(app));
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT;
    return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
#else
    Q_UNUSED(app);
    return true;
#endif
}

std::unique_ptr<QSettings> open(const QString& app)
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + app,
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(storeLocation(app), QSettings::IniFormat);
#endif
}
} // namespace

QString storeLocation(const QString& app)
{
#ifdef Q_OS_WIN
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + app;
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + app
        + QStringLiteral("/settings.ini");
#endif
}

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def)
{
    if (!plainOrAbsent(app))
        return def;
    const auto s = open(app);
    const QVariant v = s->value(section + QLatin1Char('/') + key);
    return v.isValid() ? v.toString() : def;
}

void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value)
{
    if (!plainOrAbsent(app))
        throw VbError(vberr::PathFileAccess);
    const auto s = open(app);
    s->setValue(section + QLatin1Char('/') + key, value);
    s->sync();
    // A format status only says that odd lines (a byte-order mark, junk) were skipped on reading;
    // the value was written all the same.
    if (s->status() == QSettings::AccessError)
        throw VbError(vberr::PathFileAccess);
}

void CheckReadable(const QString& app)
{
#ifdef Q_OS_WIN
    Q_UNUSED(app);
#else
    if (!plainOrAbsent(app) || (QFileInfo::exists(storeLocation(app)) && open(app)->status() == QSettings::AccessError))
        throw VbError(vberr::PathFileAccess);
#endif
}

} // namespace zorbel::settings
