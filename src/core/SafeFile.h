#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

// Writing the program's own files so that nobody else can redirect them: a link at the final
// name is never followed, and a folder that others can write to is never used as it is.
namespace zorbel::files {

// The error number for a failed write: 61 "Disk full" when the disk, the quota or the file size
// limit leaves no room, 70 for a refused link or missing rights, 57 for any other fault.
int32_t writeError(int err);
#ifdef Q_OS_UNIX
// Writes every byte to fd, going on after interruptions; a failure throws writeError's number.
void writeAll(int fd, const QByteArray& bytes);
#endif

// Makes the folder (and its parents) when missing and makes sure it is a real folder of this
// user that nobody else can write to; error 70 when it is not and cannot be made so.
void ensureOwnFolder(const QString& folder);

// True when the file, with its links resolved, and every folder above it belong to root or this
// user and nobody else may write to them: only then may code be loaded from it.
bool trustedPath(const QString& path);

// Writes the bytes to a new file beside path and renames it over path, so a failed write keeps
// the old file. A link at path is refused with error 70, a write-protected file too.
void replaceFile(const QString& path, const QByteArray& bytes);

// Removes what replaceFile left in each folder when it was stopped before its rename: its own
// temporary files of this user, older than a minute. Links are never followed, not even to the
// folder itself.
void removeLeftovers(const QStringList& folders);

// Appends to the file, creating it; false when that is impossible or path is a link.
bool appendToFile(const QString& path, const QByteArray& bytes);

} // namespace zorbel::files
