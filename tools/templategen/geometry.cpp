#include "geometry.h"

#include <QLineF>
#include <QtMath>

namespace {

QPointF catmullRom(const QPointF &p0, const QPointF &p1, const QPointF &p2,
                   const QPointF &p3, qreal t)
{
    const qreal t2 = t * t;
    const qreal t3 = t2 * t;
    return 0.5 * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2
                  + (-p0 + 3 * p1 - 3 * p2 + p3) * t3);
}

QPointF normalOf(const QPointF &d)
{
    const qreal len = std::hypot(d.x(), d.y());
    if (len < 1e-9)
        return QPointF(0, 1);
    return QPointF(-d.y() / len, d.x() / len);
}

// Half circle around `centre` from the left edge over the tip (in direction
// `dir`) to the right edge, matching the side lines of a tube.
void addCap(QPainterPath &path, const QPointF &centre, const QPointF &dir, qreal radius,
            bool startWithMove)
{
    const qreal base = qAtan2(dir.y(), dir.x());
    const int steps = 12;
    for (int i = 0; i <= steps; ++i) {
        const qreal a = base + M_PI_2 - M_PI * i / steps;
        const QPointF p = centre + radius * QPointF(qCos(a), qSin(a));
        if (i == 0 && startWithMove)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
}

} // namespace

Tube buildTube(const QVector<TubePoint> &pts)
{
    Tube tube;
    if (pts.size() < 2)
        return tube;

    // Sample the centre line with its widths.
    QVector<QPointF> centre;
    QVector<qreal> width;
    const int perSegment = 20;
    for (int i = 0; i + 1 < pts.size(); ++i) {
        const QPointF p0 = pts[qMax(0, i - 1)].pos;
        const QPointF p1 = pts[i].pos;
        const QPointF p2 = pts[i + 1].pos;
        const QPointF p3 = pts[qMin(int(pts.size()) - 1, i + 2)].pos;
        for (int s = 0; s < perSegment; ++s) {
            const qreal t = qreal(s) / perSegment;
            centre << catmullRom(p0, p1, p2, p3, t);
            // smoothstep keeps the taper free of kinks at the control points
            const qreal e = t * t * (3 - 2 * t);
            width << pts[i].width + (pts[i + 1].width - pts[i].width) * e;
        }
    }
    centre << pts.last().pos;
    width << pts.last().width;

    const int n = centre.size();
    QVector<QPointF> left(n), right(n), dirs(n);
    for (int i = 0; i < n; ++i) {
        const QPointF d = centre[qMin(n - 1, i + 1)] - centre[qMax(0, i - 1)];
        dirs[i] = d;
        const QPointF nrm = normalOf(d);
        left[i] = centre[i] + nrm * width[i] / 2;
        right[i] = centre[i] - nrm * width[i] / 2;
    }

    QPainterPath &o = tube.outline;
    o.setFillRule(Qt::WindingFill);
    o.moveTo(left[0]);
    for (int i = 1; i < n; ++i)
        o.lineTo(left[i]);
    addCap(o, centre[n - 1], dirs[n - 1], width[n - 1] / 2, false);
    for (int i = n - 1; i >= 0; --i)
        o.lineTo(right[i]);
    addCap(o, centre[0], -dirs[0], width[0] / 2, false);
    o.closeSubpath();

    tube.sides.moveTo(left[0]);
    for (int i = 1; i < n; ++i)
        tube.sides.lineTo(left[i]);
    tube.sides.moveTo(right[0]);
    for (int i = 1; i < n; ++i)
        tube.sides.lineTo(right[i]);

    addCap(tube.endCap, centre[n - 1], dirs[n - 1], width[n - 1] / 2, true);
    return tube;
}

namespace {

class PathReader
{
public:
    explicit PathReader(const QString &s) : m_s(s) {}

    void skipSeparators()
    {
        while (m_i < m_s.size() && (m_s[m_i].isSpace() || m_s[m_i] == u','))
            ++m_i;
    }
    bool atEnd()
    {
        skipSeparators();
        return m_i >= m_s.size();
    }
    bool nextIsCommand()
    {
        skipSeparators();
        return m_i < m_s.size() && m_s[m_i].isLetter();
    }
    QChar command() { return m_s[m_i++]; }
    bool number(qreal *v)
    {
        skipSeparators();
        int start = m_i;
        if (m_i < m_s.size() && (m_s[m_i] == u'-' || m_s[m_i] == u'+'))
            ++m_i;
        while (m_i < m_s.size() && (m_s[m_i].isDigit() || m_s[m_i] == u'.'))
            ++m_i;
        bool ok = false;
        *v = m_s.mid(start, m_i - start).toDouble(&ok);
        return ok;
    }
    bool point(QPointF *p)
    {
        qreal x, y;
        if (!number(&x) || !number(&y))
            return false;
        *p = QPointF(x, y);
        return true;
    }

private:
    QString m_s;
    int m_i = 0;
};

} // namespace

bool parseSvgPath(const QString &data, QPainterPath *out, QString *error)
{
    PathReader r(data);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    QPointF cur, start, lastCtrl;
    QChar cmd, prev;
    while (!r.atEnd()) {
        if (r.nextIsCommand())
            cmd = r.command();
        else if (cmd.isNull()) {
            *error = QStringLiteral("expected a command letter");
            return false;
        }
        const bool rel = cmd.isLower();
        const QPointF base = rel ? cur : QPointF();
        const QChar c = cmd.toUpper();
        QPointF p1, p2, p3;
        qreal v;
        bool ok = true;
        if (c == u'Z') {
            path.closeSubpath();
            cur = start;
            prev = c;
            cmd = QChar(); // a number right after Z is an error
            continue;
        } else if (c == u'M') {
            ok = r.point(&p1);
            cur = start = base + p1;
            path.moveTo(cur);
            cmd = rel ? u'l' : u'L'; // following pairs are line segments
        } else if (c == u'L') {
            ok = r.point(&p1);
            cur = base + p1;
            path.lineTo(cur);
        } else if (c == u'H') {
            ok = r.number(&v);
            cur.setX(rel ? cur.x() + v : v);
            path.lineTo(cur);
        } else if (c == u'V') {
            ok = r.number(&v);
            cur.setY(rel ? cur.y() + v : v);
            path.lineTo(cur);
        } else if (c == u'C') {
            ok = r.point(&p1) && r.point(&p2) && r.point(&p3);
            path.cubicTo(base + p1, base + p2, base + p3);
            lastCtrl = base + p2;
            cur = base + p3;
        } else if (c == u'S') {
            ok = r.point(&p2) && r.point(&p3);
            p1 = (prev == u'C' || prev == u'S') ? 2 * cur - lastCtrl : cur;
            path.cubicTo(p1, base + p2, base + p3);
            lastCtrl = base + p2;
            cur = base + p3;
        } else if (c == u'Q') {
            ok = r.point(&p1) && r.point(&p2);
            path.quadTo(base + p1, base + p2);
            lastCtrl = base + p1;
            cur = base + p2;
        } else if (c == u'T') {
            ok = r.point(&p2);
            p1 = (prev == u'Q' || prev == u'T') ? 2 * cur - lastCtrl : cur;
            path.quadTo(p1, base + p2);
            lastCtrl = p1;
            cur = base + p2;
        } else {
            *error = QStringLiteral("unknown path command '%1'").arg(cmd);
            return false;
        }
        if (!ok) {
            *error = QStringLiteral("bad numbers after '%1'").arg(cmd);
            return false;
        }
        prev = c;
    }
    *out = path;
    return true;
}
