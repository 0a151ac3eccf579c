// The path data in the template descriptions is written by hand, so the
// reader must get the easily confused parts of the syntax right.

#include "geometry.h"

#include <QTest>

class PathDataTest : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void rejectsBadData_data();
    void rejectsBadData();
    void tubeIsClosedAndWide();
};

void PathDataTest::commands_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<QRectF>("bounds");

    // numbers after M continue as lines; relative moves add up
    QTest::newRow("implicit line") << "M 0 0 10 0 10 10" << QPointF(10, 10)
                                   << QRectF(0, 0, 10, 10);
    QTest::newRow("relative") << "m 5 5 l 10 0 v 10 h -10 z" << QPointF(5, 5)
                              << QRectF(5, 5, 10, 10);
    QTest::newRow("commas and signs") << "M0,0L-10,-5L10-5" << QPointF(10, -5)
                                      << QRectF(-10, -5, 20, 5);
    // S mirrors the previous control point: a symmetric bump
    QTest::newRow("smooth cubic") << "M 0 0 C 0 -10 10 -10 10 0 S 20 10 20 0"
                                  << QPointF(20, 0) << QRectF(0, -7.5, 20, 15);
    QTest::newRow("relative cubic") << "M 10 10 c 0 10 10 10 10 0" << QPointF(20, 10)
                                    << QRectF(10, 10, 10, 7.5);
}

void PathDataTest::commands()
{
    QFETCH(QString, data);
    QFETCH(QPointF, end);
    QFETCH(QRectF, bounds);
    QPainterPath path;
    QString error;
    QVERIFY2(parseSvgPath(data, &path, &error), qPrintable(error));
    QCOMPARE(path.currentPosition(), end);
    const QRectF b = path.boundingRect();
    QVERIFY2(qAbs(b.left() - bounds.left()) < 0.01 && qAbs(b.top() - bounds.top()) < 0.01
                 && qAbs(b.width() - bounds.width()) < 0.01
                 && qAbs(b.height() - bounds.height()) < 0.01,
             qPrintable(QStringLiteral("bounds %1 %2 %3 %4")
                            .arg(b.left()).arg(b.top()).arg(b.width()).arg(b.height())));
}

void PathDataTest::rejectsBadData_data()
{
    QTest::addColumn<QString>("data");
    QTest::newRow("no command") << "10 10";
    QTest::newRow("unknown command") << "M 0 0 X 5 5";
    QTest::newRow("missing number") << "M 0 0 L 5";
    QTest::newRow("number after close") << "M 0 0 L 5 5 Z 3 3";
}

void PathDataTest::rejectsBadData()
{
    QFETCH(QString, data);
    QPainterPath path;
    QString error;
    QVERIFY(!parseSvgPath(data, &path, &error));
    QVERIFY(!error.isEmpty());
}

// A bent tube must enclose its whole centre line and be as wide as asked.
void PathDataTest::tubeIsClosedAndWide()
{
    const Tube t = buildTube({{QPointF(0, 0), 20}, {QPointF(50, 30), 10}, {QPointF(100, 0), 10}});
    QVERIFY(t.outline.contains(QPointF(0, 0)));
    QVERIFY(t.outline.contains(QPointF(50, 30)));
    QVERIFY(t.outline.contains(QPointF(100, 0)));
    QVERIFY(t.outline.contains(QPointF(0, 9)));   // within the wide end
    QVERIFY(!t.outline.contains(QPointF(0, 12)));
    QVERIFY(t.outline.contains(QPointF(104, 0))); // round cap at the tip
    QVERIFY(!t.outline.contains(QPointF(107, 0)));
    QVERIFY(!t.sides.isEmpty());
}

QTEST_GUILESS_MAIN(PathDataTest)
#include "tst_pathdata.moc"
