#include "frmDraw.h"
#include "errors/Failure.h"
#include <QPointer>

namespace zorbel {

frmDraw::frmDraw(QWidget* startScreen)
{
    setWindowTitle(QStringLiteral("Zorbel"));
    setMinimumSize(640, 480);
    Form_Load(startScreen);
}

void frmDraw::Form_Load(QWidget* startScreen)
{
    QPointer<QWidget> screen(startScreen);
    Proc p("Form_Load", "frmDraw");
    p(20, [&] {
        if (screen)
            screen->setCursor(Qt::WaitCursor);
    });
    p(70, [&] {
        if (screen)
            screen->unsetCursor();
    });
}

} // namespace zorbel
