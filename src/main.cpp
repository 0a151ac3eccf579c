#include "Startup.h"
#include "core/Allgemein.h"
#include "core/Application.h"
#include "core/Fonts.h"
#include "core/Platform.h"
#include "errors/ErrPtnr.h"
#include <QIcon>
#include <vector>

int main(int argc, char** argv)
{
    // Chosen by arguments rather than the environment, so programs the help or mail starts are
    // left to choose for themselves.
    std::vector<QByteArray> extra;
    for (const QByteArray& a : zorbel::platform::preferredPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                                                    qgetenv("WAYLAND_DISPLAY")))
        extra.push_back(a);
    std::vector<char*> args(argv, argv + argc);
    for (QByteArray& a : extra)
        args.push_back(a.data());
    args.push_back(nullptr);
    int count = int(args.size()) - 1;
    zorbel::Application app(count, args.data());
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
