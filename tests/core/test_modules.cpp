// Printing and sound modules are code: one that someone else could have put or changed there is
// never loaded, and counts as missing.
#include "TestSupport.h"
#include "core/Backends.h"
#include <QDir>
#include <QFile>
#include <dlfcn.h>
#include <sys/stat.h>

using namespace zorbel;

class TestModules : public QObject {
    Q_OBJECT
private slots:
    void aModuleInAFolderOthersCanWriteIsNotLoaded()
    {
        // Inside the build, whose folders are the user's.
        const QString folder = QStringLiteral(ZORBEL_TEST_BINARY_DIR "/modules-check/lib");
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        const QString module = folder + QStringLiteral("/libzorbel_sound.so");
        QVERIFY(QFile::copy(QStringLiteral(ZORBEL_MODULE_DIR "/libzorbel_sound.so"), module));
        QVERIFY(::chmod(QFile::encodeName(module).constData(), 0755) == 0);
        backends::setModuleFolder(folder);

        // Root passes every ownership test, so the folder is opened to others instead.
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
        QVERIFY(!backends::resolve(backends::Sound, "zorbel_sound_device"));
        QVERIFY(!::dlopen(QFile::encodeName(module).constData(), RTLD_NOW | RTLD_NOLOAD));

        // The same module is taken once the folder is sticky, as the shared temporary folder is:
        // others may add names there but cannot take or replace ours.
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 01777) == 0);
        QVERIFY(backends::resolve(backends::Sound, "zorbel_sound_device"));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
        QVERIFY(QDir(folder).removeRecursively());
    }
};

ZORBEL_TEST_MAIN(TestModules)
#include "test_modules.moc"
