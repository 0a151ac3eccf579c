#include "render.h"

#include "animal.h"

#include <QMap>
#include <QPainter>
#include <QTransform>

namespace {

const QColor Outline(40, 40, 40);
const QColor NewLine(120, 120, 120);
const QColor OldLine(200, 200, 200);
constexpr qreal OutlineWidth = 3.5;
constexpr qreal InnerWidth = 3.0;
constexpr qreal GuideWidth = 2.0;
constexpr qreal NailWidth = 2.5;
// Children copy the eye, so it never shrinks below this.
constexpr qreal MinEyeRadius = 8;

QRectF aboveGround()
{
    return QRectF(-2000, -2000, 4400, 2000 + Tpl::Ground);
}

// Maps the author's drawing into the step frame: scaled to fill it, centred,
// and land animals keep their feet on the shared ground line.
QTransform fitTransform(const Animal &sp)
{
    QPainterPath all;
    for (const Part &p : sp.parts)
        if (p.kind == Part::Solid)
            all.addPath(p.shape);
    if (sp.onGround) {
        QPainterPath ground;
        ground.addRect(aboveGround());
        all = all.intersected(ground);
    }
    const QRectF b = all.boundingRect();
    const qreal w = Tpl::Width - 2 * Tpl::Margin;
    QTransform t;
    if (sp.onGround) {
        const qreal h = Tpl::Ground - Tpl::Margin;
        const qreal s = qMin(qMin(w / b.width(), h / (Tpl::Ground - b.top())), 1.4);
        t.translate(Tpl::Width / 2.0, Tpl::Ground);
        t.scale(s, s);
        t.translate(-b.center().x(), -Tpl::Ground);
    } else {
        const qreal h = Tpl::StepHeight - 2 * Tpl::Margin;
        const qreal s = qMin(qMin(w / b.width(), h / b.height()), 1.4);
        t.translate(Tpl::Width / 2.0, Tpl::StepHeight / 2.0);
        t.scale(s, s);
        t.translate(-b.center().x(), -b.center().y());
    }
    return t;
}

struct Scene {
    QVector<Part> parts;            // in frame coordinates
    QMap<int, QPainterPath> layers; // united solids per layer
    QPainterPath silhouette;
    bool onGround = true;
};

// Feet are cut flat at the ground; their guides get the same flat sole so
// the child draws a closed foot.
void closeSoles(Scene &sc)
{
    QPainterPath strip;
    strip.addRect(QRectF(-2000, Tpl::Ground - 0.5, 4400, 1));
    for (Part &part : sc.parts) {
        if (part.kind != Part::Solid || part.shape.boundingRect().bottom() <= Tpl::Ground)
            continue;
        const QRectF sole = part.shape.intersected(strip).boundingRect();
        if (sole.isEmpty())
            continue;
        part.guide.moveTo(sole.left(), Tpl::Ground);
        part.guide.lineTo(sole.right(), Tpl::Ground);
    }
}

// Toenails sit along the front of a sole where it meets the ground; all
// animals face right, so the front is the right-hand side.
void addNails(Scene &sc)
{
    const int count = sc.parts.size();
    for (int i = 0; i < count; ++i) {
        const Part leg = sc.parts[i];
        if (leg.nails <= 0)
            continue;
        QPainterPath strip;
        strip.addRect(QRectF(-2000, Tpl::Ground - 3, 4400, 3));
        const QRectF sole = leg.shape.intersected(strip).boundingRect();
        if (sole.isEmpty())
            continue;
        const qreal w = qMin(12.0, sole.width() * 0.8 / leg.nails);
        const qreal h = qMin(8.0, w * 0.75);
        const qreal right = sole.right() - qMax(3.0, w * 0.3);
        for (int n = 0; n < leg.nails; ++n) {
            const qreal cx = right - w / 2 - n * w * 1.05;
            Part nail;
            nail.kind = Part::Nail;
            nail.role = QStringLiteral("nail");
            nail.step = 4;
            nail.layer = leg.layer;
            nail.colour = QStringLiteral("nail");
            QPainterPath p(QPointF(cx - w / 2, Tpl::Ground + 1));
            p.cubicTo(cx - w / 2, Tpl::Ground - h * 1.3, cx + w / 2, Tpl::Ground - h * 1.3,
                      cx + w / 2, Tpl::Ground + 1);
            nail.guide = p;
            p.closeSubpath();
            nail.shape = p;
            sc.parts.append(nail);
        }
    }
}

Scene buildScene(const Animal &sp)
{
    Scene sc;
    sc.onGround = sp.onGround;
    const QTransform t = fitTransform(sp);
    const qreal s = t.m11();
    QPainterPath ground;
    ground.addRect(aboveGround());
    for (Part p : sp.parts) {
        p.shape = t.map(p.shape);
        p.guide = t.map(p.guide);
        p.centre = t.map(p.centre);
        p.radius = qMax(p.radius * s, MinEyeRadius);
        if (p.kind == Part::Solid) {
            QPainterPath &layer = sc.layers[p.layer];
            layer = layer.united(p.shape);
        }
        sc.parts.append(p);
    }
    if (sc.onGround) {
        closeSoles(sc);
        addNails(sc);
    }
    for (auto it = sc.layers.begin(); it != sc.layers.end(); ++it) {
        if (sc.onGround)
            *it = it->intersected(ground);
        *it = it->simplified();
        sc.silhouette = sc.silhouette.united(*it);
    }
    sc.silhouette = sc.silhouette.simplified();
    return sc;
}

QPen pen(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawEye(QPainter &p, const Part &e, bool finished, const QColor &ink)
{
    const qreal r = e.radius;
    const QPointF pupil = e.centre + e.look * r * 0.3;
    p.setPen(pen(ink, finished ? InnerWidth : GuideWidth));
    p.setBrush(Qt::white);
    p.drawEllipse(e.centre, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(pupil, r * 0.55, r * 0.55);
    // The highlight makes the eye friendly; it is what children remember.
    p.setBrush(Qt::white);
    p.drawEllipse(pupil + QPointF(-0.22 * r, -0.22 * r), r * 0.2, r * 0.2);
}

// Where a guide may be drawn. Necks, tails and legs start and end on the
// first ovals rather than running through them, and details stop at any
// piece that stands in front of them, as they would on paper.
QPainterPath guideArea(const Scene &sc, const Part &part)
{
    QPainterPath area;
    area.addRect(QRectF(0, 0, Tpl::Width, sc.onGround ? Tpl::Ground + 1 : Tpl::StepHeight));
    if (part.kind == Part::Eye || part.kind == Part::Dot || part.kind == Part::Nail)
        return area;
    QPainterPath cover;
    for (const Part &q : sc.parts) {
        if (q.kind != Part::Solid || &q == &part || q.step > part.step)
            continue;
        const bool joins = q.step == 1 && (part.step == 2 || part.step == 3) && !part.over;
        const bool hides = part.step == 4 && q.layer > part.layer;
        if (joins || hides)
            cover = cover.united(q.shape);
    }
    return cover.isEmpty() ? area : area.subtracted(cover);
}

void drawConstruction(QPainter &p, const Scene &sc, int step)
{
    // Earlier lines first so the new ones stay on top and stand out.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Part &part : sc.parts) {
            if (part.step > step || part.step > 4)
                continue;
            const bool isNew = part.step == step;
            if (isNew != (pass == 1))
                continue;
            const QColor ink = isNew ? NewLine : OldLine;
            p.setClipPath(guideArea(sc, part));
            if (part.kind == Part::Eye) {
                drawEye(p, part, false, ink);
            } else if (part.kind == Part::Dot) {
                p.setPen(Qt::NoPen);
                p.setBrush(ink);
                p.drawPath(part.shape);
            } else {
                p.setPen(pen(ink, GuideWidth));
                p.setBrush(Qt::NoBrush);
                p.drawPath(part.guide);
            }
        }
    }
    p.setClipping(false);
}

void drawFinished(QPainter &p, const Animal &sp, const Scene &sc, bool coloured)
{
    for (auto it = sc.layers.cbegin(); it != sc.layers.cend(); ++it) {
        const QPainterPath &layer = *it;
        p.setPen(Qt::NoPen);
        if (coloured) {
            p.save();
            p.setClipPath(layer);
            for (const Part &part : sc.parts) {
                if (part.layer != it.key())
                    continue;
                if (part.kind == Part::Solid) {
                    QColor c = sp.colour(part.colour);
                    p.setBrush(part.far ? c.darker(118) : c);
                    p.drawPath(part.shape);
                }
            }
            for (const Part &part : sc.parts) {
                if (part.layer == it.key() && part.kind == Part::Paint) {
                    p.setBrush(sp.colour(part.colour));
                    p.drawPath(part.shape);
                }
            }
            p.restore();
        } else {
            p.setBrush(Qt::white);
            p.drawPath(layer);
        }
        // Lines given a layer (the ribs of a sail, say) belong to that piece
        // and are hidden by whatever stands in front of it.
        p.save();
        p.setClipPath(layer);
        for (const Part &part : sc.parts) {
            if (part.layer != it.key())
                continue;
            if (part.kind == Part::Nail) {
                p.setPen(pen(Outline, NailWidth));
                p.setBrush(coloured ? sp.colour(part.colour) : QColor(Qt::white));
                p.drawPath(part.shape);
            } else if (part.kind == Part::Stroke) {
                p.setPen(pen(Outline, InnerWidth));
                p.setBrush(Qt::NoBrush);
                p.drawPath(part.shape);
            }
        }
        p.restore();
        p.setPen(pen(Outline, InnerWidth));
        p.setBrush(Qt::NoBrush);
        p.drawPath(layer);
    }

    for (const Part &part : sc.parts) {
        if (part.kind == Part::Stroke && sc.layers.contains(part.layer))
            continue;
        if (part.kind == Part::Stroke) {
            p.setPen(pen(Outline, InnerWidth));
            p.setBrush(Qt::NoBrush);
            p.drawPath(part.shape);
        } else if (part.kind == Part::Dot) {
            p.setPen(Qt::NoPen);
            p.setBrush(Outline);
            p.drawPath(part.shape);
        } else if (part.kind == Part::Eye) {
            drawEye(p, part, true, Outline);
        }
    }

    // The outer outline goes last so nothing inside can break it.
    p.setPen(pen(Outline, OutlineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawPath(sc.silhouette);
}

} // namespace

QImage renderTemplate(const Animal &sp)
{
    const Scene sc = buildScene(sp);
    QImage img(Tpl::Width, Tpl::StepHeight * Tpl::Steps, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int step = 1; step <= Tpl::Steps; ++step) {
        p.save();
        p.translate(0, (step - 1) * Tpl::StepHeight);
        p.setClipRect(QRectF(0, 0, Tpl::Width, Tpl::StepHeight));
        if (step <= 4)
            drawConstruction(p, sc, step);
        else
            drawFinished(p, sp, sc, step == 6);
        p.restore();
    }
    return img;
}
