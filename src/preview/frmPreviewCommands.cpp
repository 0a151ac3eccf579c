// The template window's commands: its nine buttons, the file list and the Open command.
#include "PreviewBox.h"
#include "controls/VisualButton.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/PictureFile.h"
#include "core/Resources.h"
#include "core/failure/Failure.h"
#include "frmPreview.h"
#include <QFileInfo>
#include <QListWidget>

namespace zorbel {

namespace {
void playIfOn(int16_t id)
{
    if (Allgemein::Sound)
        Allgemein::PlayWAV(id);
}
} // namespace

void frmPreview::loadTemplate(int16_t n)
{
    const int16_t id = PreviewSteps::templateId(n);
    if (m_host.templatePicture)
        m_clpPicture.setPicture(m_host.templatePicture(id));
    else
        m_clpPicture.setPictureFile(res::picturePath(id));
}

void frmPreview::showCell(int k)
{
    m_picPreview->paintPicture(m_clpPicture.cell(k), QRect(QPoint(0, 0), m_picPreview->innerSize()));
}

void frmPreview::showPanel(int index)
{
    // Hide first: one panel at a time, never two in the same place.
    for (int i = 0; i < 3; ++i)
        if (i != index)
            m_picPanel[size_t(i)]->hide();
    m_picPanel[size_t(index)]->show();
}

PreviewSteps::StepButtons frmPreview::stepButtons() const
{
    return {m_vbeButton[0]->isEnabled(), m_vbeButton[2]->isEnabled()};
}

void frmPreview::setStepButtons(const PreviewSteps::StepButtons& b)
{
    m_vbeButton[0]->setEnabled(b.previous);
    m_vbeButton[2]->setEnabled(b.next);
}

void frmPreview::vbeButton_Click(int16_t index)
{
    Proc p("vbeButton_Click", "frmPreview");
    int cell = -1;
    switch (index) {
    case 0:
    case 2:
        p(20, [&] { playIfOn(index == 0 ? 101 : 102); });
        p(30, [&] {
            PreviewSteps::StepButtons b = stepButtons();
            cell = index == 0 ? PreviewSteps::back(Allgemein::CurrentStep, b)
                              : PreviewSteps::forward(Allgemein::CurrentStep, b);
            setStepButtons(b);
        });
        p(40, [&] {
            if (cell >= 0)
                showCell(cell);
        });
        break;
    case 1:
        p(60, [&] { showCell(PreviewSteps::kLastStep); });
        p(70, [&] { showPanel(1); });
        p(80, [] { playIfOn(107); });
        p(90, [&] {
            Allgemein::CurrentStep = 0;
            setStepButtons({false, true});
        });
        break;
    case 3:
        p(110, [] { playIfOn(105); });
        p(120, [&] {
            Allgemein::Gitter = int16_t(~Allgemein::Gitter);
            m_picPreview->grid()->setVisible(Allgemein::Gitter != 0);
        });
        break;
    case 4:
        p(140, [] { playIfOn(104); });
        p(150, [] { Allgemein::PSize = int16_t(~Allgemein::PSize); });
        p(160, [&] { ResizePreview(); });
        break;
    case 5:
    case 7:
        p(180, [&] { playIfOn(index == 5 ? 103 : 104); });
        p(190, [&] {
            Allgemein::Image = index == 5 ? PreviewSteps::previousTemplate(Allgemein::Image, TemplateCount)
                                          : PreviewSteps::nextTemplate(Allgemein::Image, TemplateCount);
        });
        p(200, [&] { loadTemplate(Allgemein::Image); });
        p(210, [&] { showCell(PreviewSteps::kLastStep); });
        break;
    case 6:
        p(230, [] { playIfOn(105); });
        p(240, [] { Allgemein::SaveConfig(); });
        p(250, [&] { loadTemplate(Allgemein::Image); });
        p(260, [&] { showCell(0); });
        p(270, [&] { showPanel(0); });
        break;
    case 8: {
        // Only a picture the child chose in the list is loaded; OK alone just goes back.
        QImage picture;
        if (m_chosen && !Allgemein::PicFile.isEmpty()) {
            p(290, [] { playIfOn(107); });
            // Read completely before the canvas is touched: a bad file changes nothing.
            p(300, [&] { picture = readPicture(Allgemein::PicFile); });
            p(310, [&] {
                if (!picture.isNull())
                    m_host.loadIntoCanvas(picture);
            });
        }
        p(320, [&] { showPanel(0); });
        p(330, [&] { showCell(Allgemein::CurrentStep); });
        break;
    }
    default:
        break;
    }
}

void frmPreview::refreshFiles()
{
    m_folder = app::picsFolder(); // where Save writes now, wherever that is
    m_files = PreviewSteps::pictureFiles(m_folder);
    // The listing takes a link to a device for a file; only a regular file can be a picture.
    m_files.removeIf([this](const QString& f) { return !QFileInfo(m_folder + f).isFile(); });
    QSignalBlocker quiet(m_filPics);
    m_filPics->clear();
    for (const QString& f : m_files)
        m_filPics->addItem(PreviewSteps::shownName(f));
    // A list read again starts at its first names, wherever the last one was scrolled to.
    m_filPics->scrollToTop();
}

void frmPreview::hideStepPanel()
{
    m_picPanel[0]->hide();
    m_picPanel[1]->hide(); // Open from the chooser leaves no second panel showing
}

void frmPreview::showFilePanel()
{
    m_chosen = false;
    showPanel(2);
}

void frmPreview::filPics_Click(int row)
{
    Proc p("filPics_Click", "frmPreview");
    if (row < 0 || row >= m_files.size())
        return;
    p(20, [&] {
        Allgemein::PicFile = m_folder + m_files[row];
        m_chosen = true;
    });
    p(30, [&] {
        if (!QFileInfo(Allgemein::PicFile).isFile())
            return; // vanished since the list was read: the preview stays as it is
        const QImage picture = readPicture(Allgemein::PicFile);
        m_picPreview->paintPicture(picture, QRect(QPoint(0, 0), m_picPreview->size()));
    });
}

} // namespace zorbel
