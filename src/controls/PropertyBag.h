#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

namespace zorbel {

// The stored properties of one control instance: keys without regard to letter case, kept in
// lower case in the order they were written. A property equal to its default is not stored.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;

    // The stored value, or def when nothing is stored under key.
    virtual QVariant ReadProperty(const QString& key, const QVariant& def = {}) const;
    // Stores value under key, or removes the key when value equals def.
    virtual void WriteProperty(const QString& key, const QVariant& value, const QVariant& def = {});

    bool contains(const QString& key) const;
    QStringList keys() const;

private:
    std::vector<std::pair<QString, QVariant>>::const_iterator find(const QString& key) const;
    std::vector<std::pair<QString, QVariant>> m_entries;
};

} // namespace zorbel
