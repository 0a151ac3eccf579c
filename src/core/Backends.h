#pragma once
#include <QtGlobal>

// Printing and sound live in modules of their own, loaded when they are first used: the
// libraries behind them (CUPS, TLS, the sound server's client, audio codecs) then cost nothing
// at start, where they made up a third of the libraries loaded.
namespace zorbel::backends {

enum Module { Print, Sound };

// The function from the module, or nullptr (with a warning, once per module) when the module
// or the function is missing. Modules are looked for only in the folder fixed when the program
// was built or installed, and only when nobody but root or the user can change them.
QFunctionPointer resolve(Module module, const char* function);
// Tests load modules from a folder of their own.
void setModuleFolder(const QString& folder);

// What the module's function of that name, taking nothing, hands out; nullptr without it.
template <class T>
T* create(Module module, const char* function)
{
    const auto make = reinterpret_cast<T* (*)()>(resolve(module, function));
    return make ? make() : nullptr;
}

} // namespace zorbel::backends
