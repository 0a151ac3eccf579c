// The error dialog itself: what it shows, how it is laid out, what each way of closing answers,
// and the protocol it appends to the error log on every report.
#include "DialogDriver.h"
#include "core/AppInfo.h"
#include "errors/ErrPtnr.h"
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace zorbel;

namespace {
// Clicks the continue buttons in turn, one each time the dialog is up.
class Answerer : public QObject {
public:
    Answerer(ErrPtnr& dlg, std::deque<int> answers) : m_dlg(dlg), m_answers(std::move(answers))
    {
        m_timer.callOnTimeout(this, [this] {
            if (m_dlg.isVisible() && !m_answers.empty()) {
                const int index = m_answers.front();
                m_answers.pop_front();
                ++shown;
                m_dlg.continueButton(index)->click();
            }
        });
        m_timer.start(5);
    }
    int shown = 0;

private:
    ErrPtnr& m_dlg;
    std::deque<int> m_answers;
    QTimer m_timer;
};

// Runs a failing statement with this dialog as the error reporter, as the program does.
int16_t report(ErrPtnr& dlg, int line, int32_t number)
{
    test::DialogReporter adapter(dlg);
    setErrorReporter(&adapter);
    Proc p("picBild_MouseDown", "frmDraw");
    try {
        p(line, [&] { throw VbError(number); });
    } catch (const test::ProgramEnded&) {
        // End answers land here instead of ending the test.
    }
    setErrorReporter(&test::reporter());
    return adapter.last;
}

QString logPath() { return app::programFolder() + app::programName() + QStringLiteral(".EPT"); }
} // namespace

class TestErrDialog : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(logPath()); }

    void aFailureWhileTheDialogIsOpenWaitsForItsOwnAnswer()
    {
        // A resize fails behind the open dialog: it must neither loop on the stale Retry nor
        // answer itself, but get its own report once the first one is answered.
        ErrPtnr dlg;
        test::DialogReporter adapter(dlg);
        setErrorReporter(&adapter);
        int firstRuns = 0, secondRuns = 0;
        bool raised = false;
        QStringList shown;
        QTimer raiser;
        raiser.callOnTimeout([&] {
            if (!dlg.isVisible() || raised)
                return;
            raised = true;
            Proc p("Form_Resize", "frmDraw");
            p(30, [&] {
                if (++secondRuns < 50)
                    throw VbError(380);
            });
        });
        raiser.start(5);
        std::deque<int> answers{Retry, Ignore};
        QTimer answerer;
        answerer.callOnTimeout([&] {
            if (raised && dlg.isVisible() && !answers.empty()) {
                shown << dlg.errorText(0);
                dlg.continueButton(answers.front())->click();
                answers.pop_front();
            }
        });
        answerer.start(5);
        Proc p("picBild_MouseDown", "frmDraw");
        p(20, [&] {
            if (++firstRuns == 1)
                throw VbError(13);
        });
        setErrorReporter(&test::reporter());
        QCOMPARE(secondRuns, 1);     // answered Ignore, never retried unasked
        QCOMPARE(firstRuns, 2);      // its own Retry
        QCOMPARE(shown, QStringList({QStringLiteral("13 (Type mismatch)"), QStringLiteral("380 (Invalid property value)")}));
        QFile log(logPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().count("F E H L E R P R O T O K O L L"), 2);
        QVERIFY(!dlg.isVisible());
    }

    void showsTheFailureAndReturnsTheClickedAnswer()
    {
        ErrPtnr dlg;
        {
            // Retry brings the dialog up again for the same statement.
            Answerer a(dlg, {0, 0, 1});
            QCOMPARE(report(dlg, 20, 13), int16_t(Ignore));
            QCOMPARE(a.shown, 3);
        }
        for (int index : {2, 3}) {
            Answerer a(dlg, {index});
            QCOMPARE(report(dlg, 20, 13), int16_t(index));
            QVERIFY(!dlg.isVisible());
        }
        QCOMPARE(dlg.errorText(0), QStringLiteral("13 (Type mismatch)"));
        QCOMPARE(dlg.errorText(1), QStringLiteral("frmDraw"));
        QCOMPARE(dlg.errorText(2), QStringLiteral("picBild_MouseDown"));
        QCOMPARE(dlg.errorText(3), QStringLiteral("20"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Fehler / Error! "));
        QVERIFY(dlg.comment().startsWith(QStringLiteral("There is a problem.")));
        QVERIFY(dlg.comment().contains(QStringLiteral("\r\nEs liegt ein Problem vor")));
    }

    void closingWithoutAContinueButtonAnswersCancel()
    {
        ErrPtnr dlg;
        {
            Answerer a(dlg, {0, 1}); // a stale Retry must not stick
            report(dlg, 10, 5);
        }
        QTimer::singleShot(0, &dlg, [&dlg] { dlg.close(); });
        QCOMPARE(report(dlg, 10, 5), int16_t(Cancel));
        QTimer::singleShot(0, &dlg, [&dlg] { QTest::keyClick(&dlg, Qt::Key_Escape); });
        QCOMPARE(report(dlg, 10, 5), int16_t(Cancel));
    }

    void programInformationIsComputedOnceAndKept()
    {
        ErrPtnr dlg;
        Answerer a(dlg, {1, 1});
        report(dlg, 10, 6);
        const QString expected = QStringLiteral("%1  V%2.%3.%4")
                                     .arg(app::programName())
                                     .arg(app::versionMajor())
                                     .arg(app::versionMinor())
                                     .arg(app::versionRevision());
        QCOMPARE(dlg.progInfo(), expected);
        dlg.SetProgInfo(QStringLiteral("custom"));
        report(dlg, 10, 6);
        QCOMPARE(dlg.progInfo(), QStringLiteral("custom"));
    }

    void layoutStacksTheFramesIntoTheFixedClientArea()
    {
        ErrPtnr dlg;
        QTimer::singleShot(0, &dlg, [&dlg] {
            QCOMPARE(dlg.size(), QSize(481, 333)); // 7215 x 4995 twips at 96 dpi
            const auto frames = dlg.findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly);
            QCOMPARE(frames.size(), 5);
            int y = 0;
            for (const int h : {65, 113, 41, 57, 57}) {
                auto it = std::find_if(frames.begin(), frames.end(), [y](QGroupBox* f) { return f->y() == y; });
                QVERIFY(it != frames.end());
                QCOMPARE((*it)->height(), h);
                y += h;
            }
            QCOMPARE(dlg.continueButton(3)->geometry(), QRect(376, 16, 89, 33));
            dlg.continueButton(1)->click();
        });
        int16_t answer = 0;
        dlg.OnError(QStringLiteral("p"), QStringLiteral("m"), answer);
    }

    void continueButtonsShareOneFontAndFixedDialogsHaveNoMinMax()
    {
        ErrPtnr dlg;
        for (int i = 1; i < 4; ++i)
            QCOMPARE(dlg.continueButton(i)->font().pointSizeF(), dlg.continueButton(0)->font().pointSizeF());
        const auto fixed = [](const QWidget& w) {
            return w.windowFlags().testFlag(Qt::CustomizeWindowHint)
                && !(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        };
        QVERIFY(fixed(dlg));
        // The mail notice's long lines stay whole: one label line for each given line.
        const QString line = QString(110, QLatin1Char('x'));
        const auto box = platform::messageDialog(nullptr, line + QStringLiteral("\r\n\r\n") + line, QStringLiteral("Zorbel III"));
        QVERIFY(fixed(*box));
        QCOMPARE(box->windowTitle(), QStringLiteral("Zorbel III"));
        auto* label = box->findChild<QLabel*>();
        QVERIFY(label && !label->wordWrap());
        QCOMPARE(label->text().count(QLatin1Char('\n')), 2);
        QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(line));
    }

    void everyReportAppendsOneProtocolAndAnEmptyLine()
    {
        ErrPtnr dlg;
        Answerer a(dlg, {1, 1});
        report(dlg, 30, 53);
        report(dlg, 40, 76);
        QFile log(logPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray text = log.readAll();
        QCOMPARE(text.count("F E H L E R P R O T O K O L L"), 2);
        QVERIFY(text.contains("53 (File not found)"));
        QVERIFY(text.contains("76 (Path not found)"));
        QCOMPARE(text.count(QByteArray(70, '-') + "\r\n\r\n"), 2);
        QVERIFY(text.endsWith(QByteArray(70, '-') + "\r\n\r\n"));
    }

    void anUnwritableLogStillShowsTheDialog()
    {
        QFile::remove(logPath());
        QVERIFY(QDir().mkpath(logPath())); // a folder where the log should be
        ErrPtnr dlg;
        Answerer a(dlg, {2});
        QCOMPARE(report(dlg, 10, 70), int16_t(Cancel));
        QDir(logPath()).removeRecursively();
    }
};

ZORBEL_TEST_MAIN(TestErrDialog)
#include "test_errdialog.moc"
