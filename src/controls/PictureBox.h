#pragma once
#include <QImage>
#include <QWidget>

namespace zorbel {

// A built-in picture stretched over the whole control, drawn at the screen's pixel ratio so it
// stays crisp; optionally clickable (image arrays such as the language flags carry their index).
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(int resourceId, int index, QWidget* parent);
    int index() const { return m_index; }
    // The flag of the language in use carries a frame.
    void setMarked(bool marked);
    bool marked() const { return m_marked; }

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    int m_resourceId;
    int m_index;
    QImage m_source; // drawn at the largest size so far
    QImage m_cache;  // at the control's size
    bool m_marked = false;
};

} // namespace zorbel
