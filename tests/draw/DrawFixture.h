#pragma once
// A drawing window with recording peers, in a known state, for the window tests.
#include "TestSupport.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/ModResFiles.h"
#include "core/Printer.h"
#include "core/Resources.h"
#include "core/Settings.h"
#include "draw/frmDraw.h"
#include <QFile>
#include <functional>
#include <memory>

namespace zorbel::test {

struct DrawFixture {
    QStringList calls;
    int quits = 0;
    std::unique_ptr<frmDraw> w;

    // before runs once the options are loaded, before the window loads.
    explicit DrawFixture(QSize client = {800, 580}, const std::function<void()>& before = {})
    {
        resetFakes();
        QFile::remove(settings::storeLocation(app::kTitle));
        Allgemein::LoadConfig();
        if (before)
            before();
        Allgemein::Sprache = 0;
        Allgemein::LangFile = Allgemein::GetTempDir() + QStringLiteral("~tmp.lng");
        ModResFiles::SaveResItemToDisk(res::id::TextTable, QStringLiteral("CUSTOM"), Allgemein::LangFile);
        DrawPeers peers;
        peers.showPreview = [this] { calls << QStringLiteral("preview"); };
        peers.showColor = [this] { calls << QStringLiteral("color"); };
        peers.bringUpColor = [this] { calls << QStringLiteral("pen"); };
        peers.hideStepPanel = [this] { calls << QStringLiteral("hide steps"); };
        peers.refreshFiles = [this] { calls << QStringLiteral("files"); };
        peers.showFilePanel = [this] { calls << QStringLiteral("show files"); };
        peers.showAbout = [this] { calls << QStringLiteral("about"); };
        peers.setPreviewTip = [this](int i, const QString& t) { tips[size_t(i)] = t; };
        peers.quit = [this] { ++quits; };
        w = std::make_unique<frmDraw>(nullptr, peers);
        w->show();
        w->resize(client);
        QTest::qWait(0);
        sound().played.clear();
    }

    std::array<QString, 9> tips;

    void press(QPoint at, Qt::MouseButton b = Qt::LeftButton) { w->picBild_MouseDown(b, {}, at); }
    void move(QPoint at) { w->picBild_MouseMove({}, {}, at); }
    void release() { w->picBild_MouseUp(Qt::LeftButton, {}, {}); }
    void stroke(QPoint from, QPoint to)
    {
        press(from);
        move(to);
        release();
    }
    QRgb pixel(QPoint at) const { return w->canvas().image().pixel(at) & 0xFFFFFF; }
};

} // namespace zorbel::test
