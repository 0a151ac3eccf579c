#pragma once
// Shared stand-ins for the desktop: fresh folders, a scripted error reporter, and fakes for the
// shell, the message boxes and the sound device. Every test program starts with ZORBEL_TEST_MAIN.
#include "core/Application.h"
#include "core/Forms.h"
#include "core/Platform.h"
#include "core/Printer.h"
#include "core/failure/Failure.h"
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <deque>
#include <utility>
#include <vector>

namespace zorbel::test {

// The first loaded window of class T, or nullptr.
template <class T>
T* find()
{
    for (int i = 0; i < Forms::count(); ++i)
        if (auto* f = dynamic_cast<T*>(Forms::at(i)))
            return f;
    return nullptr;
}

// Points settings, temporary, data, pictures and runtime folders at fresh private folders.
void prepareEnvironment();
// After the application exists: fonts, a fresh program folder, the fakes (a machine without a
// printer among them), the end hook.
void prepareApplication();
QString scratchFolder();

// Thrown instead of ending the process after the End answer.
using zorbel::ProgramEnded;

// Answers failures from a script and records what was reported.
class ScriptedReporter : public ErrorReporter {
public:
    struct Report {
        QString procedure, module;
        int32_t number;
        int line;
        QString description;
    };
    std::deque<int16_t> answers; // when empty: Cancel
    std::vector<Report> reports;
    int16_t OnError(const QString& procedure, const QString& module) override;
};

class FakeShell : public platform::Shell {
public:
    QStringList opened;
    bool works = true; // false: no browser or mail program
    bool open(const QString& target) override
    {
        opened << target;
        return works;
    }
};

class FakeDialogs : public platform::Dialogs {
public:
    std::deque<bool> yesNo;           // answers to questions; when empty: No
    std::deque<QString> inputs;       // answers to the input box; when empty: cancelled
    struct Asked {
        QString text, title;
        bool defaultNo;
        bool icon;
    };
    std::vector<Asked> questions;
    std::vector<std::pair<QString, QString>> messages; // text, title
    std::vector<std::pair<QString, QString>> prompts;  // prompt, title
    bool askYesNo(QWidget*, const QString& text, const QString& title, bool defaultNo, bool icon = true) override;
    void inform(QWidget*, const QString& text, const QString& title) override { messages.emplace_back(text, title); }
    QString inputBox(QWidget*, const QString& prompt, const QString& title) override;
};

class FakeSound : public platform::SoundDevice {
public:
    std::vector<int> played;
    void play(int id, const QByteArray&) override { played.push_back(id); }
};

// Records the numbered statements one procedure runs while it lives.
struct StatementTrace {
    std::vector<int> lines;
    explicit StatementTrace(const char* procedure)
    {
        setStatementTrace([this, procedure](const char* p, int line) {
            if (QLatin1String(p) == QLatin1String(procedure))
                lines.push_back(line);
        });
    }
    ~StatementTrace() { setStatementTrace({}); }
    StatementTrace(const StatementTrace&) = delete;
    StatementTrace& operator=(const StatementTrace&) = delete;
};

// The fakes every test program uses; reset between test functions as needed.
// noPrinter() is installed from the start, so no test sees the machine's own printers.
printing::ImagePrinters& noPrinter();
ScriptedReporter& reporter();
FakeShell& shell();
FakeDialogs& dialogs();
FakeSound& sound();
void resetFakes();

} // namespace zorbel::test

#define ZORBEL_TEST_MAIN(TestClass)                                                                                    \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        zorbel::test::prepareEnvironment();                                                                            \
        zorbel::Application app(argc, argv);                                                                           \
        zorbel::test::prepareApplication();                                                                            \
        TestClass tc;                                                                                                  \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
