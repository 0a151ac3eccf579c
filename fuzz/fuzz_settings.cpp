// The settings file as QSettings reads it, then every option converted as LoadConfig does.
#include "core/Basic.h"
#include "core/failure/VbError.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
QString g_folder;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/zorbel-fuzz-XXXXXX";
    g_folder = QString::fromLocal8Bit(::mkdtemp(pattern.data()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A new name each time: QSettings keeps files it has read and would not notice a rewrite
    // within the same second.
    static unsigned counter = 0;
    const QString path = g_folder + QStringLiteral("/settings-%1.ini").arg(++counter);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    {
        QSettings s(path, QSettings::IniFormat);
        (void)s.status();
        for (const QString& key : s.allKeys())
            (void)s.value(key).toString();
        for (const char* key : {"Sound", "Image", "Width", "Color", "PSize", "CShow", "Gitter", "Sprache"}) {
            const QString v = s.value(QStringLiteral("Optionen/") + QLatin1String(key), QStringLiteral("0")).toString();
            try {
                (void)zorbel::basic::CLng(v);
                (void)zorbel::basic::CInt(v);
            } catch (const zorbel::VbError&) {
            }
        }
    }
    QFile::remove(path);
    return 0;
}
