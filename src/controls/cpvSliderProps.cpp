// The slider's stored properties, a newly placed instance, and its colours and built-in thumb.
#include "DrawEdge.h"
#include "PropertyBag.h"
#include "cpvSlider.h"
#include "core/failure/Failure.h"
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <limits>

namespace zorbel {

namespace {
constexpr const char* kModule = "cpvSlider";

qint64 wholeNumber(const QVariant& v)
{
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok)
        throw VbError(vberr::TypeMismatch);
    return n;
}

int32_t toLong(const QVariant& v)
{
    const qint64 n = wholeNumber(v);
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        throw VbError(vberr::Overflow);
    return int32_t(n);
}

// Colours are stored either as the unsigned OLE value or as the signed 32-bit number holding it.
uint32_t toColor(const QVariant& v)
{
    const qint64 n = wholeNumber(v);
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<uint32_t>::max())
        throw VbError(vberr::Overflow);
    return uint32_t(n);
}

bool toBoolean(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return wholeNumber(v) != 0;
}

QImage toPicture(const QVariant& v)
{
    if (!v.isValid())
        return {};
    if (v.typeId() != QMetaType::QImage)
        throw VbError(vberr::InvalidPicture);
    return v.value<QImage>();
}

QVariant storedPicture(const QImage& picture) { return picture.isNull() ? QVariant() : QVariant(picture); }
} // namespace

void cpvSlider::UserControl_InitProperties()
{
    Proc p("UserControl_InitProperties", kModule);
    p(10, [&] {
        m_enabled = true;
        m_orientation = 1;
        m_railStyle = 0;
        m_min = 0;
        m_max = 10;
        m_value = 0;
        m_range = 10;
        m_oldValue = m_value;
        m_dragging = false;
        m_grabX = m_grabY = 0;
        m_railRect = {};
    });
    p(20, [&] {
        m_thumbPicture = builtInThumb();
        m_thumbSize = QSize(16, 16);
        m_left = m_top = 0;
    });
    p(30, [&] { ResetSlider(); });
}

void cpvSlider::UserControl_ReadProperties(const PropertyBag& bag)
{
    Proc p("UserControl_ReadProperties", kModule);
    p(10, [&] { m_backColor = toColor(bag.ReadProperty(QStringLiteral("BackColor"), uint(kButtonFace))); });
    p(20, [&] { m_enabled = toBoolean(bag.ReadProperty(QStringLiteral("Enabled"), true)); });
    p(30, [&] { m_orientation = toLong(bag.ReadProperty(QStringLiteral("Orientation"), 1)); });
    p(40, [&] { m_railStyle = toLong(bag.ReadProperty(QStringLiteral("RailStyle"), 0)); });
    p(50, [&] { m_min = toLong(bag.ReadProperty(QStringLiteral("Min"), 0)); });
    p(60, [&] { m_max = toLong(bag.ReadProperty(QStringLiteral("Max"), 10)); });
    p(70, [&] { m_value = toLong(bag.ReadProperty(QStringLiteral("Value"), 0)); });
    p(80, [&] {
        m_thumbPicture = toPicture(bag.ReadProperty(QStringLiteral("SliderIcon")));
        m_thumbSize = m_thumbPicture.isNull() ? QSize() : m_thumbPicture.deviceIndependentSize().toSize();
    });
    p(90, [&] {
        m_railPicture = toPicture(bag.ReadProperty(QStringLiteral("RailPicture")));
        m_railSize = m_railPicture.isNull() ? QSize() : m_railPicture.deviceIndependentSize().toSize();
    });
    p(100, [&] {
        const int64_t range = int64_t(m_max) - m_min;
        if (range < std::numeric_limits<int32_t>::min() || range > std::numeric_limits<int32_t>::max())
            throw VbError(vberr::Overflow);
        m_range = int32_t(range);
    });
    p(110, [&] { m_oldValue = m_value; });
    // Both coordinates, whatever the orientation; the layout that follows sets the cross position.
    p(120, [&] { m_left = float(along(m_value, 0)); });
    p(130, [&] { m_top = float(track(1) - along(m_value, 1)); });
}

void cpvSlider::UserControl_WriteProperties(PropertyBag& bag)
{
    Proc p("UserControl_WriteProperties", kModule);
    p(10, [&] { bag.WriteProperty(QStringLiteral("BackColor"), uint(m_backColor), uint(kButtonFace)); });
    p(20, [&] { bag.WriteProperty(QStringLiteral("Enabled"), m_enabled, true); });
    p(30, [&] { bag.WriteProperty(QStringLiteral("SliderIcon"), storedPicture(m_thumbPicture), QVariant()); });
    p(40, [&] { bag.WriteProperty(QStringLiteral("Orientation"), m_orientation, 1); });
    p(50, [&] { bag.WriteProperty(QStringLiteral("RailPicture"), storedPicture(m_railPicture), QVariant()); });
    p(60, [&] { bag.WriteProperty(QStringLiteral("RailStyle"), m_railStyle, 0); });
    p(70, [&] { bag.WriteProperty(QStringLiteral("Min"), m_min, 0); });
    p(80, [&] { bag.WriteProperty(QStringLiteral("Max"), m_max, 10); });
    p(90, [&] { bag.WriteProperty(QStringLiteral("Value"), m_value, 0); });
}

QColor cpvSlider::paintColor(uint32_t oleColor)
{
    if (oleColor & 0x80000000u) {
        const QPalette pal = QGuiApplication::palette();
        switch (oleColor & 0xFF) {
        case 5:
            return pal.color(QPalette::Base);
        case 8:
            return pal.color(QPalette::Text);
        case 18:
            return pal.color(QPalette::ButtonText);
        case 15:
            return pal.color(QPalette::Button);
        default:
            return pal.color(QPalette::Window);
        }
    }
    return QColor(int(oleColor & 0xFF), int((oleColor >> 8) & 0xFF), int((oleColor >> 16) & 0xFF));
}

// A plain grey knob in the classic raised look, with three grip lines across it.
QImage cpvSlider::builtInThumb()
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(192, 192, 192));
    QPainter p(&img);
    drawEdge(p, 0, 0, 16, 16, edge::Raised);
    for (int y : {5, 8, 11}) {
        p.fillRect(QRect(4, y - 1, 8, 1), edge::shadow());
        p.fillRect(QRect(4, y, 8, 1), edge::highlight());
    }
    return img;
}

} // namespace zorbel
