#pragma once
#include "VbError.h"
#include <QString>
#include <functional>
#include <new>

namespace zorbel {

// The failure being reported: what the error dialog and its protocol show.
struct Failure {
    int32_t number = 0;
    QString description;
    int line = 0;
};
const Failure& currentFailure();

// The user's choice after a failure, as the continue buttons of the error dialog number it.
enum Answer : int16_t { Retry = 0, Ignore = 1, Cancel = 2, End = 3 };

// Who answers a failure: the error dialog in the program, a script in tests.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // Reads currentFailure(); returns the answer (anything but 0, 1, 3 acts as Cancel).
    virtual int16_t OnError(const QString& procedure, const QString& module) = 0;
};
void setErrorReporter(ErrorReporter* reporter);

// Sends failures to another reporter for a while, then puts back the previous reporter and the
// failure it was handling: the error dialog's own buttons report their failures in the dialog.
class ReporterScope {
public:
    explicit ReporterScope(ErrorReporter* reporter);
    ~ReporterScope();
    ReporterScope(const ReporterScope&) = delete;
    ReporterScope& operator=(const ReporterScope&) = delete;

private:
    ErrorReporter* m_previous;
    Failure m_failure;
};

// Thrown by endProgramNow in place of the end while an end hook is installed.
struct ProgramEnded {};

// Ends the process at once after the End answer. Tests install a hook that stands in for the
// end; whatever the hook does, endProgramNow then throws ProgramEnded and never ends the process,
// so a test program always runs to its last test.
void setEndHook(std::function<void()> hook);
// Runs just before the process ends after the End answer (the program's own tidying up).
void setExitCleanup(std::function<void()> cleanup);
[[noreturn]] void endProgramNow();

// Tests follow which numbered statements run: the error protocol shows these numbers, so they
// must be the ones the procedure's description gives. Empty: no tracing.
void setStatementTrace(std::function<void(const char* procedure, int line)> trace);
void traceStatement(const char* procedure, int line);
extern bool g_tracingStatements;

// A procedure with numbered statements. Each statement runs through operator(); when it throws,
// the reporter's answer retries it, skips to the next one, or leaves the procedure (every later
// statement is then skipped and operator() returns false), or ends the program.
//
//     Proc p("LoadConfig", "Allgemein");
//     p(20, [&] { Sound = readOption("Sound", -1); });
//     p(30, [&] { Image = readOption("Image", 1); });
class Proc {
public:
    Proc(const char* procedure, const char* module) : m_procedure(procedure), m_module(module) {}

    template <class Statement>
    bool operator()(int line, Statement&& statement)
    {
        if (g_tracingStatements && !m_left)
            traceStatement(m_procedure, line);
        while (!m_left) {
            m_line = line;
            Answer answer;
            try {
                statement();
                return true;
            } catch (const VbError& e) {
                answer = fail(e.number(), e.description());
            } catch (const std::bad_alloc&) {
                answer = fail(vberr::OutOfMemory, {});
            }
            if (answer == Ignore)
                return true;
            if (answer != Retry)
                m_left = true;
        }
        return false;
    }

    bool left() const { return m_left; }
    // Leaves the procedure without a failure, for the "stop" branches of a procedure.
    void leave() { m_left = true; }

private:
    Answer fail(int32_t number, const QString& description);

    const char* m_procedure;
    const char* m_module;
    int m_line = 0;
    bool m_left = false;
};

} // namespace zorbel
