#include "ButtonGlyphs.h"
#include <array>

namespace zorbel::glyphs {

namespace {
struct Glyph {
    int code;
    char32_t unicode;
};
// Wingdings code -> Unicode 7.0 symbol. Yin yang and Cancer get U+FE0E below so no colour emoji
// font takes them over.
constexpr std::array kWingdings{
    Glyph{33, U'\U0001F589'}, Glyph{41, U'\u2706'},      Glyph{49, U'\U0001F5C1'}, Glyph{60, U'\U0001F5AB'},
    Glyph{91, U'\u262F'},     Glyph{97, U'\u264B'},      Glyph{111, U'\U0001F78F'}, Glyph{121, U'\u2BB9'},
    Glyph{177, U'\u2316'},    Glyph{197, U'\u2BB2'},     Glyph{215, U'\u2B98'},     Glyph{216, U'\u2B9A'},
    Glyph{244, U'\u21F3'},    Glyph{251, U'\U0001F5F6'}, Glyph{253, U'\U0001F5F7'}, Glyph{254, U'\U0001F5F9'},
};
} // namespace

QString forCode(int code, const QString& windowsFont)
{
    if (windowsFont.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) != 0)
        return QString(QChar(code));
    for (const Glyph& g : kWingdings) {
        if (g.code != code)
            continue;
        QString s = QString::fromUcs4(&g.unicode, 1);
        if (g.unicode == U'\u262F' || g.unicode == U'\u264B')
            s += QChar(0xFE0E);
        return s;
    }
    return QString(QChar(code));
}

} // namespace zorbel::glyphs
