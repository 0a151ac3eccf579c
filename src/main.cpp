#include "Startup.h"
#include "core/Allgemein.h"
#include "core/Application.h"
#include "core/Fonts.h"
#include "errors/ErrPtnr.h"
#include <QIcon>

int main(int argc, char** argv)
{
    zorbel::Application app(argc, argv);
    zorbel::fonts::install();
    // Menus, message boxes and the input box use the built-in sans serif too.
    QApplication::setFont(zorbel::fonts::font(QStringLiteral("MS Sans Serif"), 9));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/bmp/info_small.svg")));
    zorbel::setErrorReporter(&zorbel::ErrPtnr::reporter());
    // However the program ends, a temporary folder it made for itself goes with it.
    zorbel::setExitCleanup([] { Allgemein::RemoveOwnTempFolder(); });
    const int code = zorbel::startup::Main() ? app.exec() : 0;
    Allgemein::RemoveOwnTempFolder();
    return code;
}
