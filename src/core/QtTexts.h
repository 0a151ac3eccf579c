#pragma once

// Qt's own texts (the standard buttons of message boxes and of the input box: "Ja", "Nein",
// "Abbrechen") follow the program's language; the program's own texts come from its table.
namespace zorbel::qttexts {

// Installs the catalogs built into the program. From then on every Qt text is looked up in the
// catalog of the language the program uses at that moment, so a flag click switches them too.
void install();

} // namespace zorbel::qttexts
