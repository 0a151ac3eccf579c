// A saved picture loaded into the canvas, as the template window's file list does.
#include "core/PictureFile.h"
#include "core/failure/VbError.h"
#include "draw/Canvas.h"
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
QString g_file;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The decoders' complaints about broken files are expected by the thousand.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/zorbel-fuzz-XXXXXX";
    g_file = QString::fromLocal8Bit(::mkdtemp(pattern.data())) + QStringLiteral("/picture.bmp");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        QFile f(g_file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    zorbel::Canvas canvas;
    canvas.resize(QSize(160, 120));
    try {
        const QImage picture = zorbel::readPicture(g_file);
        if (picture.isNull())
            __builtin_trap();
        canvas.paintPicture(picture);
        canvas.lineTo(QPoint(80, 60));
    } catch (const zorbel::VbError& e) {
        if (e.number() != zorbel::vberr::InvalidPicture)
            __builtin_trap();
    }
    return 0;
}
