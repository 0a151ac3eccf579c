#pragma once
#include <QImage>
#include <QWidget>

namespace zorbel {

// The palette picture in a box with a sunken 2-pixel border. A press inside the border is
// reported with the point in the picture's pixels; a press on the border goes to the window.
class PaletteBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2;
    explicit PaletteBox(QWidget* parent);
    // The colour of the picture's pixel as displayed, at a point inside the border.
    QColor pixelColor(QPoint at) const;
    const QImage& picture() const { return m_picture; }

signals:
    void mouseDown(int button, int shift, QPoint at, QPoint globalAt);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QImage m_picture;
};

} // namespace zorbel
