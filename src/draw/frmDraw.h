#pragma once
#include "Canvas.h"
#include "DrawLayout.h"
#include "controls/PartedPicture.h"
#include "core/Resources.h"
#include "core/Forms.h"
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QMenu;
class QAction;
class QPainter;

namespace zorbel {

class CanvasView;
class Proc;
class DrawPanel;
class PictureBox;
class VisualButton;

// What the drawing window asks of the template window and the pen window; the start-up wires
// them, so this window knows neither.
struct DrawPeers {
    std::function<void()> showPreview = [] {};
    std::function<void()> showColor = [] {};
    // The Pen command: shown, and raised when it is shown already.
    std::function<void()> bringUpColor = [] {};
    std::function<void(int, const QString&)> setPreviewTip = [](int, const QString&) {};
    // The Open command, in its three steps.
    std::function<void()> hideStepPanel = [] {};
    std::function<void()> refreshFiles = [] {};
    std::function<void()> showFilePanel = [] {};
    std::function<void()> showAbout = [] {};
    std::function<void()> quit = [] {};
};

// The drawing window: the child's canvas, the ten command buttons, the name plates and flags.
class frmDraw : public QWidget, public Form {
    Q_OBJECT
public:
    // The background: a dark frame 8 units wide with its lines, the pencils in the top left.
    static constexpr PartedPicture::Layout kBackgroundLayout{res::id::DrawBackground, {1024, 768}, 16, {0, 0, 250, 210}};

    // startScreen shows the busy pointer while this window loads.
    frmDraw(QWidget* startScreen, DrawPeers peers);
    ~frmDraw() override;
    QWidget* widget() override { return this; }

    int16_t MarginLeft = 0;
    int16_t MarginRight = 0;
    int16_t MarginTop = 0;
    int16_t MarginBottom = 0;
    int16_t PenDown = 0;

    // Handlers, public so tests drive them as the window system would.
    void picBild_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);
    void picBild_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPoint at);
    void picBild_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);
    void vbeButton_Click(int16_t index);
    void imgLang_Click(int16_t index);
    void Sprache();
    void Form_Resize();
    void mnuHilfe_Click();
    void mnuEmail_Click();
    void mnuUeber_Click();

    // A saved picture loaded back, stretched over the canvas; the drawing before it is the undo copy.
    void loadPicture(const QImage& picture);
    // Where the button panel stands, in this window's pixels: the template window starts above it.
    int panelTop() const;

    // The canvas, for tests.
    Canvas& canvas() { return m_canvas; }
    VisualButton* button(int index) const { return m_vbeButton[size_t(index)]; }
    PictureBox* flag(int index) const { return m_imgLang[size_t(index)]; }
    PictureBox* logo(int index) const { return m_imgLogo[size_t(index)]; }
    QMenu* helpMenu() const { return m_mnuHelp; }
    QWidget* panel() const;
    QWidget* canvasFrame() const { return m_lblRahmen; }
    QLabel* copyright() const { return m_lblCopyright; }

signals:
    // The drawing changed as the child sees it: a stroke ended, Delete, Undo, a picture loaded.
    void drawingChanged();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Load(QWidget* startScreen);
    void createControls();
    void applyPen();
    // The background picture stretched over the whole window.
    void paintBackground(QPainter& p) const;
    // The part r of the window's background.
    QImage backgroundPiece(QRect r) const;
    bool endCommand(Proc& p);
    void printCommand(Proc& p);

    DrawPeers m_peers;
    Canvas m_canvas;
    CanvasView* m_picBild = nullptr;
    DrawPanel* m_picPanel = nullptr;
    QWidget* m_lblRahmen = nullptr;
    QLabel* m_lblCopyright = nullptr;
    std::array<PictureBox*, 2> m_imgLogo{};
    std::array<PictureBox*, 7> m_imgLang{};
    std::array<VisualButton*, 10> m_vbeButton{};
    QMenu* m_mnuHelp = nullptr;
    QAction* m_mnuHilfe = nullptr;
    QAction* m_mnuEmail = nullptr;
    QAction* m_mnuUeber = nullptr;
    PartedPicture m_background{kBackgroundLayout};
    QTimer m_resizeSettled;    // a resizing is over when the size has not changed for a while
    QSizeF m_plateSize = DrawLayout::kPlateSize;
    bool m_ending = false;
};

} // namespace zorbel
