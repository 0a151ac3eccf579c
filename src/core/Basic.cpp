#include "Basic.h"
#include "core/failure/VbError.h"
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <cmath>
#include <limits>

namespace zorbel::basic {

double roundEven(double value)
{
    const double r = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return r;
}

namespace {
template <class T>
T toWhole(double value)
{
    if (!std::isfinite(value))
        throw VbError(vberr::Overflow);
    const double r = roundEven(value);
    if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max()))
        throw VbError(vberr::Overflow);
    return T(r);
}
} // namespace

int16_t CInt(double value) { return toWhole<int16_t>(value); }
int32_t CLng(double value) { return toWhole<int32_t>(value); }
int16_t CInt(const QString& text) { return CInt(parseNumber(text)); }
int32_t CLng(const QString& text) { return CLng(parseNumber(text)); }

double parseNumber(const QString& text)
{
    // Only plain decimal notation: toDouble alone would also take "inf" and "nan".
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QString t = text.trimmed();
    if (!number.match(t).hasMatch())
        throw VbError(vberr::TypeMismatch);
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok) {
        // A well-formed number beyond a double ("1e309") is too large, not a wrong type; one
        // too small to tell from zero is zero.
        if (std::isinf(v))
            throw VbError(vberr::Overflow);
        return 0.0;
    }
    return v;
}

namespace {
double dpi(bool horizontal)
{
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return 96.0;
    const double d = horizontal ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY();
    return d > 0 ? d : 96.0;
}
} // namespace

double twipsPerPixelX() { return 1440.0 / dpi(true); }
double twipsPerPixelY() { return 1440.0 / dpi(false); }

} // namespace zorbel::basic
