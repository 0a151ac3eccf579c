#include "Failure.h"
#include <QDebug>
#include <cstdio>
#include <cstdlib>

namespace zorbel {

namespace {
Failure g_failure;
ErrorReporter* g_reporter = nullptr;
std::function<void()> g_endHook;
std::function<void()> g_exitCleanup;
std::function<void(const char*, int)> g_trace;
} // namespace

bool g_tracingStatements = false;
void setStatementTrace(std::function<void(const char*, int)> trace)
{
    g_trace = std::move(trace);
    g_tracingStatements = bool(g_trace);
}
void traceStatement(const char* procedure, int line)
{
    if (g_trace)
        g_trace(procedure, line);
}

const Failure& currentFailure() { return g_failure; }
void setErrorReporter(ErrorReporter* reporter) { g_reporter = reporter; }
ReporterScope::ReporterScope(ErrorReporter* reporter) : m_previous(g_reporter), m_failure(g_failure)
{
    g_reporter = reporter;
}

ReporterScope::~ReporterScope()
{
    g_reporter = m_previous;
    g_failure = m_failure;
}

void setEndHook(std::function<void()> hook) { g_endHook = std::move(hook); }
void setExitCleanup(std::function<void()> cleanup) { g_exitCleanup = std::move(cleanup); }

void endProgramNow()
{
    if (g_endHook) {
        g_endHook();
        throw ProgramEnded{};
    }
    if (g_exitCleanup)
        g_exitCleanup();
    // No window's closing handling may run: leave without unwinding or static destructors.
    std::fflush(nullptr);
    std::_Exit(0);
}

Answer Proc::fail(int32_t number, const QString& description)
{
    g_failure = {number, description.isEmpty() ? vbErrorText(number) : description, m_line};
    int16_t answer = Cancel;
    if (g_reporter)
        answer = g_reporter->OnError(QString::fromLatin1(m_procedure), QString::fromLatin1(m_module));
    else
        qWarning("%s.%s line %d: error %d (%s)", m_module, m_procedure, m_line, number,
                 qPrintable(g_failure.description));
    switch (answer) {
    case Retry: return Retry;
    case Ignore: return Ignore;
    case End: endProgramNow();
    default: return Cancel;
    }
}

} // namespace zorbel
