// Speed of the drawing window's hot paths: one stroke segment with its repaint, the undo copy
// at the start of a stroke, and a layout of the whole window.
#include "TestSupport.h"
#include "core/Allgemein.h"
#include "draw/Canvas.h"
#include "draw/CanvasView.h"
#include "draw/DrawLayout.h"
#include "draw/frmDraw.h"

using namespace zorbel;

class BenchDraw : public QObject {
    Q_OBJECT
private slots:
    void segment_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("width 1") << 1;
        QTest::newRow("width 5") << 5;
        QTest::newRow("width 50") << 50;
    }

    void segment()
    {
        QFETCH(int, width);
        Canvas canvas;
        canvas.resize({1600, 1200});
        canvas.setPenWidth(width);
        CanvasView view(canvas, nullptr);
        view.resize(1600, 1200);
        view.show();
        QTest::qWait(0);
        canvas.dot({800, 600});
        int i = 0;
        QBENCHMARK {
            // A typical mouse move: a few pixels from the last point.
            const QPoint to(800 + (i % 40) - 20, 600 + ((i / 40) % 40) - 20);
            view.repaint(canvas.lineTo(to));
            ++i;
        }
    }

    void undoCopyAtStrokeStart()
    {
        Canvas canvas;
        canvas.resize({1600, 1200});
        canvas.setPenWidth(5);
        QBENCHMARK {
            // The copy is taken of the tiles the dot is about to change: measure both.
            canvas.takeUndoCopy();
            canvas.dot({800, 600});
        }
    }

    void layoutArithmetic()
    {
        QBENCHMARK {
            const DrawLayout l = DrawLayout::compute({1920, 1080}, DrawLayout::kPlateSize, 14);
            Q_UNUSED(l);
        }
    }

    void windowLayout()
    {
        Allgemein::LoadConfig();
        frmDraw w(nullptr, {});
        w.resize(1920, 1080);
        w.show();
        QTest::qWait(0);
        QBENCHMARK {
            w.Form_Resize();
        }
    }

    void windowLayoutAtANewSize()
    {
        Allgemein::LoadConfig();
        frmDraw w(nullptr, {});
        w.show();
        bool flip = false;
        QBENCHMARK {
            // Every size is new, so the background picture is drawn again each time.
            flip = !flip;
            w.resize(flip ? QSize(1920, 1080) : QSize(1910, 1075));
        }
    }
};

ZORBEL_TEST_MAIN(BenchDraw)
#include "bench_draw.moc"
