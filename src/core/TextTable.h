#pragma once
#include <QString>

// The extracted text table, held in memory: a window's captions make a score of lookups at
// every activation, and reading the file for each one cost more than all the rest.
namespace zorbel::texts {

// The value of key in section "Lang" of file, by the private-profile rules. The file is read
// when the language (the key's first digit) changes and kept in memory in between; a table
// that has vanished since it was read is extracted into the file again first. Never fails:
// a file that cannot be had gives "".
QString lookup(const QString& file, const QString& key);

} // namespace zorbel::texts
