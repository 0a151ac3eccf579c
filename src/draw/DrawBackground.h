#pragma once
#include <QImage>
#include <QPainter>
#include <QSizeF>
#include <array>

namespace zorbel {

// The drawing window's background picture, drawn from its vectors at the largest size the
// window has had and stretched to the size it has now. It is kept in parts: the smooth gold
// field at a quarter of the resolution each way, a sixteenth of the memory, as its colours change
// by less than a shade over four pixels; and at full resolution what would blur there, the frame
// along the edges and the pencils in the top left corner.
class DrawBackground {
public:
    // Draws the parts again when the window (in logical pixels, at that pixel ratio) is larger
    // than every size before; true when it did.
    bool ensure(QSizeF window, qreal dpr);
    bool isNull() const { return m_field.isNull(); }
    // The picture stretched over a window of that size, the painter in the window's pixels.
    void paint(QPainter& p, QSizeF window) const;

    // Where the parts lie, in the picture's own units.
    static constexpr QSizeF kUnits{1024, 768};
    static constexpr double kEdgeUnits = 16; // the dark frame and its lines, and the field's blur beside them
    static constexpr QSizeF kPencilUnits{250, 210};
    static constexpr int kFieldScale = 4;

private:
    struct Part {
        QImage image;
        QRectF units; // where it lies in the picture
    };
    QImage m_field;
    std::array<Part, 5> m_parts; // four edges, the pencils
    QSizeF m_drawn;              // the window size the parts were drawn for, in logical pixels
    qreal m_dpr = 0;
};

} // namespace zorbel
