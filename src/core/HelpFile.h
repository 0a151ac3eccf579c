#pragma once
#include <QString>
#include <QStringList>

// Finds the help pages: help/de.html and help/en.html beside the built program, or in the
// installed data folder share/zorbel/help.
namespace zorbel::help {

// The folders that may hold the pages, most likely first.
QStringList folders();
// The page for the language (German for German, English for every other), or the other
// language's page when only that one is there; empty when there is none at all.
QString findPage(const QStringList& folders, bool german);
// findPage over folders().
QString page(bool german);

} // namespace zorbel::help
