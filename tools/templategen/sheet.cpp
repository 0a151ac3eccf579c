#include "sheet.h"

#include "render.h"

#include <QFont>
#include <QPainter>

QImage contactSheet(const QVector<QImage> &templates, const QStringList &names,
                    int firstNumber, qreal scale)
{
    const int cellW = qRound(Tpl::Width * scale);
    const int cellH = qRound(Tpl::StepHeight * scale);
    const int labelH = 22;
    const int gap = 6;
    const int rowH = labelH + cellH + gap;
    QImage sheet(gap + Tpl::Steps * (cellW + gap), rowH * templates.size() + gap,
                 QImage::Format_RGB32);
    sheet.fill(QColor(225, 225, 230));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    for (int i = 0; i < templates.size(); ++i) {
        const int y = gap + i * rowH;
        p.setPen(Qt::black);
        p.drawText(QRect(gap, y, sheet.width(), labelH), Qt::AlignVCenter,
                   QStringLiteral("%1  %2").arg(firstNumber + i).arg(names.value(i)));
        for (int s = 0; s < Tpl::Steps; ++s) {
            const QImage step = templates[i].copy(0, s * Tpl::StepHeight, Tpl::Width,
                                                  Tpl::StepHeight);
            p.drawImage(QRect(gap + s * (cellW + gap), y + labelH, cellW, cellH), step);
        }
    }
    return sheet;
}
