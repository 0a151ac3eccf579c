#pragma once
#include <QString>

// The per-user settings store, text values by application title, section and key.
// Linux keeps an INI file under the user's configuration folder; Windows keeps the
// registry branch where classic Basic programs stored theirs, so old settings carry over.
namespace zorbel::settings {

// The default when the store is not a regular file: CheckReadable reports that.
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def = {});
// Throws error 75 when the store cannot be written or is not a regular file.
void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);
// Throws error 75 when a store exists but cannot be read; a missing store is fine.
void CheckReadable(const QString& app);
// The file or registry path, for the README and for tests.
QString storeLocation(const QString& app);

} // namespace zorbel::settings
