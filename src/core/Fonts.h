#pragma once
#include <QFont>
#include <QString>

// The program names its fonts as Windows does ("Times New Roman", "MS Sans Serif",
// "Arial Black", "Wingdings"). Free look-alikes are built in, so every window looks the
// same on every machine.
namespace zorbel::fonts {

// Registers the built-in fonts; call once after the application object exists.
void install();
// The built-in family that stands in for a Windows font name.
QString family(const QString& windowsName);
QFont font(const QString& windowsName, double points, bool bold = false, bool italic = false);

} // namespace zorbel::fonts
