#include "Settings.h"
#include "core/failure/VbError.h"
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace zorbel::settings {

namespace {
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
    const auto s = open(app);
    const QVariant v = s->value(section + QLatin1Char('/') + key);
    return v.isValid() ? v.toString() : def;
}

void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value)
{
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
    const QFileInfo file(storeLocation(app));
    if (!file.exists())
        return;
    if (!file.isFile() || open(app)->status() == QSettings::AccessError)
        throw VbError(vberr::PathFileAccess);
#endif
}

} // namespace zorbel::settings
