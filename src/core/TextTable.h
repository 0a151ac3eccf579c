#pragma once
#include <QString>

// The extracted text table, held in memory: a window's captions make a score of lookups at
// every activation, and reading the file for each one cost more than all the rest.
namespace zorbel::texts {

// The value of key in section "Lang" of file, by the private-profile rules. The file is read
// again only when it changed; when it has vanished (a cleaner of the temporary folder), the
// table is extracted into it again first. Never fails: a file that cannot be had gives "".
QString lookup(const QString& file, const QString& key);

} // namespace zorbel::texts
