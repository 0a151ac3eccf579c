// Draws the dinosaur templates from their descriptions.
//
//   zorbel_templategen [--count N] <assets dir> <output dir>
//       writes 101.png, 102.png, ... in the order given by order.txt
//   zorbel_templategen --sheet <assets dir> <sheet.png> [first [last [scale]]]
//       writes a contact sheet of templates first..last (1-based) to review

#include "render.h"
#include "sheet.h"
#include "animal.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <memory>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: zorbel_templategen [--count N] <assets dir> <output dir>\n"
                 "       zorbel_templategen --sheet <assets dir> <sheet.png> [first [last "
                 "[scale]]]\n");
    return 2;
}

int writeTemplates(const QVector<Animal> &all, const QString &outDir)
{
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    for (int i = 0; i < all.size(); ++i) {
        const QString file = QDir(outDir).filePath(QStringLiteral("%1.png").arg(101 + i));
        if (!renderTemplate(all[i]).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

int writeSheet(const QVector<Animal> &all, const QStringList &args)
{
    const int first = qBound(1, args.value(2, QStringLiteral("1")).toInt(), int(all.size()));
    const int last = qBound(first, args.value(3, QString::number(all.size())).toInt(),
                            int(all.size()));
    const qreal scale = args.value(4, QStringLiteral("0.4")).toDouble();
    QVector<QImage> images;
    QStringList names;
    for (int i = first - 1; i < last; ++i) {
        images << renderTemplate(all[i]);
        names << all[i].name;
    }
    const QString file = args.value(1);
    if (!contactSheet(images, names, first, scale).save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const bool sheet = !args.isEmpty() && args.first() == u"--sheet";
    if (sheet)
        args.removeFirst();
    int expected = -1;
    if (args.size() >= 2 && args.first() == u"--count") {
        expected = args.at(1).toInt();
        args.remove(0, 2);
    }
    if (args.size() < 2)
        return usage();

    // Only the contact sheet draws text and so needs fonts from a GUI app;
    // the templates themselves are drawn during the build, with no display.
    std::unique_ptr<QGuiApplication> app;
    if (sheet) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    QVector<Animal> all;
    QString error;
    if (!loadAllAnimals(args[0], &all, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (expected >= 0 && all.size() != expected) {
        std::fprintf(stderr, "order.txt lists %d templates, the build expects %d\n",
                     int(all.size()), expected);
        return 1;
    }
    return sheet ? writeSheet(all, args) : writeTemplates(all, args[1]);
}
