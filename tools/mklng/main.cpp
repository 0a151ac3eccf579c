// Turns the readable text table (UTF-8, escapes, comments) into the bytes the program
// embeds: Windows-1252, CR LF line ends, three zero bytes at the end.
#include "core/Cp1252.h"
#include <QFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zorbel_mklng SOURCE.txt OUTPUT.lng\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "zorbel_mklng: cannot read %s\n", argv[1]);
        return 1;
    }
    const QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    QByteArray out;
    int number = 0;
    for (QString line : lines) {
        ++number;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QString text;
        for (int i = 0; i < line.size(); ++i) {
            if (line[i] != QLatin1Char('\\') || i + 1 == line.size()) {
                text += line[i];
                continue;
            }
            const QChar e = line[++i];
            text += e == QLatin1Char('t') ? QStringLiteral("\t") : e == QLatin1Char('s') ? QStringLiteral(" ") : QString(e);
        }
        const auto bytes = zorbel::cp1252::encode(text);
        if (!bytes) {
            std::fprintf(stderr, "%s:%d: character outside Windows-1252\n", argv[1], number);
            return 1;
        }
        out += *bytes + "\r\n";
    }
    out.append(3, '\0');
    QFile o(QString::fromLocal8Bit(argv[2]));
    if (!o.open(QIODevice::WriteOnly | QIODevice::Truncate) || o.write(out) != out.size()) {
        std::fprintf(stderr, "zorbel_mklng: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
