// One dinosaur as described in assets/templates/<name>.dino.
#pragma once

#include <QColor>
#include <QHash>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <QVector>

struct Part {
    enum Kind {
        Solid,  // a closed piece of the animal; joins the outline
        Eye,
        Stroke, // mouth, toe marks and other open lines inside the animal
        Dot,    // nostrils
        Paint,  // colour-only patches: belly, spots, stripes, cheeks
        Nail,   // a toenail on a foot resting on the ground
    };

    Kind kind = Solid;
    QString role;
    int step = 1;       // the step that introduces it (6 = colour only)
    int layer = 2;      // drawing order in the finished picture
    QString colour;     // a name from the palette or #rrggbb
    bool far = false;   // on the far side: drawn behind, a shade darker
    bool over = false;  // its guide crosses the first ovals instead of stopping at them
    int nails = 0;      // feet only: toenails along the front of the sole
    QPainterPath shape; // closed for Solid/Paint/Dot, open for Stroke
    QPainterPath guide; // what the child draws in the construction steps
    QPointF centre;     // eye only
    qreal radius = 0;   // eye only
    QPointF look{1, 0}; // eye only: where the pupil sits
};

struct Animal {
    QString name;
    QString file;
    bool onGround = true;
    QHash<QString, QColor> palette;
    QVector<Part> parts;

    QColor colour(const QString &name) const;
};

// Reads one description. On failure returns false with "file:line: message".
bool loadAnimal(const QString &path, Animal *out, QString *error);

// Reads order.txt (one description name per line, easiest first) and all
// the descriptions it lists.
bool loadAllAnimals(const QString &dir, QVector<Animal> *out, QString *error);
