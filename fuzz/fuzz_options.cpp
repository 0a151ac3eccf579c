// The option conversions on any text: a number, error 13 or error 6, nothing else.
#include "core/Basic.h"
#include "core/failure/VbError.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (int kind = 0; kind < 2; ++kind) {
        try {
            if (kind == 0)
                (void)zorbel::basic::CInt(text);
            else
                (void)zorbel::basic::CLng(text);
        } catch (const zorbel::VbError& e) {
            if (e.number() != zorbel::vberr::TypeMismatch && e.number() != zorbel::vberr::Overflow)
                __builtin_trap();
        }
    }
    return 0;
}
