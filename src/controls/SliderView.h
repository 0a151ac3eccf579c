#pragma once
#include "cpvSlider.h"
#include <QWidget>

namespace zorbel {

// Hosts the slider control on a window: hands it sizes and mouse events and shows its surface.
// Qt's implicit grab keeps the moves and the release coming while a button is held outside.
class SliderView : public QWidget {
    Q_OBJECT
public:
    explicit SliderView(QWidget* parent);
    cpvSlider& control() { return m_control; }
    // Hands the present size to the control now, so it lays itself out before it is first shown.
    void layOut();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    cpvSlider m_control;
};

// The shift state of a mouse event, as the control's events carry it.
int16_t shiftState(Qt::KeyboardModifiers modifiers);

} // namespace zorbel
