#include "Startup.h"
#include "core/Fonts.h"
#include "errors/ErrPtnr.h"
#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zorbel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorbel"));
    // The program ends through its End command (or by closing the drawing window), not
    // when the start screen closes before the drawing window appears.
    QApplication::setQuitOnLastWindowClosed(false);
    zorbel::fonts::install();
    // Menus, message boxes and the input box use the built-in sans serif too.
    QApplication::setFont(zorbel::fonts::font(QStringLiteral("MS Sans Serif"), 9));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/bmp/info_small.svg")));
    zorbel::setErrorReporter(&zorbel::ErrPtnr::reporter());
    if (!zorbel::startup::Main())
        return 0;
    return app.exec();
}
