#pragma once
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <array>

namespace zorbel {

// A window's background picture, drawn from its vectors and stretched over the window. It is
// kept in parts: the smooth gold field at a quarter of the resolution each way, a sixteenth of
// the memory, as its colours change by less than a shade over four pixels; and at full
// resolution what would blur there, the frame along the edges and, where there is one, a
// detailed piece such as the drawing window's pencils.
class PartedPicture {
public:
    struct Layout {
        int id;              // the bitmap resource
        QSizeF units;        // the picture's own size
        double edgeUnits;    // how far in from each edge the frame reaches, with the field's blur beside it
        QRectF detailUnits;  // the detailed piece, or empty
    };
    static constexpr int kFieldScale = 4;

    explicit PartedPicture(const Layout& layout) : m_layout(layout) {}

    // Draws the parts again for a window of that size (logical pixels, at that pixel ratio):
    // when it is larger than every size before, or, with exact, whenever its size changes (a
    // window of a few fixed sizes whose frame stays crisp in each). True when it drew them.
    bool ensure(QSizeF window, qreal dpr, bool exact = false);
    bool isNull() const { return m_field.isNull(); }
    // The picture stretched over a window of that size, the painter in the window's pixels.
    void paint(QPainter& p, QSizeF window) const;

private:
    struct Part {
        QImage image;
        QRectF units; // where it lies in the picture
    };
    Layout m_layout;
    QImage m_field;
    std::array<Part, 5> m_parts; // four edges, the detail
    QSizeF m_drawn;              // the window size the parts were drawn for, in logical pixels
    qreal m_dpr = 0;
};

} // namespace zorbel
