#pragma once
#include "core/Forms.h"
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;

namespace zorbel {

class PaletteBox;
class PropertyBag;
class SliderView;
class VisualButton;

// What the pen window sets on the drawing canvas; the start-up wires it, so this window does
// not know the drawing window.
struct ColorPeers {
    std::function<void(int width)> setPenWidth = [](int) {};
    std::function<void(int32_t color)> setPenColor = [](int32_t) {}; // 0x00BBGGRR
};

// The pen window: the colour palette, the width slider, the present width and colour, and a
// close button. Borderless: the child moves it by its background or the palette.
class frmColor : public QWidget, public Form {
    Q_OBJECT
public:
    frmColor(QWidget* owner, ColorPeers peers);
    QWidget* widget() override { return this; }
    void Form_Unload() override;

    // Handlers, public so tests drive them as the window system would.
    void cpvSlider_ValueChanged();
    void picCol_MouseDown(int16_t button, int16_t shift, QPoint at);
    void Form_MouseDown(int16_t button, int16_t shift);
    void Form_Resize();
    void vbeButton_Click(int16_t index);

    // The slider's stored instance data, as the window keeps it.
    static PropertyBag sliderInstance(qreal devicePixelRatio);

    // For tests.
    SliderView* slider() const { return m_cpvSlider; }
    PaletteBox* palette() const { return m_picCol; }
    QLabel* widthLabel() const { return m_lblWidth; }
    QLabel* colorLabel() const { return m_lblFCol; }
    VisualButton* button(int) const { return m_vbeButton; }
    const QImage& background() const { return m_background; }
    int moveRequests() const { return m_moveRequests; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void createControls();
    void Form_Load();
    void setShownColor(int32_t color);

    ColorPeers m_peers;
    PaletteBox* m_picCol = nullptr;
    SliderView* m_cpvSlider = nullptr;
    QLabel* m_lblWidth = nullptr;
    QLabel* m_lblFCol = nullptr;
    VisualButton* m_vbeButton = nullptr;
    QImage m_background;
    int m_moveRequests = 0;
    bool m_movingByHand = false;
    QPoint m_grabOffset;
    QPoint m_pressedAt; // where the press that may start a move was, on the screen
};

} // namespace zorbel
