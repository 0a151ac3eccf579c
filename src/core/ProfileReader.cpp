#include "ProfileReader.h"
#include "Cp1252.h"
#include <QFile>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zorbel::profile {

namespace {
QStringView strip(QStringView s)
{
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.isNull(); };
    while (!s.isEmpty() && blank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && blank(s.back()))
        s.chop(1);
    return s;
}
} // namespace

namespace {
// Walks the key lines of one section in file order; visit(key, value) returns false to stop.
template <class Visit>
void walkSection(const QString& text, const QString& section, Visit visit)
{
    bool inSection = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = strip(line.endsWith(QLatin1Char('\r')) ? line.chopped(1) : line);
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QStringView name = strip(line.mid(1, close < 0 ? -1 : close - 1));
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inSection || eq < 0)
            continue;
        if (!visit(strip(line.first(eq)), strip(line.mid(eq + 1))))
            return;
    }
}
} // namespace

QString lookup(const QByteArray& iniBytes, const QString& section, const QString& key, const QString& def)
{
    // The text table ends in zero bytes, and the tail of a longer stale file may follow them;
    // that tail is read too, but the table's own keys come first and so win.
    const QString text = cp1252::decode(iniBytes);
    std::optional<QString> found;
    walkSection(text, section, [&](QStringView k, QStringView v) {
        if (k.compare(key, Qt::CaseInsensitive) != 0)
            return true;
        found = v.left(kMaxValue).toString();
        return false;
    });
    return found ? *found : strip(def).left(kMaxValue).toString();
}

QString lookupFile(const QString& path, const QString& section, const QString& key, const QString& def)
{
    const std::optional<QByteArray> bytes = readFile(path);
    if (!bytes)
        return strip(def).left(kMaxValue).toString();
    return lookup(*bytes, section, key, def);
}

std::optional<QByteArray> readFile(const QString& path)
{
    QFile f(path);
#ifdef Q_OS_UNIX
    // Without blocking and only a plain file of our own: a FIFO planted at the name would hold
    // the program for ever, and a file of someone else's is not our text table.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()
        || !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
#else
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
#endif
    return f.readAll();
}

QHash<QString, QString> sectionValues(const QByteArray& iniBytes, const QString& section)
{
    // The same walk as lookup(), once for all keys: the first line of a key wins.
    const QString text = cp1252::decode(iniBytes);
    QHash<QString, QString> values;
    walkSection(text, section, [&](QStringView k, QStringView v) {
        const QString key = k.toString().toLower();
        if (!values.contains(key))
            values.insert(key, v.left(kMaxValue).toString());
        return true;
    });
    return values;
}

} // namespace zorbel::profile
