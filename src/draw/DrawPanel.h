#pragma once
#include <QImage>
#include <QWidget>

namespace zorbel {

// The button panel: a piece of the window background (taken 150 pixels to the right of where
// the panel stands) with a raised frame.
class DrawPanel : public QWidget {
    Q_OBJECT
public:
    explicit DrawPanel(QWidget* parent);
    // piece: the window background from 150 pixels to the right of the panel, at its size.
    void setBackground(const QImage& piece);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage m_share;
};

} // namespace zorbel
