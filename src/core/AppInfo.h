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

// The per-user data folder where the error log and the saved error protocol live.
// Ends with a separator.
QString programFolder();
// Tests point it at a fresh folder.
void setProgramFolder(const QString& folder);

// The drawings folder: "Zorbel" in the user's Pictures folder, with a trailing separator.
QString picsFolder();

} // namespace zorbel::app
