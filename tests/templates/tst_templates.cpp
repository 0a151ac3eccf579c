// Checks every generated dinosaur template: layout, the grey construction
// steps, the closed outline and the colouring.

#include "imagecheck.h"

#include <QDir>
#include <QMap>
#include <QTest>

using namespace ImageCheck;

namespace {

constexpr int First = 101;
constexpr int Count = 41;
constexpr int Width = 400;
constexpr int StepH = 300;
constexpr int Margin = 10;

QImage stepOf(const QImage &t, int step)
{
    return t.copy(0, (step - 1) * StepH, Width, StepH).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TemplatesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_data() { rows(); }
    void layout();
    void construction_data() { rows(); }
    void construction();
    void finished_data() { rows(); }
    void finished();
    void sharedGroundLine();
    void templatesLookDifferent();

private:
    void rows();
    QMap<int, QImage> m_images;
};

void TemplatesTest::initTestCase()
{
    const QDir dir(QStringLiteral(ZORBEL_TEMPLATE_DIR));
    for (int n = First; n < First + Count; ++n) {
        QImage img(dir.filePath(QStringLiteral("%1.png").arg(n)));
        QVERIFY2(!img.isNull(), qPrintable(QStringLiteral("missing template %1").arg(n)));
        m_images.insert(n, img);
    }
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("%1.png").arg(First + Count))));
}

void TemplatesTest::rows()
{
    QTest::addColumn<int>("number");
    for (int n = First; n < First + Count; ++n)
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

// Size, and every step drawn inside its own frame with a clear margin.
void TemplatesTest::layout()
{
    QFETCH(int, number);
    const QImage &t = m_images[number];
    QCOMPARE(t.size(), QSize(Width, 6 * StepH));
    for (int s = 1; s <= 6; ++s) {
        const QImage img = stepOf(t, s);
        QRect box;
        for (int y = 0; y < StepH; ++y)
            for (int x = 0; x < Width; ++x)
                if (!isWhite(px(img, x, y)))
                    box |= QRect(x, y, 1, 1);
        QVERIFY2(!box.isEmpty(), qPrintable(QStringLiteral("step %1 is empty").arg(s)));
        QVERIFY2(box.left() >= Margin && box.top() >= Margin && box.right() < Width - Margin
                     && box.bottom() < StepH - Margin,
                 qPrintable(QStringLiteral("step %1 reaches the frame edge").arg(s)));
    }
}

// Steps 1 to 5 are pencil grey; each adds something, and steps 2 to 4 keep
// what was drawn before (older lines may only get lighter).
void TemplatesTest::construction()
{
    QFETCH(int, number);
    const QImage &t = m_images[number];
    for (int s = 1; s <= 5; ++s) {
        const QImage img = stepOf(t, s);
        int coloured = 0;
        for (int y = 0; y < StepH; ++y)
            for (int x = 0; x < Width; ++x)
                coloured += chroma(px(img, x, y)) > 12;
        QVERIFY2(coloured == 0, qPrintable(QStringLiteral("step %1 has colour").arg(s)));
    }
    for (int s = 2; s <= 6; ++s) {
        const QImage before = stepOf(t, s - 1), after = stepOf(t, s);
        int changed = 0, kept = 0, lost = 0;
        for (int y = 0; y < StepH; ++y)
            for (int x = 0; x < Width; ++x) {
                const QRgb a = px(before, x, y), b = px(after, x, y);
                changed += qAbs(lum(a) - lum(b)) > 40;
                if (lum(a) < 230) {
                    ++kept;
                    lost += lum(b) >= 250;
                }
            }
        QVERIFY2(changed > 200, qPrintable(QStringLiteral("step %1 adds nothing").arg(s)));
        if (s <= 4)
            QVERIFY2(lost * 500 <= kept,
                     qPrintable(QStringLiteral("step %1 drops %2 of %3 earlier line pixels")
                                    .arg(s).arg(lost).arg(kept)));
    }
}

// The outline is closed and 3 to 4 pixels wide, and the colouring of step 6
// fills exactly what it encloses.
void TemplatesTest::finished()
{
    QFETCH(int, number);
    const QImage &t = m_images[number];
    const QImage lines = stepOf(t, 5), colour = stepOf(t, 6);
    const QBitArray out = outside(lines);

    // Light pixels enclosed by the lines of step 5 should be exactly the ones
    // step 6 colours in; an open outline lets the outside flood in.
    int enclosed = 0, coloured = 0, spilled = 0, nonWhite = 0;
    for (int y = 0; y < StepH; ++y)
        for (int x = 0; x < Width; ++x) {
            const QRgb l = px(lines, x, y), c = px(colour, x, y);
            const bool isOut = out.testBit(y * Width + x);
            enclosed += !isOut && !isDark(l);
            coloured += isColoured(c);
            spilled += isOut && isColoured(c);
            nonWhite += !isWhite(c);
        }
    QVERIFY2(enclosed > 5000, "the outline encloses almost nothing");
    const qreal ratio = qreal(coloured) / enclosed;
    QVERIFY2(ratio > 0.85 && ratio < 1.1,
             qPrintable(QStringLiteral("coloured area is %1 of the enclosed area").arg(ratio)));
    QVERIFY2(spilled == 0, qPrintable(QStringLiteral("%1 pixels of colour outside the outline")
                                          .arg(spilled)));
    QVERIFY2(coloured > nonWhite * 0.6, "step 6 is not mostly coloured");

    const qreal width = outlineThickness(lines, out);
    QVERIFY2(width >= 3 && width <= 4,
             qPrintable(QStringLiteral("outline is %1 px wide").arg(width)));
}

// Land animals stand on one ground line; fliers and swimmers are free, so
// only most templates have to agree.
void TemplatesTest::sharedGroundLine()
{
    QMap<int, int> bottoms;
    for (const QImage &t : std::as_const(m_images)) {
        const QImage img = stepOf(t, 5);
        int bottom = 0;
        for (int y = 0; y < StepH; ++y)
            for (int x = 0; x < Width; ++x)
                if (isDark(px(img, x, y)))
                    bottom = y;
        ++bottoms[bottom];
    }
    int best = 0;
    for (auto it = bottoms.cbegin(); it != bottoms.cend(); ++it)
        best = qMax(best, it.value() + bottoms.value(it.key() + 1));
    QVERIFY2(best >= 30, "land animals do not share a ground line");
}

void TemplatesTest::templatesLookDifferent()
{
    QVector<QVector<int>> finished;
    for (const QImage &t : std::as_const(m_images))
        finished << thumbnail(stepOf(t, 6));
    qreal closest = 1e9;
    QString pair;
    for (int i = 0; i < finished.size(); ++i)
        for (int j = i + 1; j < finished.size(); ++j) {
            const qreal d = thumbnailDistance(finished[i], finished[j]);
            if (d < closest) {
                closest = d;
                pair = QStringLiteral("%1 and %2").arg(First + i).arg(First + j);
            }
        }
    QVERIFY2(closest > 8, qPrintable(QStringLiteral("templates %1 look alike (%2)")
                                         .arg(pair).arg(closest)));
}

QTEST_GUILESS_MAIN(TemplatesTest)
#include "tst_templates.moc"
