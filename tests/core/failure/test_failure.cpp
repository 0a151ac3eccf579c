// The numbered-statement convention: what each answer of the error reporter does to the
// failing procedure and to its caller.
#include "TestSupport.h"
#include "core/failure/Failure.h"

using namespace zorbel;
using zorbel::test::reporter;

namespace {
QString inner(QStringList& trace)
{
    QString result = QStringLiteral("partial");
    Proc p("Inner", "Mod");
    p(10, [&] { trace << QStringLiteral("inner10"); });
    p(20, [&] { throw VbError(vberr::FileNotFound); });
    p(30, [&] { trace << QStringLiteral("inner30"); result = QStringLiteral("done"); });
    return result;
}
} // namespace

class TestFailure : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetFakes(); }

    void retryRepeatsTheStatementUntilAnotherAnswer()
    {
        reporter().answers = {Retry, Retry, Ignore};
        int attempts = 0;
        QStringList trace;
        Proc p("Work", "Mod");
        p(10, [&] { ++attempts; throw VbError(vberr::DeviceIO); });
        p(20, [&] { trace << QStringLiteral("after"); });
        QCOMPARE(attempts, 3);
        QCOMPARE(reporter().reports.size(), size_t(3));
        QCOMPARE(trace, QStringList{QStringLiteral("after")});
        QCOMPARE(reporter().reports[0].line, 10);
        QCOMPARE(reporter().reports[0].number, 57);
        QCOMPARE(reporter().reports[0].procedure, QStringLiteral("Work"));
        QCOMPARE(reporter().reports[0].module, QStringLiteral("Mod"));
    }

    void retrySucceedsOnceTheCauseIsGone()
    {
        reporter().answers = {Retry};
        bool broken = true;
        Proc p("Work", "Mod");
        QVERIFY(p(10, [&] {
            if (std::exchange(broken, false))
                throw VbError(vberr::PathNotFound);
        }));
        QCOMPARE(reporter().reports.size(), size_t(1));
    }

    void ignoreInsideACallContinuesTheCalledProcedure()
    {
        // The failure is handled where it struck: the inner procedure's next statement runs.
        reporter().answers = {Ignore};
        QStringList trace;
        QCOMPARE(inner(trace), QStringLiteral("done"));
        QCOMPARE(trace, (QStringList{QStringLiteral("inner10"), QStringLiteral("inner30")}));
    }

    void cancelLeavesWithTheResultSoFarAndTheCallerGoesOn()
    {
        reporter().answers = {Cancel};
        QStringList trace;
        QString got;
        Proc outer("Outer", "Mod");
        outer(10, [&] { got = inner(trace); });
        outer(20, [&] { trace << QStringLiteral("outer20"); });
        QCOMPARE(got, QStringLiteral("partial"));
        QCOMPARE(trace, (QStringList{QStringLiteral("inner10"), QStringLiteral("outer20")}));
    }

    void unsetResultsAreEmptyAfterCancel()
    {
        reporter().answers = {Cancel};
        auto f = [] {
            int result = 0;
            Proc p("F", "Mod");
            p(10, [&] { throw VbError(vberr::Overflow); });
            p(20, [&] { result = 5; });
            return result;
        };
        QCOMPARE(f(), 0);
    }

    void unknownAnswersActAsCancel()
    {
        reporter().answers = {7};
        bool second = false;
        Proc p("F", "Mod");
        QVERIFY(!p(10, [] { throw VbError(vberr::TypeMismatch); }));
        QVERIFY(!p(20, [&] { second = true; }));
        QVERIFY(!second);
        QVERIFY(p.left());
    }

    void endStopsAtOnce()
    {
        reporter().answers = {End};
        bool second = false;
        Proc p("F", "Mod");
        QVERIFY_THROWS_EXCEPTION(test::ProgramEnded, p(10, [] { throw VbError(vberr::DiskFull); }));
        QVERIFY(!second);
        // A test's end hook that returns still ends nothing: the rest of the tests must run.
        setEndHook([] {});
        reporter().answers = {End};
        QVERIFY_THROWS_EXCEPTION(test::ProgramEnded, Proc("G", "Mod")(10, [] { throw VbError(vberr::DiskFull); }));
        setEndHook([] { throw test::ProgramEnded{}; });
    }

    void failureCarriesNumberTextAndLine()
    {
        Proc p("F", "Mod");
        p(40, [] { throw VbError(vberr::TypeMismatch); });
        QCOMPARE(currentFailure().number, 13);
        QCOMPARE(currentFailure().description, QStringLiteral("Type mismatch"));
        QCOMPARE(currentFailure().line, 40);
        p.leave();
    }

    void outOfMemoryIsReportedAsError7()
    {
        Proc p("F", "Mod");
        p(10, [] { throw std::bad_alloc(); });
        QCOMPARE(reporter().reports.back().number, 7);
    }
};

ZORBEL_TEST_MAIN(TestFailure)
#include "test_failure.moc"
