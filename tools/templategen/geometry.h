// Shape builders used by the template descriptions.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QVector>

struct TubePoint {
    QPointF pos;
    qreal width = 0;
};

// A tapering sausage along a smooth curve through the given points.
// The closed outline has round caps; the sides alone are what a child
// draws as a neck, tail or leg guide.
struct Tube {
    QPainterPath outline;
    QPainterPath sides;      // both long edges, open
    QPainterPath endCap;     // the round cap at the last point, open
};

Tube buildTube(const QVector<TubePoint> &points);

// Parses SVG-style path data (M L H V C S Q T Z, absolute and relative).
// Returns false and leaves an error message on malformed input.
bool parseSvgPath(const QString &data, QPainterPath *out, QString *error);
