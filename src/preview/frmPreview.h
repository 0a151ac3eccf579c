#pragma once
#include "PictureClip.h"
#include "PreviewSteps.h"
#include "controls/PartedPicture.h"
#include "core/Resources.h"
#include "core/Forms.h"
#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

class QListWidget;

namespace zorbel {

class PreviewBox;
class VisualButton;

// What the template window needs from outside: the start-up fills it from the drawing window,
// tests with stand-ins. The templates come from the program's resources unless replaced.
struct PreviewHost {
    std::function<int()> drawOuterWidth = [] { return 0; }; // pixels
    std::function<int()> drawPanelTop = [] { return 0; };   // pixels, in the drawing window
    // Paints a chosen picture over the drawing canvas (keeping an undo copy).
    std::function<void(const QImage&)> loadIntoCanvas = [](const QImage&) {};
    // Unset, the template is read from the resources step by step.
    std::function<QImage(int16_t id)> templatePicture;
    std::function<QString()> templateCount;
};

// The template window: one step of the current template, the step, chooser and file panels.
class frmPreview : public QWidget, public Form {
    Q_OBJECT
public:
    // The background: a frame 10.5 units wide, drawn again at each of the window's sizes.
    static constexpr PartedPicture::Layout kBackgroundLayout{res::id::PreviewBackground, {527, 471}, 18, {}};
    frmPreview(QWidget* owner, PreviewHost host);
    ~frmPreview() override;
    QWidget* widget() override { return this; }
    void Form_Unload() override;

    int16_t TemplateCount = 0;

    // Handlers, public so tests drive them as the window system would.
    void Form_Activate();
    void Form_Resize();
    void ResizePreview();
    void vbeButton_Click(int16_t index);
    void filPics_Click(int row);
    void Form_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);
    // The drawing window's Open command: away with the step panel, the list read again, the
    // file panel shown.
    void hideStepPanel();
    void refreshFiles();
    void showFilePanel();
    void setButtonTip(int index, const QString& tip);

    VisualButton* button(int index) const { return m_vbeButton[size_t(index)]; }
    QWidget* panel(int index) const { return m_picPanel[size_t(index)]; }
    PreviewBox* preview() const { return m_picPreview; }
    QListWidget* fileList() const { return m_filPics; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void createControls();
    void Form_Load();
    void loadTemplate(int16_t n);
    void showCell(int k);
    void showPanel(int index);
    void keepOnScreen();
    PreviewSteps::StepButtons stepButtons() const;
    void setStepButtons(const PreviewSteps::StepButtons& b);

    PreviewHost m_host;
    PictureClip m_clpPicture;
    PreviewBox* m_picPreview = nullptr;
    std::array<QWidget*, 3> m_picPanel{};
    std::array<VisualButton*, 9> m_vbeButton{};
    QListWidget* m_filPics = nullptr;
    QString m_folder;
    QStringList m_files;     // file names behind the list's entries
    bool m_chosen = false;   // a picture was clicked since the file panel opened
    PartedPicture m_background{kBackgroundLayout}; // drawn at the window's size
    QPoint m_dragOffset;     // for moving the window ourselves where the system cannot
    bool m_dragging = false;
};

} // namespace zorbel
