#include "animal.h"

#include "geometry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

QColor Animal::colour(const QString &name) const
{
    if (name.startsWith(u'#'))
        return QColor(name);
    const auto it = palette.constFind(name.isEmpty() ? QStringLiteral("body") : name);
    return it == palette.constEnd() ? QColor(Qt::magenta) : *it;
}

namespace {

struct RoleInfo {
    Part::Kind kind;
    int step;
    int layer;
};

// Which step introduces each kind of part follows the order children are
// taught: big ovals, then the guides that join them, legs, then details.
const QHash<QString, RoleInfo> &roles()
{
    static const QHash<QString, RoleInfo> table = {
        {QStringLiteral("body"), {Part::Solid, 1, 2}},
        {QStringLiteral("head"), {Part::Solid, 1, 2}},
        {QStringLiteral("hip"), {Part::Solid, 1, 2}},
        {QStringLiteral("neck"), {Part::Solid, 2, 2}},
        {QStringLiteral("tail"), {Part::Solid, 2, 2}},
        {QStringLiteral("leg"), {Part::Solid, 3, 3}},
        {QStringLiteral("arm"), {Part::Solid, 3, 3}},
        {QStringLiteral("feature"), {Part::Solid, 4, 2}},
        {QStringLiteral("eye"), {Part::Eye, 4, 9}},
        {QStringLiteral("mouth"), {Part::Stroke, 4, 9}},
        {QStringLiteral("line"), {Part::Stroke, 4, 9}},
        {QStringLiteral("dot"), {Part::Dot, 4, 9}},
        {QStringLiteral("paint"), {Part::Paint, 6, 2}},
    };
    return table;
}

bool toNumbers(const QStringList &tokens, QVector<qreal> *out)
{
    for (const QString &t : tokens) {
        bool ok = false;
        out->append(t.toDouble(&ok));
        if (!ok)
            return false;
    }
    return true;
}

// Builds the shape of a part from "<shape> args...". Returns an error text or
// an empty string.
QString buildShape(const QString &shape, const QStringList &args, bool open, Part *part)
{
    QVector<qreal> n;
    if (shape == u"path") {
        QString err;
        if (!parseSvgPath(args.join(u' '), &part->shape, &err))
            return err;
        part->guide = part->shape;
        return {};
    }
    if (!toNumbers(args, &n))
        return QStringLiteral("expected numbers after '%1'").arg(shape);

    if (shape == u"oval") {
        if (n.size() != 4 && n.size() != 5)
            return QStringLiteral("oval needs cx cy rx ry [degrees]");
        QPainterPath p;
        p.addEllipse(QPointF(n[0], n[1]), n[2], n[3]);
        if (n.size() == 5) {
            QTransform t;
            t.translate(n[0], n[1]);
            t.rotate(n[4]);
            t.translate(-n[0], -n[1]);
            p = t.map(p);
        }
        part->shape = part->guide = p;
        return {};
    }
    if (shape == u"poly") {
        if (n.size() < 6 || n.size() % 2)
            return QStringLiteral("poly needs at least three x y pairs");
        QPolygonF poly;
        for (int i = 0; i < n.size(); i += 2)
            poly << QPointF(n[i], n[i + 1]);
        QPainterPath p;
        p.addPolygon(poly);
        p.closeSubpath();
        part->shape = part->guide = p;
        return {};
    }
    if (shape == u"tube") {
        if (n.size() < 6 || n.size() % 3)
            return QStringLiteral("tube needs at least two x y width triples");
        QVector<TubePoint> pts;
        for (int i = 0; i < n.size(); i += 3)
            pts.append({QPointF(n[i], n[i + 1]), n[i + 2]});
        const Tube tube = buildTube(pts);
        part->shape = tube.outline;
        part->guide = tube.sides;
        if (!open)
            part->guide.addPath(tube.endCap);
        return {};
    }
    if (shape == u"circle") {
        if (n.size() != 3)
            return QStringLiteral("circle needs cx cy r");
        part->centre = QPointF(n[0], n[1]);
        part->radius = n[2];
        QPainterPath p;
        p.addEllipse(part->centre, n[2], n[2]);
        part->shape = part->guide = p;
        return {};
    }
    return QStringLiteral("unknown shape '%1'").arg(shape);
}

} // namespace

bool loadAnimal(const QString &path, Animal *out, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = path + QStringLiteral(": cannot open");
        return false;
    }
    Animal sp;
    sp.file = QFileInfo(path).completeBaseName();
    sp.palette.insert(QStringLiteral("white"), Qt::white);
    sp.palette.insert(QStringLiteral("nail"), QColor(0xff, 0xf3, 0xd6));
    QTextStream in(&f);
    int lineNo = 0;
    auto fail = [&](const QString &msg) {
        *error = QStringLiteral("%1:%2: %3").arg(path).arg(lineNo).arg(msg);
        return false;
    };
    while (!in.atEnd()) {
        ++lineNo;
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList tok = line.split(QRegularExpression(QStringLiteral("\\s+")));
        const QString key = tok.takeFirst();
        if (key == u"name") {
            sp.name = tok.join(u' ');
            continue;
        }
        if (key == u"ground") {
            sp.onGround = tok.value(0) != u"no";
            continue;
        }
        if (key == u"colours") {
            for (const QString &t : tok) {
                const int eq = t.indexOf(u'=');
                const QColor c(t.mid(eq + 1));
                if (eq < 1 || !c.isValid())
                    return fail(QStringLiteral("bad colour '%1'").arg(t));
                sp.palette.insert(t.left(eq), c);
            }
            continue;
        }
        const auto role = roles().constFind(key);
        if (role == roles().constEnd())
            return fail(QStringLiteral("unknown keyword '%1'").arg(key));

        Part part;
        part.role = key;
        part.kind = role->kind;
        part.step = role->step;
        part.layer = role->layer;
        part.colour = part.kind == Part::Paint ? QString() : QStringLiteral("body");
        // Options (key=value or bare flags) follow the geometry.
        bool open = false;
        bool layerSet = false;
        while (!tok.isEmpty()) {
            const QString &t = tok.last();
            if (t.contains(u'=')) {
                const QString k = t.section(u'=', 0, 0);
                const QString v = t.section(u'=', 1);
                if (k == u"z") {
                    part.layer = v.toInt();
                    layerSet = true;
                } else if (k == u"c") {
                    part.colour = v;
                } else if (k == u"nails") {
                    part.nails = qBound(0, v.toInt(), 5);
                } else if (k == u"step") {
                    part.step = v.toInt();
                } else {
                    return fail(QStringLiteral("unknown option '%1'").arg(k));
                }
            } else if (t == u"far") {
                part.far = true;
            } else if (t == u"over") {
                part.over = true;
            } else if (t == u"open") {
                open = true;
            } else {
                break;
            }
            tok.removeLast();
        }
        if (part.far && !layerSet)
            part.layer = 0;
        if (part.kind == Part::Eye) {
            QVector<qreal> n;
            if (!toNumbers(tok, &n) || (n.size() != 3 && n.size() != 5))
                return fail(QStringLiteral("eye needs cx cy r [lookx looky]"));
            part.centre = QPointF(n[0], n[1]);
            part.radius = n[2];
            if (n.size() == 5)
                part.look = QPointF(n[3], n[4]);
            sp.parts.append(part);
            continue;
        }
        if (tok.isEmpty())
            return fail(QStringLiteral("'%1' needs a shape").arg(key));
        const QString shape = tok.takeFirst();
        const QString err = buildShape(shape, tok, open, &part);
        if (!err.isEmpty())
            return fail(err);
        sp.parts.append(part);
    }
    if (sp.name.isEmpty())
        return fail(QStringLiteral("missing 'name'"));
    *out = sp;
    return true;
}

bool loadAllAnimals(const QString &dir, QVector<Animal> *out, QString *error)
{
    QFile f(QDir(dir).filePath(QStringLiteral("order.txt")));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = f.fileName() + QStringLiteral(": cannot open");
        return false;
    }
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString name = in.readLine().section(u'#', 0, 0).trimmed();
        if (name.isEmpty())
            continue;
        Animal sp;
        if (!loadAnimal(QDir(dir).filePath(name + QStringLiteral(".dino")), &sp, error))
            return false;
        out->append(sp);
    }
    return true;
}
