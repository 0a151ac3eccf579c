// A contact sheet of finished templates, for reviewing them by eye.
#pragma once

#include <QImage>
#include <QStringList>
#include <QVector>

// One row per template: its number, name and all six steps side by side.
QImage contactSheet(const QVector<QImage> &templates, const QStringList &names,
                    int firstNumber, qreal scale);
