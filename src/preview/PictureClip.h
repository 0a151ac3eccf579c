#pragma once
#include <QImage>

namespace zorbel {

// Holds one picture and hands out its equal horizontal bands: a template is six stacked steps.
class PictureClip {
public:
    static constexpr int kRows = 6;

    void setPicture(const QImage& picture) { m_picture = picture; }

    // Band k from the top (k = 0 .. 5). Without a picture, or for another k, error 380.
    QImage cell(int k) const;

private:
    QImage m_picture;
};

} // namespace zorbel
