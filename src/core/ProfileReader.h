#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// Looks a key up in INI text with the rules of the platform's private-profile functions:
// the section name matches without regard to case, keys and values are stripped of blanks
// and tabs, the first matching line wins, values are cut to 254 characters, and a missing
// section, key or file gives the default.
namespace zorbel::profile {

constexpr int kMaxValue = 254;

QString lookup(const QByteArray& iniBytes, const QString& section, const QString& key, const QString& def = {});
QString lookupFile(const QString& path, const QString& section, const QString& key, const QString& def = {});

// Every key of the section with the value lookup() gives for it; keys in lower case.
QHash<QString, QString> sectionValues(const QByteArray& iniBytes, const QString& section);
// The file's bytes; nullopt when it cannot be read.
std::optional<QByteArray> readFile(const QString& path);

} // namespace zorbel::profile
