#pragma once
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

namespace zorbel {

// The drawing the child makes, and its one-level undo copy. Plain code: the canvas widget turns
// mouse events into these calls, and each call returns the rectangle that needs repainting.
class Canvas {
public:
    // A new size keeps the drawing: it is scaled from the drawing as it was before the resizing
    // began, so dragging a window edge does not blur it step by step. While the size changes it
    // is scaled coarsely, for speed; smoothly once the resizing ends or the drawing is used. The
    // undo copy keeps its size and is scaled only if it is restored.
    void resize(QSize size);
    // The window has stopped changing size: the drawing is scaled smoothly, the drawing before
    // the resizing is let go, and the next resizing starts from the drawing as it is. True when
    // the picture changed.
    bool endResizing();
    QSize size() const { return m_image.size(); }
    // The drawing, smooth.
    const QImage& image() const
    {
        settle();
        return m_image;
    }
    // What the screen shows: while the window is being resized, the coarse picture.
    const QImage& shown() const { return m_image; }

    void setPenColor(const QColor& c) { m_color = c; }
    void setPenWidth(int width) { m_width = width < 1 ? 1 : width; }
    QColor penColor() const { return m_color; }
    int penWidth() const { return m_width; }

    // A line from p to p: one dot of the pen's width. The drawing position becomes p.
    QRect dot(QPoint p);
    // A segment from the drawing position to p.
    QRect lineTo(QPoint p);
    QPoint position() const { return m_pos; }

    // The drawing as it is now, to come back to. Cheap: the copy is taken tile by tile, of the
    // tiles a stroke is about to change, and whole only before the drawing changes as a whole.
    void takeUndoCopy();
    void restoreUndoCopy();
    // Plain white.
    void clear();
    // Nothing drawn: every pixel white.
    bool isBlank() const;
    // A picture stretched over the whole canvas (a saved drawing loaded back).
    void paintPicture(const QImage& picture);

private:
    QRect segment(QPoint from, QPoint to);
    // This segment's coverage of each pixel of the area, 0..255, into piece (the area's size).
    void cover(QPoint from, QPoint to, const QRect& area, QImage& piece) const;
    // A coarse picture from a resizing is replaced by the smooth one.
    void settle() const;
    void drawingChanged()
    {
        m_base = QImage();
        if (m_coarse)
            m_image = m_image.copy(); // out of the memory the next resizing draws in
        m_coarse = false;
        m_undoCurrent = false;
    }
    void endStroke();
    // The undo copy takes the tiles of the area from the drawing, those it does not hold yet.
    void saveForUndo(const QRect& area);
    // The undo copy takes every tile it does not hold: the drawing is about to change as a whole.
    void completeUndo() { saveForUndo(m_image.rect()); }

    // Mutable: the smooth picture replaces a coarse one when the drawing is first looked at.
    mutable QImage m_image;
    mutable bool m_coarse = false; // and then m_image lies in m_scratch
    // The undo copy: where a tile is marked saved, m_undo holds it; elsewhere the drawing itself
    // is still the same as the copy. Marks exist only while m_undo has the drawing's size.
    QImage m_undo;
    std::vector<bool> m_saved;
    bool m_undoCurrent = false; // the undo copy is the drawing as it is
    QImage m_base; // the drawing before the current resizing began
    QImage m_scratch;
    // The stroke in progress: how much of each pixel its segments cover, and the drawing before
    // it. A pixel is coloured by the most any one segment covers it, never by the sum, so the
    // soft edges are alike however many segments (however slow a mouse) meet at a point. The
    // coverage stays allocated between strokes; only the area a stroke covered is cleared.
    QImage m_coverage;
    QRect m_strokeArea;
    QImage m_strokeBase;
    bool m_strokeStarted = false;
    bool m_strokeOnUndo = false; // the stroke's base is the undo copy, not m_strokeBase
    QImage m_piece;
    QColor m_color = Qt::black;
    int m_width = 5;
    QPoint m_pos;
};

} // namespace zorbel
