#pragma once
#include <QImage>
#include <QWidget>

namespace zorbel {

// The grid laid over the preview box; presses go through it to the box below.
class GridOverlay : public QWidget {
    Q_OBJECT
public:
    explicit GridOverlay(QWidget* parent);
    // The grid is stretched to this size, which may reach beyond the control's visible part.
    void setStretch(QSize size);
    QSize stretch() const { return m_stretch; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage m_grid;
    QSize m_stretch;
};

// The preview box: a white box with a sunken border that keeps what is painted into it
// until it is painted over. Coordinates of what is painted start inside the border.
class PreviewBox : public QWidget {
    Q_OBJECT
public:
    explicit PreviewBox(QWidget* parent);

    // The outer size, border included; what was painted stays where it was.
    void setOuterSize(QSize size);
    QSize innerSize() const;
    // Paints a picture stretched into target (inside coordinates) and keeps it.
    void paintPicture(const QImage& picture, const QRect& target);
    // What the box shows inside its border, at one pixel per logical pixel.
    QImage shown() const;
    GridOverlay* grid() const { return m_grid; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage m_image;
    GridOverlay* m_grid;
};

} // namespace zorbel
