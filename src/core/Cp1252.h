#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

// Windows-1252, the code page of the text table: Latin-1 plus the printable
// characters Windows puts at 0x80..0x9F (euro sign, typographic quotes, dashes).
namespace zorbel::cp1252 {

QString decode(QByteArrayView bytes);
// Empty when a character has no Windows-1252 code.
std::optional<QByteArray> encode(QStringView text);

} // namespace zorbel::cp1252
