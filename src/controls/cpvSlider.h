#pragma once
#include <QColor>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <functional>

namespace zorbel {

class PropertyBag;

// Mouse buttons and shift states as the container hands them to a control.
namespace mouse {
constexpr int16_t Left = 1;
constexpr int16_t Right = 2;
constexpr int16_t Middle = 4;
constexpr int16_t Shift = 1;
constexpr int16_t Ctrl = 2;
constexpr int16_t Alt = 4;
} // namespace mouse

// The slider control: a thumb picture dragged along a rail to choose a whole number between Min
// and Max. Plain code without a screen: it paints into its own surface image, and the widget that
// hosts it (SliderView) hands it sizes and mouse events and shows the surface.
class cpvSlider {
public:
    struct RailRect {
        int32_t left = 0, top = 0, right = 0, bottom = 0;
    };
    // Raised synchronously: the container's handler has run when the raising operation goes on.
    struct Events {
        std::function<void()> Click = [] {};
        std::function<void()> ArrivedFirst = [] {};
        std::function<void()> ArrivedLast = [] {};
        std::function<void()> ValueChanged = [] {};
        std::function<void(int16_t& shift)> MouseDown = [](int16_t&) {};
        std::function<void(int16_t& shift)> MouseUp = [](int16_t&) {};
    };
    // What the control asks of its container: a new size in twips, and a repaint of the surface.
    struct Host {
        std::function<void(int widthTwips, int heightTwips)> resize = [](int, int) {};
        std::function<void()> surfaceChanged = [] {};
    };

    static constexpr uint32_t kButtonFace = 0x8000000F; // the system colour of button faces
    static constexpr int32_t kPictureRail = 99;

    // Takes the screen's twips per pixel, as a whole number each.
    cpvSlider(int twipsPerPixelX, int twipsPerPixelY);

    Events events;
    Host host;

    // Properties.
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }
    uint32_t BackColor() const { return m_backColor; }
    void setBackColor(uint32_t oleColor);
    int32_t Max() const { return m_max; }
    void setMax(int32_t m);
    int32_t Min() const { return m_min; }
    void setMin(int32_t m);
    int32_t Value() const { return m_value; }
    void setValue(int32_t v);
    int32_t Orientation() const { return m_orientation; }
    void setOrientation(int32_t o);
    int32_t RailStyle() const { return m_railStyle; }
    void setRailStyle(int32_t style);
    const QImage& SliderIcon() const { return m_thumbPicture; }
    void setSliderIcon(const QImage& picture);
    const QImage& RailPicture() const { return m_railPicture; }
    void setRailPicture(const QImage& picture);

    // Routines.
    void Refresh();
    int32_t GetValue();
    void ResetSlider();

    // The hosting interface.
    void UserControl_InitProperties();
    void UserControl_ReadProperties(const PropertyBag& bag);
    void UserControl_WriteProperties(PropertyBag& bag);
    void UserControl_Resize(QSize clientPixels);
    void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y);
    void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y);
    void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y);
    // Pictures given in a device pixel ratio keep their size in pixels; the surface follows it.
    void setDevicePixelRatio(qreal ratio);

    // The state the container paints and tests look at.
    QSize clientSize() const { return m_client; }
    const QImage& surface() const { return m_surface; }
    float thumbLeft() const { return m_left; }
    float thumbTop() const { return m_top; }
    QSize thumbSize() const { return m_thumbSize; }
    QSize railSize() const { return m_railSize; }
    RailRect railRect() const { return m_railRect; }
    bool dragging() const { return m_dragging; }
    float grabX() const { return m_grabX; }
    float grabY() const { return m_grabY; }
    int32_t range() const { return m_range; }
    int32_t oldValue() const { return m_oldValue; }
    bool pictureMode() const { return m_railStyle == kPictureRail && !m_railPicture.isNull(); }
    // The surface colour of an OLE colour: system colours come from the application's palette.
    static QColor paintColor(uint32_t oleColor);
    // The thumb picture of a newly placed instance.
    static QImage builtInThumb();

private:
    void layout();
    double track(int32_t orientation) const;
    double along(int32_t value, int32_t orientation) const;
    void placeThumb(int32_t orientation);
    void allocateSurface();

    bool m_enabled = true;
    uint32_t m_backColor = kButtonFace;
    int32_t m_orientation = 1;
    int32_t m_railStyle = 0;
    int32_t m_min = 0;
    int32_t m_max = 10;
    int32_t m_value = 0;
    int32_t m_range = 10;
    int32_t m_oldValue = 0;
    bool m_dragging = false;
    float m_grabX = 0;
    float m_grabY = 0;
    RailRect m_railRect;
    int m_twipsX;
    int m_twipsY;

    QImage m_thumbPicture;
    QSize m_thumbSize;
    float m_left = 0;
    float m_top = 0;
    QImage m_railPicture;
    QSize m_railSize;

    QSize m_client;
    qreal m_dpr = 1.0;
    QImage m_surface;
};

} // namespace zorbel
