#include "PropertyBag.h"
#include <algorithm>

namespace zorbel {

std::vector<std::pair<QString, QVariant>>::const_iterator PropertyBag::find(const QString& key) const
{
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const auto& e) { return e.first.compare(key, Qt::CaseInsensitive) == 0; });
}

QVariant PropertyBag::ReadProperty(const QString& key, const QVariant& def) const
{
    const auto it = find(key);
    return it == m_entries.end() ? def : it->second;
}

void PropertyBag::WriteProperty(const QString& key, const QVariant& value, const QVariant& def)
{
    const auto it = find(key);
    if (it != m_entries.end())
        m_entries.erase(it);
    if (value == def)
        return;
    m_entries.emplace_back(key.toLower(), value);
}

bool PropertyBag::contains(const QString& key) const { return find(key) != m_entries.end(); }

QStringList PropertyBag::keys() const
{
    QStringList list;
    for (const auto& e : m_entries)
        list << e.first;
    return list;
}

} // namespace zorbel
