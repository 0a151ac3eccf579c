#pragma once
// Shows the real error dialog for a failing statement, as the program does, and acts on it
// while it is up: the dialog is modal, so a timer does the clicking.
#include "TestSupport.h"
#include "errors/ErrPtnr.h"
#include <QPushButton>
#include <functional>

namespace zorbel::test {

// Runs whileShown once the dialog is visible, then answers Ignore if it is still up.
// Returns the dialog's answer.
inline int16_t reportAndRun(ErrPtnr& dlg, const std::function<void()>& whileShown, int32_t number = 53)
{
    struct Adapter : ErrorReporter {
        ErrPtnr& dlg;
        explicit Adapter(ErrPtnr& d) : dlg(d) {}
        int16_t OnError(const QString& procedure, const QString& module) override
        {
            int16_t answer = -1;
            dlg.OnError(procedure, module, answer);
            return answer;
        }
    } adapter(dlg);
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
    int16_t answer = -1;
    struct Capture : ErrorReporter {
        ErrorReporter& inner;
        int16_t& seen;
        Capture(ErrorReporter& i, int16_t& s) : inner(i), seen(s) {}
        int16_t OnError(const QString& p, const QString& m) override { return seen = inner.OnError(p, m); }
    } capture(adapter, answer);
    setErrorReporter(&capture);
    Proc p("cmdSave_Click", "frmDraw");
    p(40, [&] { throw VbError(number); });
    setErrorReporter(&reporter());
    return answer;
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
