#include "frmDraw.h"
#include "CanvasView.h"
#include "DrawPanel.h"
#include "controls/PictureBox.h"
#include "controls/VisualButton.h"
#include "core/Allgemein.h"
#include "core/Basic.h"
#include "core/Drucker.h"
#include "core/Fonts.h"
#include "core/Platform.h"
#include "core/Resources.h"
#include "core/failure/Failure.h"
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPointer>

namespace zorbel {

namespace {
struct ButtonDef {
    int code;
    const char* font;
    double points;
    QPoint at;
};
// The ten commands in two columns: delete, undo / open, save / pen, print / sound, help / web, end.
constexpr ButtonDef kButtons[10] = {
    {111, "Wingdings", 20.25, {32, 24}}, {197, "Wingdings", 20.25, {88, 24}},  {49, "Wingdings", 20.25, {32, 64}},
    {60, "Wingdings", 20.25, {88, 64}},  {33, "Wingdings", 20.25, {32, 104}},  {121, "Wingdings", 20.25, {88, 104}},
    {41, "Wingdings", 20.25, {32, 144}}, {63, "Arial Black", 18, {88, 144}},   {91, "Wingdings", 20.25, {32, 184}},
    {253, "Wingdings", 20.25, {88, 184}},
};
struct FlagDef {
    int index;
    QPoint at;
    const char* tip;
};
constexpr FlagDef kFlags[] = {
    {0, {36, 234}, "Deutsch"}, {1, {68, 234}, "English"}, {4, {100, 234}, "Espa\u00f1ol"},
    {6, {50, 254}, "Fran\u00e7ais"}, {3, {82, 254}, "Italiano"},
};
} // namespace

frmDraw::frmDraw(QWidget* startScreen, DrawPeers peers) : m_peers(std::move(peers))
{
    setWindowTitle(QStringLiteral("Zorbel"));
    setMinimumSize(640, 480);
    // The background picture covers every pixel: Qt need not clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_resizeSettled.setSingleShot(true);
    m_resizeSettled.setInterval(500);
    connect(&m_resizeSettled, &QTimer::timeout, this, [this] {
        if (m_canvas.endResizing())
            m_picBild->update();
        platform::releaseFreedMemory();
    });
    createControls();
    Form_Load(startScreen);
}

frmDraw::~frmDraw() = default;

QWidget* frmDraw::panel() const { return m_picPanel; }

void frmDraw::createControls()
{
    m_lblRahmen = new QWidget(this);
    m_lblRahmen->setAutoFillBackground(true);
    QPalette pal = m_lblRahmen->palette();
    pal.setColor(QPalette::Window, QColor(222, 191, 120));
    m_lblRahmen->setPalette(pal);

    m_picBild = new CanvasView(m_canvas, this);
    connect(m_picBild, &CanvasView::mouseDown, this, &frmDraw::picBild_MouseDown);
    connect(m_picBild, &CanvasView::mouseMove, this, &frmDraw::picBild_MouseMove);
    connect(m_picBild, &CanvasView::mouseUp, this, &frmDraw::picBild_MouseUp);

    m_picPanel = new DrawPanel(this);
    m_picPanel->resize(DrawLayout::kPanelSize.toSize());
    m_picPanel->hide();
    for (int i = 0; i < 10; ++i) {
        const ButtonDef& d = kButtons[i];
        auto* b = new VisualButton(i, d.code, QLatin1String(d.font), d.points, m_picPanel);
        b->setGeometry(QRect(d.at, QSize(49, 33)));
        connect(b, &VisualButton::clickedIndex, this, [this](int index) { vbeButton_Click(int16_t(index)); });
        m_vbeButton[size_t(i)] = b;
    }
    for (const FlagDef& f : kFlags) {
        auto* img = new PictureBox(res::id::FlagBase + f.index, f.index, m_picPanel);
        img->setGeometry(QRect(f.at, QSize(32, 20)));
        img->setToolTip(QString::fromUtf8(f.tip));
        img->setCursor(Qt::PointingHandCursor);
        connect(img, &PictureBox::clicked, this, [this](int index) { imgLang_Click(int16_t(index)); });
        m_imgLang[size_t(f.index)] = img;
    }

    for (int i = 0; i < 2; ++i) {
        m_imgLogo[size_t(i)] = new PictureBox(i == 0 ? res::id::PlateGerman : res::id::PlateEnglish, i, this);
        m_imgLogo[size_t(i)]->resize(DrawLayout::kPlateSize.toSize());
        m_imgLogo[size_t(i)]->hide();
    }

    m_lblCopyright = new QLabel(QStringLiteral("\u00a9 2026 Zorbel \u2013 the drawing school for young artists \u2013 "
                                               "www.zorbel.example"),
                                this);
    m_lblCopyright->setFont(fonts::font(QStringLiteral("Times New Roman"), 8.25));
    m_lblCopyright->setStyleSheet(QStringLiteral("color: rgb(64,64,0); background: transparent;"));
    m_lblCopyright->setWordWrap(true);
    m_lblCopyright->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_lblCopyright->setFixedWidth(int(DrawLayout::kPanelSize.width()));
    m_lblCopyright->setFixedHeight(m_lblCopyright->heightForWidth(m_lblCopyright->width()));
    m_lblCopyright->hide();

    m_mnuHelp = new QMenu(this);
    m_mnuHilfe = m_mnuHelp->addAction(QString(), this, &frmDraw::mnuHilfe_Click);
    m_mnuHelp->addSeparator();
    m_mnuEmail = m_mnuHelp->addAction(QStringLiteral("E-Mail"), this, &frmDraw::mnuEmail_Click);
    m_mnuHelp->addSeparator();
    m_mnuUeber = m_mnuHelp->addAction(QString(), this, &frmDraw::mnuUeber_Click);
}

void frmDraw::Form_Load(QWidget* startScreen)
{
    QPointer<QWidget> screen(startScreen);
    Proc p("Form_Load", "frmDraw");
    p(20, [&] {
        if (screen)
            screen->setCursor(Qt::WaitCursor);
    });
    p(50, [&] { Drucker::GetPrinterMargins(MarginLeft, MarginRight, MarginTop, MarginBottom); });
    p(70, [&] {
        if (screen)
            screen->unsetCursor();
    });
    p(80, [&] { m_picBild->setCursor(res::LoadResCursor(res::id::CursorPencil)); });
    p(100, [&] { m_vbeButton[1]->setEnabled(false); });
    p(110, [&] {
        if (Allgemein::Sound != -1)
            m_vbeButton[6]->setForeColor(QColor(255, 0, 0));
    });
    p(120, [&] { m_canvas.setPenColor(basic::vbColor(Allgemein::Color)); });
    p(130, [&] { m_canvas.setPenWidth(Allgemein::Width); });
    p(140, [&] {
        if (screen)
            screen->unsetCursor();
    });
}

void frmDraw::picBild_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint at)
{
    Proc p("picBild_MouseDown", "frmDraw");
    p(20, [&] { m_canvas.takeUndoCopy(); });
    p(30, [&] {
        if (!m_vbeButton[1]->isEnabled())
            m_vbeButton[1]->setEnabled(true);
    });
    p(70, [&] {
        if (Allgemein::Sound)
            Allgemein::PlayWAV(102);
    });
    p(80, [&] { PenDown = 1; });
    p(90, [&] { m_picBild->update(m_canvas.dot(at)); });
}

void frmDraw::picBild_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPoint at)
{
    if (PenDown == 1)
        m_picBild->update(m_canvas.lineTo(at));
}

void frmDraw::picBild_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)
{
    const bool stroke = PenDown == 1;
    PenDown = 0;
    if (stroke)
        emit drawingChanged();
}

void frmDraw::loadPicture(const QImage& picture)
{
    m_canvas.takeUndoCopy();
    m_vbeButton[1]->setEnabled(true);
    m_canvas.paintPicture(picture);
    m_picBild->update();
    emit drawingChanged();
}

int frmDraw::panelTop() const { return m_picPanel->y(); }

void frmDraw::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void frmDraw::Form_Resize()
{
    Proc p("Form_Resize", "frmDraw");
    const QSize client = size();
    DrawLayout layout;
    p(20, [&] {
        // The vector picture is drawn only when the window grows beyond every size it had; the
        // paint stretches it to the window's size, which costs a fraction of drawing the vectors.
        m_background.ensure(QSizeF(client), devicePixelRatioF());
        update();
    });
    p(30, [&] { layout = DrawLayout::compute(QSizeF(client), m_plateSize, m_lblCopyright->height()); });
    if (p.left())
        return;
    p(40, [&] {
        m_picPanel->move(layout.panel.topLeft().toPoint());
        m_picPanel->setBackground(backgroundPiece(QRect(m_picPanel->pos() + QPoint(150, 0), m_picPanel->size())));
        m_picPanel->show();
    });
    p(70, [&] {
        const QRect r = layout.canvas.toRect();
        m_picBild->setGeometry(r);
        m_canvas.resize(r.size());
        m_resizeSettled.start();
        m_picBild->update();
    });
    p(80, [&] { m_lblRahmen->setGeometry(layout.frame.toRect()); });
    p(90, [&] { m_canvas.setPenColor(basic::vbColor(Allgemein::Color)); });
    p(100, [&] {
        m_plateSize = layout.plateSize;
        for (PictureBox* logo : m_imgLogo)
            logo->setGeometry(QRectF(QPointF(layout.plateLeft, layout.plateTop), m_plateSize).toRect());
    });
    p(110, [&] {
        m_lblCopyright->move(layout.copyright.toPoint());
        m_lblCopyright->show();
    });
    p(120, [&] { m_peers.showPreview(); });
    p(130, [&] {
        if (Allgemein::CShow)
            m_peers.showColor();
    });
}

void frmDraw::paintBackground(QPainter& p) const { m_background.paint(p, QSizeF(size())); }

QImage frmDraw::backgroundPiece(QRect r) const
{
    const qreal dpr = devicePixelRatioF();
    QImage piece((QSizeF(r.size()) * dpr).toSize(), QImage::Format_RGB32);
    piece.setDevicePixelRatio(dpr);
    piece.fill(palette().window().color());
    QPainter p(&piece);
    p.translate(-r.topLeft());
    paintBackground(p);
    return piece;
}

void frmDraw::paintEvent(QPaintEvent*)
{
    // Painted within the region that needs it: the painter clips to it.
    QPainter p(this);
    if (m_background.isNull())
        p.fillRect(rect(), palette().window());
    else
        paintBackground(p);
}

// The texts are in place before the window is first seen, even before it is activated.
void frmDraw::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    Sprache();
}

void frmDraw::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Sprache();
}

// Closing through the window system is the End command: the question, then the orderly end
// that saves the options.
void frmDraw::closeEvent(QCloseEvent* e)
{
    if (m_ending) {
        e->accept();
        return;
    }
    e->ignore();
    Proc p("vbeButton_Click", "frmDraw");
    endCommand(p);
}

} // namespace zorbel
