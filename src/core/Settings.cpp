#include "Settings.h"
#include "core/failure/VbError.h"
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
    if (s->status() != QSettings::NoError)
        throw VbError(vberr::PathFileAccess);
}

} // namespace zorbel::settings
