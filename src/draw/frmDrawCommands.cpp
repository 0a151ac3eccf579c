// The ten commands of the drawing window's buttons.
#include "CanvasView.h"
#include "controls/VisualButton.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/Platform.h"
#include "core/PictureWriter.h"
#include "core/Printer.h"
#include "core/SafeFile.h"
#include "core/failure/Failure.h"
#include "PrintLayout.h"
#include "frmDraw.h"
#include <QBuffer>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPainter>

namespace zorbel {

namespace {
QString text(int id) { return Allgemein::GetLang(int16_t(Allgemein::Sprache + id)); }

// The save and End questions must never be blank boxes: French and Norwegian have no texts for
// the save dialogs, and a language base out of range has none at all.
QString textOrEnglish(int id)
{
    const QString t = text(id);
    return t.isEmpty() ? Allgemein::GetLang(int16_t(1000 + id)) : t;
}

bool acceptableFileName(const QString& name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    // File systems take at most 255 characters (bytes on Linux) for a name, extension included.
    constexpr qsizetype kNameMax = 255;
    const QString file = name + QStringLiteral(".bmp");
    if (file.size() > kNameMax || QFile::encodeName(file).size() > kNameMax)
        return false;
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("\\/:*?\"<>|").contains(c))
            return false;
    return true;
}

void playIfOn(int16_t id)
{
    if (Allgemein::Sound)
        Allgemein::PlayWAV(id);
}
} // namespace

void frmDraw::vbeButton_Click(int16_t index)
{
    Proc p("vbeButton_Click", "frmDraw");
    p(20, [] { playIfOn(101); });
    switch (index) {
    case 0:
        p(40, [] { playIfOn(107); });
        // Delete can be undone: a child's whole drawing must not vanish with one click. A blank
        // canvas is not worth keeping, so a second Delete leaves the drawing in the undo copy.
        p(50, [&] {
            if (m_canvas.isBlank())
                return;
            m_canvas.takeUndoCopy();
            m_vbeButton[1]->setEnabled(true);
        });
        p(60, [&] { m_canvas.clear(); });
        p(70, [&] { m_picBild->update(); });
        emit drawingChanged();
        break;
    case 1:
        p(90, [&] {
            m_canvas.restoreUndoCopy();
            m_picBild->update();
        });
        p(100, [&] { m_vbeButton[1]->setEnabled(false); });
        emit drawingChanged();
        break;
    case 2:
        p(120, [&] { m_peers.hideStepPanel(); });
        p(130, [&] { m_peers.refreshFiles(); });
        p(140, [&] { m_peers.showFilePanel(); });
        break;
    case 3: {
        QString path;
        bool stop = false;
        // Blanks around a name are typing slips, and a name of blanks only is no name.
        p(160, [&] {
            Allgemein::PicFile = platform::dialogs().inputBox(this, textOrEnglish(132), textOrEnglish(133)).trimmed();
        });
        p(170, [&] { stop = Allgemein::PicFile.isEmpty(); });
        if (stop)
            break;
        p(180, [&] {
            if (!acceptableFileName(Allgemein::PicFile))
                throw VbError(vberr::BadFileName);
            path = app::picsFolder() + Allgemein::PicFile + QStringLiteral(".bmp");
            stop = QFile::exists(path);
        });
        if (p.left() || path.isEmpty())
            break;
        if (stop) {
            p(190, [&] {
                stop = !platform::dialogs().askYesNo(this, textOrEnglish(134) + QStringLiteral("\r\n") + textOrEnglish(135),
                                                     textOrEnglish(132), true);
            });
            if (stop)
                break;
        }
        p(210, [&] {
            files::ensureOwnFolder(app::picsFolder());
            writePicture(m_canvas.image(), path);
        });
        break;
    }
    case 4:
        p(240, [&] { m_peers.bringUpColor(); });
        p(250, [] { Allgemein::CShow = -1; });
        break;
    case 5:
        printCommand(p);
        break;
    case 6: {
        p(410, [] { Allgemein::Sound = int16_t(~Allgemein::Sound); });
        bool on = false;
        p(420, [&] { on = Allgemein::Sound != 0; });
        if (on)
            p(430, [&] { m_vbeButton[6]->setForeColor(QColor(Qt::black)); });
        else
            p(450, [&] { m_vbeButton[6]->setForeColor(QColor(255, 0, 0)); });
        break;
    }
    case 7:
        p(480, [&] { m_mnuHelp->popup(QCursor::pos()); });
        break;
    case 8:
        p(500, [] { platform::openOrFail(app::kWebSite); });
        break;
    case 9:
        endCommand(p);
        break;
    default:
        break;
    }
}

void frmDraw::printCommand(Proc& p)
{
    std::unique_ptr<printing::PrintJob> job;
    p(270, [&] { job = printing::printers().begin(QPageLayout::Landscape); });
    if (!job)
        return;
    const double points = job->resolution() / 72.0;
    QFont font = m_lblCopyright->font();
    font.setPixelSize(std::max(1, int(6 * points)));
    const QFontMetricsF metrics(font);
    PrintLayout place;
    p(310, [&] {
        place = PrintLayout::compute(job->pageRect(), job->resolution() / 25.4,
                                     {double(MarginLeft), double(MarginRight), double(MarginTop), double(MarginBottom)},
                                     QSizeF(m_canvas.image().size()), metrics.height(), metrics.ascent());
        QPainter& painter = job->painter();
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(place.picture, m_canvas.image());
    });
    QPointF at;
    p(320, [&] { at.setY(place.footer.y()); });
    p(330, [&] { at.setX(place.footer.x()); });
    p(340, [&] { font.setFamily(m_lblCopyright->font().family()); });
    p(350, [&] { font.setPixelSize(std::max(1, int(6 * points))); });
    p(360, [&] { font.setBold(false); });
    p(370, [&] {
        QPainter& painter = job->painter();
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(at, app::kTitle + QStringLiteral("  |  ") + m_lblCopyright->text());
    });
    p(380, [&] { job->painter().restore(); });
    p(390, [&] { job->end(); });
}

bool frmDraw::endCommand(Proc& p)
{
    bool yes = false;
    p(520, [&] { yes = platform::dialogs().askYesNo(this, textOrEnglish(114), textOrEnglish(100), false); });
    if (!yes)
        return false;
    m_ending = true;
    p(530, [] { Allgemein::EndProgram(); });
    p(550, [&] { m_peers.quit(); });
    return true;
}

} // namespace zorbel
