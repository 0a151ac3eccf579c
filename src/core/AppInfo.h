#pragma once
#include <QString>

// Facts about the program that several windows need: its title, the maker's
// addresses, its version and the folders where it keeps files.
namespace zorbel::app {

inline const QString kTitle = QStringLiteral("Zorbel III");
inline const QString kSection = QStringLiteral("Optionen");
inline const QString kWebSite = QStringLiteral("https://www.zorbel.example/");
inline const QString kSupportMail = QStringLiteral("support@zorbel.example");

int versionMajor();
int versionMinor();
int versionRevision();

// The program file's name without extension ("zorbel").
QString programName();

// Where the drawings folder "pics" and the error logs live: the executable's folder when
// it is writable, otherwise a per-user data folder. Ends with a separator.
QString programFolder();
// Tests point it at a fresh folder.
void setProgramFolder(const QString& folder);

// The drawings folder inside the program folder, with a trailing separator.
QString picsFolder();

} // namespace zorbel::app
