#include "PreviewLayout.h"
#include <QPainter>

namespace zorbel::PreviewLayout {

QSize previewSize(bool large) { return large ? QSize(400, 300) : QSize(200, 150); }

QSize windowSize(QSize preview) { return {preview.width() + 40, preview.height() + 120}; }

QPoint panelAt(int panel, QSize window, QRect preview)
{
    // Integer division truncates toward zero, so an overhang of 8 gives -4 on each side.
    const int left = (window.width() - kPanelSize[size_t(panel)].width()) / 2;
    return {left, preview.top() + preview.height()};
}

Placement place(bool large)
{
    Placement p;
    p.preview = QRect(kPreviewAt, previewSize(large));
    p.window = windowSize(p.preview.size());
    for (int i = 0; i < 3; ++i)
        p.panels[size_t(i)] = panelAt(i, p.window, p.preview);
    return p;
}

QImage gridPicture()
{
    QImage img(400, 300, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QColor line(255, 182, 47);
    for (int x = 50; x < 400; x += 50)
        p.fillRect(x, 0, 2, 300, line);
    for (int y = 50; y < 300; y += 50)
        p.fillRect(0, y, 400, 2, line);
    return img;
}

} // namespace zorbel::PreviewLayout
