#pragma once
#include <QImage>
#include <QString>

namespace zorbel {

// Holds one picture and hands out its equal horizontal bands: a template is six stacked steps.
class PictureClip {
public:
    static constexpr int kRows = 6;

    void setPicture(const QImage& picture)
    {
        m_picture = picture;
        m_file.clear();
        m_size = picture.size();
    }
    // A picture file, read band by band when a band is asked for: only the step on show is ever
    // held decoded, a sixth of the picture. Error 481 when the file holds no picture.
    void setPictureFile(const QString& path);

    // Band k from the top (k = 0 .. 5). Without a picture, or for another k, error 380.
    QImage cell(int k) const;

private:
    QImage m_picture;
    QString m_file;
    QSize m_size;
};

} // namespace zorbel
