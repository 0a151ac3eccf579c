#include "PreviewSteps.h"
#include "core/Basic.h"
#include "core/failure/VbError.h"
#include <QCollator>
#include <QDir>
#include <algorithm>

namespace zorbel::PreviewSteps {

int back(int16_t& step, StepButtons& buttons)
{
    if (step <= 0)
        return -1;
    --step;
    if (step < 1)
        buttons.previous = false;
    else
        buttons.next = true;
    return step;
}

int forward(int16_t& step, StepButtons& buttons)
{
    if (step >= kLastStep)
        return -1;
    ++step;
    if (step > kLastStep - 1)
        buttons.next = false;
    else
        buttons.previous = true;
    return step;
}

int16_t previousTemplate(int16_t image, int16_t count)
{
    const int n = image - 1;
    return n < 1 ? count : int16_t(n);
}

int16_t nextTemplate(int16_t image, int16_t count)
{
    const int n = image + 1;
    if (n > 32767)
        throw VbError(vberr::Overflow);
    return n > count ? int16_t(1) : int16_t(n);
}

int16_t templateId(int16_t n)
{
    const int id = 100 + n;
    if (id > 32767)
        throw VbError(vberr::Overflow);
    return int16_t(id);
}

int16_t clampImage(int16_t image, int16_t count)
{
    if (image > count)
        return count;
    if (image < 1)
        return 1;
    return image;
}

QPoint defaultPosition(double drawOuterWidthTwips, int drawPanelTopPx, double twipsPerPixelY,
                       double windowHeightTwips)
{
    return {int(basic::roundEven(0.08 * drawOuterWidthTwips)),
            int(basic::roundEven(drawPanelTopPx * twipsPerPixelY - 1.1 * windowHeightTwips))};
}

namespace {
QStringView run(QStringView s, qsizetype& at)
{
    const qsizetype start = at;
    const bool digits = s[at].isDigit();
    while (at < s.size() && s[at].isDigit() == digits)
        ++at;
    return s.mid(start, at - start);
}

// Numbers by value ("dino 9" before "dino 10"), words as the collator orders them, case ignored.
// The collator's own numeric mode is not there in every locale (not in "C"), so numbers are ours.
int naturalCompare(const QCollator& words, QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool numbers = a[i].isDigit() && b[j].isDigit();
        QStringView x = run(a, i), y = run(b, j);
        if (numbers) {
            while (x.size() > 1 && x.front() == u'0')
                x = x.mid(1);
            while (y.size() > 1 && y.front() == u'0')
                y = y.mid(1);
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
            if (const int c = x.compare(y))
                return c;
        } else if (const int c = words.compare(x, y)) {
            return c;
        }
    }
    return (i < a.size()) - (j < b.size());
}
} // namespace

QStringList pictureFiles(const QString& folder)
{
    QStringList names = QDir(folder).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::NoSort);
    QCollator words;
    words.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int c = naturalCompare(words, shownName(a), shownName(b));
        return c != 0 ? c < 0 : a < b; // names equal but for case keep one fixed order
    });
    return names;
}

QString shownName(const QString& fileName)
{
    if (fileName.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
        return fileName.left(fileName.size() - 4);
    return fileName;
}

} // namespace zorbel::PreviewSteps
