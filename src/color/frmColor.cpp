#include "frmColor.h"
#include "PaletteBox.h"
#include "controls/PropertyBag.h"
#include "controls/SliderView.h"
#include "controls/VisualButton.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/Basic.h"
#include "core/Fonts.h"
#include "core/Platform.h"
#include "core/Resources.h"
#include "core/ScreenFit.h"
#include "core/Settings.h"
#include "core/failure/Failure.h"
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace zorbel {

namespace {
constexpr int kClientWidthTwips = 9390;
constexpr int kClientHeightTwips = 2535;

void playIfOn(int16_t id)
{
    if (Allgemein::Sound)
        Allgemein::PlayWAV(id);
}

QString option(const char* key, const QString& def)
{
    return settings::GetSetting(app::kTitle, app::kSection, QLatin1String(key), def);
}
} // namespace

PropertyBag frmColor::sliderInstance(qreal dpr)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("backcolor"), uint(0x0078BFDE)); // red 222, green 191, blue 120
    bag.WriteProperty(QStringLiteral("slidericon"), res::LoadResPicture(res::id::SliderThumb, QSize(16, 16), dpr));
    bag.WriteProperty(QStringLiteral("railpicture"), res::LoadResPicture(res::id::SliderRail, QSize(18, 133), dpr));
    bag.WriteProperty(QStringLiteral("railstyle"), 99);
    bag.WriteProperty(QStringLiteral("min"), 1);
    bag.WriteProperty(QStringLiteral("max"), 50);
    bag.WriteProperty(QStringLiteral("value"), 5);
    bag.WriteProperty(QStringLiteral("_extentx"), 476); // hundredths of a millimetre
    bag.WriteProperty(QStringLiteral("_extenty"), 3625);
    return bag;
}

frmColor::frmColor(QWidget* owner, ColorPeers peers) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), m_peers(std::move(peers))
{
    setWindowTitle(QStringLiteral("Zorbel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(basic::pxX(kClientWidthTwips), basic::pxY(kClientHeightTwips));
    createControls();
    Form_Load();
}

void frmColor::createControls()
{
    m_picCol = new PaletteBox(this);
    m_picCol->setGeometry(24, 16, 479, 136);
    m_picCol->setCursor(res::LoadResCursor(res::id::CursorPicker));
    connect(m_picCol, &PaletteBox::mouseDown, this,
            [this](int button, int shift, QPoint at, QPoint globalAt) {
                m_pressedAt = globalAt;
                picCol_MouseDown(int16_t(button), int16_t(shift), at);
            });

    m_cpvSlider = new SliderView(this);
    cpvSlider& slider = m_cpvSlider->control();
    slider.events.ValueChanged = [this] { cpvSlider_ValueChanged(); };
    const qreal dpr = parentWidget() ? parentWidget()->devicePixelRatioF() : qApp->devicePixelRatio();
    const PropertyBag stored = sliderInstance(dpr);
    slider.UserControl_ReadProperties(stored);
    // The container's extent, in hundredths of a millimetre, gives the control's size.
    const auto px = [](const QVariant& hundredthsMm, double twipsPerPixel) {
        return int(basic::roundEven(hundredthsMm.toDouble() * 1440.0 / 2540.0 / twipsPerPixel));
    };
    m_cpvSlider->setGeometry(520, 16, px(stored.ReadProperty(QStringLiteral("_extentx")), basic::twipsPerPixelX()),
                             px(stored.ReadProperty(QStringLiteral("_extenty")), basic::twipsPerPixelY()));
    m_cpvSlider->layOut();
    m_cpvSlider->setCursor(Qt::PointingHandCursor);

    m_lblWidth = new QLabel(this);
    m_lblWidth->setGeometry(560, 16, 40, 25);
    m_lblWidth->setFont(fonts::font(QStringLiteral("MS Sans Serif"), 12, true));
    m_lblWidth->setAlignment(Qt::AlignCenter);
    // A dark little display, so the light orange number reads well on the gold window.
    m_lblWidth->setAutoFillBackground(true);
    QPalette pal = m_lblWidth->palette();
    pal.setColor(QPalette::Window, QColor(59, 43, 18));
    pal.setColor(QPalette::WindowText, QColor(255, 192, 128));
    m_lblWidth->setPalette(pal);

    m_lblFCol = new QLabel(this);
    m_lblFCol->setGeometry(560, 48, 40, 41);
    m_lblFCol->setAutoFillBackground(true);
    m_lblFCol->setFrameStyle(QFrame::Box | QFrame::Plain);
    pal = m_lblFCol->palette();
    pal.setColor(QPalette::WindowText, QColor(59, 43, 18)); // the frame
    m_lblFCol->setPalette(pal);

    m_vbeButton = new VisualButton(0, 251, QStringLiteral("Wingdings"), 20.25, this);
    m_vbeButton->setGeometry(560, 112, 40, 40);
    connect(m_vbeButton, &VisualButton::clickedIndex, this, [this](int index) { vbeButton_Click(int16_t(index)); });
}

void frmColor::setShownColor(int32_t color)
{
    QPalette pal = m_lblFCol->palette();
    pal.setColor(QPalette::Window, basic::vbColor(color));
    m_lblFCol->setPalette(pal);
}

void frmColor::Form_Load()
{
    Proc p("Form_Load", "frmColor");
    cpvSlider& slider = m_cpvSlider->control();
    p(10, [] { playIfOn(106); });
    p(20, [&] { m_lblWidth->setText(QString::number(Allgemein::Width)); });
    p(30, [&] { slider.setValue(Allgemein::Width); });
    p(40, [&] {
        // A stored width the slider refused: pen, number and thumb agree on the nearest width it can show.
        if (Allgemein::Width >= slider.Min() && Allgemein::Width <= slider.Max() && slider.Value() == Allgemein::Width)
            return;
        slider.setValue(std::clamp<int32_t>(Allgemein::Width, slider.Min(), slider.Max()));
        if (slider.Value() != Allgemein::Width)
            cpvSlider_ValueChanged();
    });
    p(50, [&] { setShownColor(Allgemein::Color); });
    double left = 0, top = 0;
    p(60, [&] {
        const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        const double screenWidth = screen ? screen->geometry().width() * basic::twipsPerPixelX() : 0;
        const double windowWidth = width() * basic::twipsPerPixelX();
        const double windowHeight = height() * basic::twipsPerPixelY();
        left = basic::roundEven((screenWidth - windowWidth) * 0.8);
        top = basic::roundEven(windowHeight * 0.5);
    });
    // Each read on its own: a bad left leaves a good top standing. Whole 32-bit numbers only, so
    // a number too large for a position is an overflow here, not a window at a wrapped place.
    p(70, [&] { left = basic::CLng(option("CLeft", QString::number(left))); });
    p(70, [&] { top = basic::CLng(option("CTop", QString::number(top))); });
    p(80, [&] {
        // A position stored for another screen must leave enough of the window on this one to
        // take hold of it; a window partly off the screen but within reach stays where it is.
        QRect r(QPoint(basic::pxX(left), basic::pxY(top)), size());
        const QScreen* screen = QGuiApplication::screenAt(r.center());
        if (!screen)
            screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (screen)
            r = keepUsable(r, screen->availableGeometry(), {}, QSize(width() / 4, height()));
        move(r.topLeft());
    });
}

void frmColor::cpvSlider_ValueChanged()
{
    Proc p("cpvSlider_ValueChanged", "frmColor");
    p(10, [&] { Allgemein::Width = basic::CInt(double(m_cpvSlider->control().Value())); });
    p(20, [&] { m_lblWidth->setText(QString::number(Allgemein::Width)); });
    p(30, [&] { m_peers.setPenWidth(Allgemein::Width); });
}

void frmColor::picCol_MouseDown(int16_t button, int16_t shift, QPoint at)
{
    Proc p("picCol_MouseDown", "frmColor");
    p(10, [&] { Allgemein::Color = basic::vbColor(m_picCol->pixelColor(at)); });
    p(20, [&] { setShownColor(Allgemein::Color); });
    p(30, [&] { m_peers.setPenColor(Allgemein::Color); });
    p(40, [&] { Form_MouseDown(button, shift); });
}

void frmColor::Form_MouseDown(int16_t, int16_t)
{
    Proc p("Form_MouseDown", "frmColor");
    p(10, [&] {
        if (QWidget* grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
    });
    p(20, [&] {
        ++m_moveRequests;
        if (windowHandle() && windowHandle()->startSystemMove())
            return;
        // Without a window manager that moves windows, the window follows the pointer itself. The
        // moves go to whichever control took the press, so the window watches them all.
        m_movingByHand = true;
        m_grabOffset = m_pressedAt - pos();
        qApp->installEventFilter(this);
    });
}

void frmColor::mousePressEvent(QMouseEvent* e)
{
    const int16_t button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    m_pressedAt = e->globalPosition().toPoint();
    Form_MouseDown(button, shiftState(e->modifiers()));
}

bool frmColor::eventFilter(QObject* watched, QEvent* e)
{
    // Only watches: the control that took the press still gets its events.
    if (m_movingByHand && watched->isWidgetType()) {
        if (e->type() == QEvent::MouseMove) {
            move(static_cast<QMouseEvent*>(e)->globalPosition().toPoint() - m_grabOffset);
        } else if (e->type() == QEvent::MouseButtonRelease) {
            m_movingByHand = false;
            qApp->removeEventFilter(this);
        }
    }
    return QWidget::eventFilter(watched, e);
}

void frmColor::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void frmColor::Form_Resize()
{
    Proc p("Form_Resize", "frmColor");
    const qreal dpr = devicePixelRatioF();
    QPainter painter;
    p(10, [&] {
        m_background = res::LoadResPicture(res::id::ColorBackground, size(), dpr).convertToFormat(QImage::Format_RGB32);
        m_background.setDevicePixelRatio(dpr);
        painter.begin(&m_background);
    });
    const QRect s = m_cpvSlider->geometry();
    const int L = s.x(), T = s.y(), W = s.width(), H = s.height();
    p(20, [&] {
        painter.setPen(QColor(64, 64, 0));
        painter.drawRect(L - 1, T - 1, W + 2, H + 2);
    });
    p(30, [&] {
        painter.setPen(Qt::white);
        painter.drawRect(L - 2, T - 2, W + 2, H + 2);
    });
    p(40, [&] {
        if (painter.isActive())
            painter.end();
        update();
    });
    p(50, [&] { Allgemein::Color = basic::vbColor(m_lblFCol->palette().color(QPalette::Window)); });
}

void frmColor::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const QRect r = e->rect();
    const qreal dpr = m_background.devicePixelRatio();
    p.drawImage(QRectF(r), m_background, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
}

void frmColor::vbeButton_Click(int16_t)
{
    playIfOn(105);
    Allgemein::CShow = 0;
    hide();
}

void frmColor::Form_Unload()
{
    if (!platform::windowPositionsKnown())
        return;
    settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("CLeft"),
                          QString::number(basic::roundEven(x() * basic::twipsPerPixelX())));
    settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("CTop"),
                          QString::number(basic::roundEven(y() * basic::twipsPerPixelY())));
}

} // namespace zorbel
