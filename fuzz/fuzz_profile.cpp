// The private-profile reader behind GetLang, on any INI bytes and any key.
#include "core/ProfileReader.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first line is the key to look for, the rest the file; a few fixed keys are tried too,
    // so a run finds the table's own form as well as odd ones.
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nl = all.indexOf('\n');
    const QByteArray ini = nl < 0 ? all : all.mid(nl + 1);
    const QString key = QString::fromLatin1(nl < 0 ? QByteArray() : all.left(nl));
    for (const QString& k : {key, QStringLiteral("1114"), QStringLiteral("0000")}) {
        const QString v = zorbel::profile::lookup(ini, QStringLiteral("Lang"), k, QString(255, QLatin1Char(' ')));
        if (v.size() > zorbel::profile::kMaxValue)
            __builtin_trap();
    }
    return 0;
}
