#include "frmPreview.h"
#include "PreviewBox.h"
#include "PreviewLayout.h"
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
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace zorbel {

namespace {
// Glyph codes of the nine buttons: previous, select, next, grid, size, previous, OK, next, OK.
constexpr int kGlyphs[9] = {215, 97, 216, 177, 244, 215, 254, 216, 254};

int twipsX(int px) { return int(basic::roundEven(px * basic::twipsPerPixelX())); }
int twipsY(int px) { return int(basic::roundEven(px * basic::twipsPerPixelY())); }
} // namespace

frmPreview::frmPreview(QWidget* owner, PreviewHost host)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), m_host(std::move(host))
{
    if (!m_host.templateCount)
        m_host.templateCount = [] { return res::LoadResString(res::id::TemplateCount); };
    setWindowTitle(QStringLiteral("Zorbel"));
    resize(basic::pxX(PreviewLayout::kCreationWidthTwips), basic::pxY(PreviewLayout::kCreationHeightTwips));
    createControls();
    Form_Load();
}

frmPreview::~frmPreview() = default;

void frmPreview::createControls()
{
    m_picPreview = new PreviewBox(this);
    m_picPreview->move(PreviewLayout::kPreviewAt);
    for (int i = 0; i < 3; ++i) {
        // No background of their own: the window's shows through, so the panels look transparent.
        m_picPanel[size_t(i)] = new QWidget(this);
        m_picPanel[size_t(i)]->resize(PreviewLayout::kPanelSize[size_t(i)]);
        m_picPanel[size_t(i)]->hide();
    }
    for (int i = 0; i < 9; ++i) {
        const auto& place = PreviewLayout::kButtons[size_t(i)];
        auto* b = new VisualButton(i, kGlyphs[i], QStringLiteral("Wingdings"), 20.25, m_picPanel[size_t(place.panel)]);
        b->setGeometry(QRect(place.at, PreviewLayout::kButtonSize));
        connect(b, &VisualButton::clickedIndex, this, [this](int index) { vbeButton_Click(int16_t(index)); });
        m_vbeButton[size_t(i)] = b;
    }
    m_filPics = new QListWidget(m_picPanel[2]);
    m_filPics->setGeometry(PreviewLayout::kFileList);
    m_filPics->setFont(fonts::font(QStringLiteral("MS Sans Serif"), 9.75, true));
    m_filPics->setStyleSheet(QStringLiteral(
        "QListWidget { background: rgb(255,251,236); color: rgb(64,48,16); border: 2px solid rgb(122,92,40);"
        " border-radius: 3px; }"
        "QListWidget::item { padding: 1px 3px; }"
        "QListWidget::item:selected { background: rgb(222,191,120); color: black; }"));
    m_filPics->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A selection, by mouse or keys, is the child's choice; the list only making an entry
    // current when it takes the focus is not.
    connect(m_filPics, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = m_filPics->selectedItems();
        if (!chosen.isEmpty())
            filPics_Click(m_filPics->row(chosen.front()));
    });
}

void frmPreview::Form_Load()
{
    Proc p("Form_Load", "frmPreview");
    p(20, [&] { m_vbeButton[0]->setEnabled(false); });
    p(30, [&] { m_folder = app::picsFolder(); });
    p(40, [&] { loadTemplate(Allgemein::Image); });
    QPoint place;
    p(50, [&] {
        place = PreviewSteps::defaultPosition(twipsX(m_host.drawOuterWidth()), m_host.drawPanelTop(),
                                              basic::twipsPerPixelY(), twipsY(height()));
    });
    auto stored = [](const char* key, int fallback) {
        return basic::CLng(settings::GetSetting(app::kTitle, app::kSection, QString::fromLatin1(key),
                                                QString::number(fallback)));
    };
    p(60, [&] { place.setX(stored("PLeft", place.x())); });
    p(70, [&] { place.setY(stored("PTop", place.y())); });
    p(80, [&] { move(basic::pxX(place.x()), basic::pxY(place.y())); });
    p(90, [&] { ResizePreview(); });
    p(95, [&] { keepOnScreen(); });
    p(100, [&] { showPanel(0); });
    p(110, [] {
        if (Allgemein::Sound)
            Allgemein::PlayWAV(107);
    });
}

// A place stored on another screen would leave the window out of reach: it moves just far
// enough to bring its buttons onto the screen. The default top on a small screen lies above the
// screen's edge with the buttons below it, and stays.
void frmPreview::keepOnScreen()
{
    const QRect here(pos(), size());
    const QScreen* screen = QGuiApplication::screenAt(here.center());
    if (!screen && parentWidget())
        screen = parentWidget()->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect buttons;
    for (int i = 0; i < 3; ++i)
        buttons |= QRect(PreviewLayout::panelAt(i, size(), m_picPreview->geometry()), PreviewLayout::kPanelSize[size_t(i)]);
    move(keepUsable(here, screen->availableGeometry(), buttons, {}).topLeft());
}

void frmPreview::Form_Activate()
{
    Proc p("Form_Activate", "frmPreview");
    p(20, [&] { TemplateCount = basic::CInt(m_host.templateCount()); });
    p(30, [&] {
        const int16_t valid = PreviewSteps::clampImage(Allgemein::Image, TemplateCount);
        if (valid == Allgemein::Image)
            return;
        Allgemein::Image = valid;
        // The failed load left no template: the chooser shows the nearest valid one.
        loadTemplate(Allgemein::Image);
        vbeButton_Click(1);
    });
}

void frmPreview::Form_Unload()
{
    if (!platform::windowPositionsKnown())
        return;
    try {
        settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("PLeft"), QString::number(twipsX(x())));
        settings::SaveSetting(app::kTitle, app::kSection, QStringLiteral("PTop"), QString::number(twipsY(y())));
    } catch (const VbError&) {
        // The program is ending; a place that cannot be stored is the default next time.
    }
}

void frmPreview::ResizePreview()
{
    Proc p("ResizePreview", "frmPreview");
    QSize box;
    p(20, [&] {
        box = PreviewLayout::previewSize(Allgemein::PSize != 0);
        m_picPreview->move(PreviewLayout::kPreviewAt);
        m_picPreview->setOuterSize(box);
    });
    p(30, [&] { m_picPreview->grid()->setStretch(box); });
    p(40, [&] { m_picPreview->grid()->setVisible(Allgemein::Gitter != 0); });
    p(50, [&] { resize(PreviewLayout::windowSize(box)); });
}

void frmPreview::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void frmPreview::Form_Resize()
{
    Proc p("Form_Resize", "frmPreview");
    p(20, [&] {
        // The vector picture is drawn at the window's size, so its frame stays crisp in both sizes.
        m_background.ensure(QSizeF(size()), devicePixelRatioF(), true);
        update();
    });
    p(30, [&] { showCell(Allgemein::CurrentStep); });
    p(40, [&] {
        const QRect box = m_picPreview->geometry();
        for (int i = 0; i < 3; ++i)
            m_picPanel[size_t(i)]->move(PreviewLayout::panelAt(i, size(), box));
    });
}

void frmPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    m_background.paint(p, QSizeF(size()));
}

void frmPreview::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

// Showing a modeless window activates it, also where the window system does not say so.
void frmPreview::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        Form_Activate();
}

void frmPreview::mousePressEvent(QMouseEvent* e)
{
    Form_MouseDown(e->button(), e->modifiers(), e->position().toPoint());
    m_dragOffset = e->globalPosition().toPoint() - pos();
    e->accept();
}

void frmPreview::mouseMoveEvent(QMouseEvent* e)
{
    if (m_dragging && e->buttons() != Qt::NoButton)
        move(e->globalPosition().toPoint() - m_dragOffset);
}

void frmPreview::mouseReleaseEvent(QMouseEvent*) { m_dragging = false; }

void frmPreview::Form_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)
{
    Proc p("Form_MouseDown", "frmPreview");
    p(20, [&] {
        // The window system moves the window as if its caption were dragged; without one that
        // can, the window follows the mouse itself.
        QWindow* w = windowHandle();
        m_dragging = !(w && w->startSystemMove());
    });
}

void frmPreview::setButtonTip(int index, const QString& tip)
{
    if (index >= 0 && index < 9)
        m_vbeButton[size_t(index)]->setToolTip(tip);
}

} // namespace zorbel
