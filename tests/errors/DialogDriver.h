#pragma once
// Shows the real error dialog for a failing statement, as the program does, and acts on it
// while it is up: the dialog is modal, so a timer does the clicking.
#include "TestSupport.h"
#include "errors/ErrPtnr.h"
#include <QPushButton>
#include <functional>

namespace zorbel::test {

// Hands failures to the real dialog, as the program's reporter does, and keeps the last answer.
struct DialogReporter : ErrorReporter {
    ErrPtnr& dlg;
    int16_t last = -1;
    explicit DialogReporter(ErrPtnr& d) : dlg(d) {}
    int16_t OnError(const QString& procedure, const QString& module) override
    {
        dlg.OnError(procedure, module, last);
        return last;
    }
};

// Runs whileShown once the dialog is visible, then answers Ignore if it is still up.
// Returns the dialog's answer.
inline int16_t reportAndRun(ErrPtnr& dlg, const std::function<void()>& whileShown, int32_t number = 53)
{
    DialogReporter adapter(dlg);
    QTimer timer;
    timer.callOnTimeout([&] {
        if (!dlg.isVisible())
            return;
        timer.stop();
        whileShown();
        if (dlg.isVisible())
            dlg.continueButton(Ignore)->click();
    });
    timer.start(5);

    setErrorReporter(&adapter);
    Proc p("cmdSave_Click", "frmDraw");
    p(40, [&] { throw VbError(number); });
    setErrorReporter(&reporter());
    return adapter.last;
}

// The protocol as the dialog builds it now.
inline QString protocolOf(const ErrPtnr& dlg)
{
    QString text;
    dlg.BuildProtocol(text);
    return text;
}

// The protocol without its clock line, for comparing protocols built a moment apart.
inline QString withoutTime(QString protocol)
{
    const qsizetype at = protocol.indexOf(QStringLiteral("Datum/Uhrzeit"));
    if (at >= 0)
        protocol.remove(at, protocol.indexOf(QLatin1Char('\r'), at) - at);
    return protocol;
}

} // namespace zorbel::test
