#pragma once
#include <QString>

namespace zorbel::glyphs {

// The character a button shows for a symbol-font code: the Unicode symbol that carries the same
// picture (Wingdings codes), or the code itself for a text font (the Help button's "?").
QString forCode(int code, const QString& windowsFont = QStringLiteral("Wingdings"));

} // namespace zorbel::glyphs
