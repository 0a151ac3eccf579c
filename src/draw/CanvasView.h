#pragma once
#include <QWidget>

namespace zorbel {

class Canvas;

// The canvas on screen: shows the drawing and hands mouse presses, moves and releases on.
// While a button is held the widget keeps the mouse, so a stroke may leave and come back.
class CanvasView : public QWidget {
    Q_OBJECT
public:
    CanvasView(Canvas& canvas, QWidget* parent);

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPoint at);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    Canvas& m_canvas;
};

} // namespace zorbel
