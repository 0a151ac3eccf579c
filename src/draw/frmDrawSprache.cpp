// The drawing window's texts, its language flags and its help menu.
#include "controls/PictureBox.h"
#include "controls/VisualButton.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/HelpFile.h"
#include "core/Platform.h"
#include "core/failure/Failure.h"
#include "frmDraw.h"
#include <QAction>
#include <QMenu>

namespace zorbel {

namespace {
QString text(int id) { return Allgemein::GetLang(int16_t(Allgemein::Sprache + id)); }
} // namespace

void frmDraw::Sprache()
{
    Proc p("Sprache", "frmDraw");
    // Tooltips of the ten buttons, from Delete to End.
    constexpr int kTips[10] = {130, 143, 125, 133, 122, 140, 119, 120, 131, 115};
    for (int i = 0; i < 10; ++i)
        p(30 + 10 * i, [&] { m_vbeButton[size_t(i)]->setToolTip(text(kTips[i])); });
    p(130, [&] { m_mnuHelp->setTitle(text(120)); });
    p(140, [&] { m_mnuHilfe->setText(text(121)); });
    p(160, [&] { m_mnuUeber->setText(text(113)); });
    // The template window's buttons: previous, select, next, grid, size, previous, OK, next, OK.
    constexpr int kPreviewTips[9] = {124, 142, 123, 129, 128, 124, 0, 123, 0};
    for (int i = 0; i < 9; ++i)
        p(170 + 10 * i, [&] { m_peers.setPreviewTip(i, kPreviewTips[i] ? text(kPreviewTips[i]) : QStringLiteral("OK")); });
    bool german = false;
    p(260, [&] { german = Allgemein::Sprache == 0; });
    if (german) {
        p(270, [&] { m_imgLogo[0]->setVisible(true); });
        p(280, [&] { m_imgLogo[1]->setVisible(false); });
    } else {
        p(300, [&] { m_imgLogo[0]->setVisible(false); });
        p(310, [&] { m_imgLogo[1]->setVisible(true); });
    }
    p(320, [&] {
        for (PictureBox* f : m_imgLang)
            if (f)
                f->setMarked(f->index() * 1000 == Allgemein::Sprache);
    });
}

void frmDraw::imgLang_Click(int16_t index)
{
    Proc p("imgLang_Click", "frmDraw");
    p(20, [] {
        if (Allgemein::Sound)
            Allgemein::PlayWAV(101);
    });
    if (index * 1000 == Allgemein::Sprache)
        return;
    p(40, [&] { Allgemein::Sprache = int16_t(index * 1000); });
    p(50, [] { Allgemein::SaveLanguage(); });
    p(60, [&] { Sprache(); });
}

void frmDraw::mnuHilfe_Click()
{
    // A missing page would only make the desktop show an error the child cannot read; without a
    // browser the parent learns where the help is.
    const QString page = help::page(Allgemein::Sprache == 0);
    if (page.isEmpty())
        return;
    Proc p("mnuHilfe_Click", "frmDraw");
    p(10, [&] { platform::openOrFail(page); });
}

void frmDraw::mnuEmail_Click()
{
    Proc p("mnuEmail_Click", "frmDraw");
    p(10, [] {
        platform::openOrFail(QStringLiteral("mailto:") + app::kSupportMail + QStringLiteral("?Subject=") + app::kTitle);
    });
}

void frmDraw::mnuUeber_Click() { m_peers.showAbout(); }

} // namespace zorbel
