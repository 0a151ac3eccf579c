#pragma once
#include <QString>
#include <cstdint>

namespace ModResFiles {

// Writes the resource's bytes at the start of the file without truncating it (a longer file
// keeps its tail) and never through a symbolic link. Always returns 0.
int32_t SaveResItemToDisk(int16_t id, const QString& type, const QString& file);
// The same write without a report: throws VbError when it fails.
void WriteResItem(int16_t id, const QString& type, const QString& file);

} // namespace ModResFiles
