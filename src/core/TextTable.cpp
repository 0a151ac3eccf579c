#include "TextTable.h"
#include "ModResFiles.h"
#include "ProfileReader.h"
#include "Resources.h"
#include <QDateTime>
#include <QFileInfo>
#include <QHash>

namespace zorbel::texts {

namespace {
// What tells a changed file from the one already read, without opening it.
struct Stamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return {};
    return {true, info.size(), info.lastModified()};
}

struct Cache {
    QString file;
    Stamp stamp;
    QHash<QString, QString> values;
    bool filled = false;
};
} // namespace

QString lookup(const QString& file, const QString& key)
{
    static Cache cache;
    Stamp stamp = stampOf(file);
    if (!stamp.exists) {
        try {
            ModResFiles::WriteResItem(res::id::TextTable, QStringLiteral("CUSTOM"), file);
        } catch (...) {
            // The start reported why the table cannot be written; lookups stay quiet.
        }
        stamp = stampOf(file);
    }
    if (!cache.filled || cache.file != file || !(cache.stamp == stamp)) {
        const std::optional<QByteArray> bytes = stamp.exists ? profile::readFile(file) : std::nullopt;
        cache.values = bytes ? profile::sectionValues(*bytes, QStringLiteral("Lang")) : QHash<QString, QString>();
        cache.file = file;
        cache.stamp = stamp;
        cache.filled = true;
    }
    return cache.values.value(key.toLower());
}

} // namespace zorbel::texts
