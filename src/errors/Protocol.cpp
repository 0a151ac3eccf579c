#include "Protocol.h"
#include "core/Cp1252.h"
#include <QSysInfo>

namespace zorbel::protocol {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kIndent(10, QLatin1Char(' '));
const QString kSeparator(70, QLatin1Char('-'));
} // namespace

SystemInfo currentSystem()
{
    return {QSysInfo::prettyProductName(), QSysInfo::productVersion(), QSysInfo::kernelVersion(),
            QSysInfo::kernelType()};
}

QString build(const Fields& f)
{
    QString t;
    auto line = [&t](const QString& s) { t += s + kCrLf; };
    line(kSeparator);
    line(QStringLiteral("F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L"));
    line(kSeparator);
    line(f.progInfoCaption.toUpper());
    line(kIndent + f.progInfo);
    line(kSeparator);
    line(f.errorCaption.toUpper());
    for (size_t i = 0; i < 4; ++i)
        line(kIndent + f.titles[i] + QLatin1Char('\t') + f.values[i]);
    line(kIndent + QStringLiteral("Datum/Uhrzeit (Date/Time):\t") + f.when.toString(QStringLiteral("MM-dd-yyyy"))
         + QStringLiteral(" / ") + f.when.toString(QStringLiteral("HH:mm:ss")));
    line(kSeparator);
    line(QStringLiteral("SYSTEMINFO:"));
    line(kIndent + QStringLiteral("Plattform/Environment:\t") + f.system.platform);
    line(kIndent + QStringLiteral("Version:\t") + f.system.version);
    line(kIndent + QStringLiteral("Build:\t") + f.system.build + QStringLiteral("   ") + f.system.servicePack);
    line(kSeparator);
    return t;
}

QStringList wrapForPrint(const QString& protocol)
{
    QStringList printed;
    QString text = protocol + kCrLf;
    qsizetype end;
    while ((end = text.indexOf(kCrLf)) >= 0) {
        const QString line = text.left(end) + QLatin1Char(' ');
        text.remove(0, end + 2);
        int column = 0;
        QString out;
        qsizetype start = 0;
        while (start < line.size()) {
            const qsizetype blank = line.indexOf(QLatin1Char(' '), start);
            const QString word = line.mid(start, blank < 0 ? -1 : blank - start + 1);
            start += word.size();
            column += int(word.size());
            // Past column 73 the line is cut before this word; what follows is indented by 20 blanks
            // that do not count. A word too long for any line is never split.
            if (column > 73) {
                if (!out.isEmpty())
                    printed << out;
                out = QString(20, QLatin1Char(' '));
                column = int(word.size());
            }
            out += word;
        }
        if (!out.isEmpty())
            printed << out;
    }
    return printed;
}

QString LPSTRToVBString(const QByteArray& buffer)
{
    const qsizetype nul = buffer.indexOf('\0');
    return nul < 0 ? QString() : cp1252::decode(buffer.left(nul));
}

QByteArray toAnsi(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character outside the code page is one '?', also when it takes two UTF-16 units.
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const auto code = cp1252::encode(QStringView(text).mid(i, n));
        out += code ? *code : QByteArray("?");
        i += n - 1;
    }
    return out;
}

} // namespace zorbel::protocol
