#pragma once
#include <QAbstractButton>
#include <QColor>
#include <QImage>

namespace zorbel {

// The program's picture button: one glyph in the caption colour on a warm gold face, with hover
// and pressed looks; greyed and silent when disabled. Buttons of a window form an array and
// report their index with the click.
class VisualButton : public QAbstractButton {
    Q_OBJECT
public:
    // code: the character code in windowsFont ("Wingdings" symbols, or a text font such as "Arial Black").
    VisualButton(int index, int code, const QString& windowsFont, double points, QWidget* parent);

    int index() const { return m_index; }
    void setForeColor(const QColor& c);
    QColor foreColor() const { return m_fore; }
    QSize sizeHint() const override { return {49, 33}; }

    static QColor faceColor() { return {222, 191, 120}; }

signals:
    void clickedIndex(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    struct FaceKey {
        QSize size;
        qreal dpr = 0;
        bool enabled = false, down = false, hover = false;
        QRgb fore = 0;
        QString text, font;
        bool operator==(const FaceKey&) const = default;
    };
    void drawFace(QPainter& p, bool down) const;

    int m_index;
    QColor m_fore = Qt::black;
    bool m_hover = false;
    QImage m_face; // the face as last drawn, for m_faceKey
    FaceKey m_faceKey;
};

} // namespace zorbel
