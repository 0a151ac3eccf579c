// The floor of the start-up benchmark: what any Qt program with one window and a drawing
// canvas costs. One window, a QImage canvas, strokes repainted by their dirty rectangle, as in
// Qt's Scribble example; nothing else.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {
class Scribble : public QWidget {
public:
    Scribble() { setAttribute(Qt::WA_StaticContents); }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        m_last = e->position().toPoint();
        m_drawing = true;
        drawTo(m_last);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (m_drawing)
            drawTo(e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_drawing = false; }

    void paintEvent(QPaintEvent* e) override
    {
        QPainter p(this);
        p.drawImage(e->rect(), m_image, e->rect());
    }

    void resizeEvent(QResizeEvent* e) override
    {
        // Grows only, keeping the drawing, as Scribble does (without its spare 128 pixels).
        if (width() > m_image.width() || height() > m_image.height()) {
            QImage bigger(qMax(width(), m_image.width()), qMax(height(), m_image.height()),
                          QImage::Format_RGB32);
            bigger.fill(Qt::white);
            QPainter p(&bigger);
            p.drawImage(QPoint(0, 0), m_image);
            m_image = bigger;
        }
        QWidget::resizeEvent(e);
    }

private:
    void drawTo(QPoint to)
    {
        QPainter p(&m_image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(m_last, to);
        update(QRect(m_last, to).normalized().adjusted(-4, -4, 4, 4));
        m_last = to;
    }

    QImage m_image;
    QPoint m_last;
    bool m_drawing = false;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Scribble w;
    w.setWindowTitle(QStringLiteral("Floor"));
    // Without a window manager nobody maximizes: fill the available area, as Zorbel does.
    if (const QScreen* s = w.screen())
        w.setGeometry(s->availableGeometry());
    w.showMaximized();
    return app.exec();
}
