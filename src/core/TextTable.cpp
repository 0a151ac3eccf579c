#include "TextTable.h"
#include "ModResFiles.h"
#include "ProfileReader.h"
#include "Resources.h"
#include <QFileInfo>
#include <QHash>

namespace zorbel::texts {

namespace {
struct Cache {
    QString file;
    QChar language; // the first digit of the keys looked up since the table was read
    QHash<QString, QString> values;
    bool filled = false;
    bool wasRead = false; // the file has been read once, so it was extracted
};
} // namespace

QString lookup(const QString& file, const QString& key)
{
    static Cache cache;
    const QChar language = key.isEmpty() ? QChar() : key.front();
    if (!cache.filled || cache.file != file || cache.language != language) {
        if (cache.file != file)
            cache.wasRead = false;
        // A table that was there and has gone was removed behind our back: put it back. One
        // that was never there could not be written at the start, which has reported it.
        if (cache.wasRead && !QFileInfo::exists(file)) {
            try {
                ModResFiles::WriteResItem(res::id::TextTable, QStringLiteral("CUSTOM"), file);
            } catch (...) {
                // Lookups never fail: the texts stay empty.
            }
        }
        const std::optional<QByteArray> bytes = profile::readFile(file);
        cache.values = bytes ? profile::sectionValues(*bytes, QStringLiteral("Lang")) : QHash<QString, QString>();
        cache.wasRead = cache.wasRead || bytes.has_value();
        cache.file = file;
        cache.language = language;
        cache.filled = true;
    }
    return cache.values.value(key.toLower());
}

} // namespace zorbel::texts
