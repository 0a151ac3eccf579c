#pragma once
// The drawing window and the template window wired as the start-up wires them, with three small
// templates of our own: band k of template n is a flat colour that tells n and k apart, framed in
// black 2 pixels wide; a band is the large preview box's inner size, so a step shows it 1:1.
#include "TestSupport.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/ModResFiles.h"
#include "core/Resources.h"
#include "core/Settings.h"
#include "draw/frmDraw.h"
#include "preview/PreviewBox.h"
#include "preview/frmPreview.h"
#include <QFile>
#include <QPainter>
#include <QPointer>
#include <functional>
#include <memory>

namespace zorbel::test {

inline QColor bandColor(int n, int k) { return QColor(40 * k, 20 * n, 200); }

struct PreviewFixture {
    std::unique_ptr<frmDraw> draw; // owns the template window
    QPointer<frmPreview> w;

    // before runs once the options are loaded, before any window loads.
    explicit PreviewFixture(const std::function<void()>& before = {}, QSize drawSize = {1024, 748})
    {
        resetFakes();
        QFile::remove(settings::storeLocation(app::kTitle));
        Allgemein::LoadConfig();
        Allgemein::CurrentStep = 0;
        Allgemein::PicFile.clear();
        Allgemein::Sprache = 0;
        Allgemein::LangFile = Allgemein::GetTempDir() + QStringLiteral("~tmp.lng");
        ModResFiles::SaveResItemToDisk(res::id::TextTable, QStringLiteral("CUSTOM"), Allgemein::LangFile);
        if (before)
            before();
        DrawPeers peers;
        peers.showPreview = [this] { preview()->show(); };
        peers.setPreviewTip = [this](int i, const QString& t) { preview()->setButtonTip(i, t); };
        peers.hideStepPanel = [this] { preview()->hideStepPanel(); };
        peers.refreshFiles = [this] { preview()->refreshFiles(); };
        peers.showFilePanel = [this] { preview()->showFilePanel(); };
        draw = std::make_unique<frmDraw>(nullptr, peers);
        draw->resize(drawSize);
        draw->show();
        QTest::qWait(0);
        sound().played.clear();
    }

    frmPreview* preview()
    {
        if (w)
            return w;
        PreviewHost host;
        host.drawOuterWidth = [this] { return draw->frameGeometry().width(); };
        host.drawPanelTop = [this] { return draw->panelTop(); };
        host.loadIntoCanvas = [this](const QImage& picture) { draw->loadPicture(picture); };
        host.templateCount = [] { return QStringLiteral("3"); };
        host.templatePicture = [](int16_t id) {
            if (id <= 100 || id > 103)
                throw VbError(vberr::ResourceNotFound);
            QImage img(396, 6 * 296, QImage::Format_RGB32);
            img.fill(Qt::black);
            QPainter p(&img);
            for (int k = 0; k < 6; ++k)
                p.fillRect(2, 296 * k + 2, 392, 292, bandColor(id - 100, k));
            return img;
        };
        return w = new frmPreview(draw.get(), host);
    }

    void click(int index) { w->vbeButton_Click(int16_t(index)); }
    // The colour in the middle of the preview box.
    QColor shown() const
    {
        const QImage img = w->preview()->shown();
        return img.pixelColor(img.width() / 2, img.height() / 2);
    }
    // The one visible panel; -2 when two show at once.
    int visiblePanel() const
    {
        int found = -1;
        for (int i = 0; i < 3; ++i)
            if (!w->panel(i)->isHidden())
                found = found >= 0 ? -2 : i;
        return found;
    }
    QRgb canvasAt(QPoint at) const { return draw->canvas().image().pixel(at) & 0xFFFFFF; }
};

} // namespace zorbel::test
