#include "Startup.h"
#include "color/frmColor.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/Basic.h"
#include "core/Forms.h"
#include "core/ModResFiles.h"
#include "core/OwnedWindow.h"
#include "core/Resources.h"
#include "core/SafeFile.h"
#include "core/Settings.h"
#include "core/SingleInstance.h"
#include "draw/frmDraw.h"
#include "core/failure/Failure.h"
#include "info/frmInfo.h"
#include "preview/frmPreview.h"
#include "recovery/RecoveryCopy.h"
#include <QCoreApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace zorbel::startup {

namespace {
QPointer<frmDraw> g_draw;
QPointer<frmPreview> g_preview;
QPointer<frmColor> g_color;
QPointer<RecoveryCopy> g_recovery;

// The template window is created on its first reference, owned by the drawing window.
frmPreview* preview()
{
    if (!g_preview && g_draw) {
        PreviewHost host;
        host.drawOuterWidth = [] { return g_draw ? g_draw->frameGeometry().width() : 0; };
        host.drawPanelTop = [] { return g_draw ? g_draw->panelTop() : 0; };
        host.loadIntoCanvas = [](const QImage& picture) {
            if (g_draw)
                g_draw->loadPicture(picture);
        };
        g_preview = new frmPreview(g_draw, host);
    }
    return g_preview;
}

void showDrawWindow()
{
    if (!g_draw) {
        // The start was left before the drawing window loaded: once the start screen goes,
        // no window is left, and a process without windows must not linger unseen.
        QCoreApplication::quit();
        return;
    }
    // Without a window manager nobody maximizes: fill the available area ourselves too.
    if (const QScreen* s = g_draw->screen())
        g_draw->setGeometry(s->availableGeometry());
    g_draw->showMaximized();
    // The drawing an earlier run left unsaved comes back once the window is up, as an opened
    // picture does: Undo takes the canvas back to blank.
    QTimer::singleShot(0, g_draw, [] {
        if (!g_draw || !g_recovery)
            return;
        const QImage left = g_recovery->stored();
        if (!left.isNull())
            g_draw->loadPicture(left);
    });
}

// The recovery copy follows the drawing window's changes.
void keepRecoveryCopy()
{
    delete g_recovery; // a start before this one in the same process (tests)
    g_recovery = new RecoveryCopy(RecoveryCopy::defaultPath(), [] { return g_draw ? g_draw->canvas().image() : QImage(); },
                                  QCoreApplication::instance());
    g_recovery->flushOnTerminate();
    QObject::connect(g_draw, &frmDraw::drawingChanged, g_recovery, &RecoveryCopy::changed);
}

void showAbout()
{
    // Modal without an owner: the drawing window waits until it is closed.
    auto* about = new frmInfo(showDrawWindow, [] { return g_draw && g_draw->isVisible(); });
    about->exec();
}

// The pen window loads when it is first shown and stays loaded while hidden.
frmColor* color()
{
    if (!g_draw)
        return nullptr;
    if (!g_color) {
        ColorPeers peers;
        peers.setPenWidth = [](int width) {
            if (g_draw)
                g_draw->canvas().setPenWidth(width);
        };
        peers.setPenColor = [](int32_t color) {
            if (g_draw)
                g_draw->canvas().setPenColor(basic::vbColor(color));
        };
        g_color = new frmColor(g_draw, peers);
    }
    return g_color;
}

DrawPeers drawPeers()
{
    DrawPeers peers;
    peers.showPreview = [] { owned::show(preview()); };
    peers.setPreviewTip = [](int index, const QString& tip) {
        if (frmPreview* w = preview())
            w->setButtonTip(index, tip);
    };
    peers.hideStepPanel = [] {
        if (frmPreview* w = preview())
            w->hideStepPanel();
    };
    peers.refreshFiles = [] {
        if (frmPreview* w = preview())
            w->refreshFiles();
    };
    peers.showFilePanel = [] {
        if (frmPreview* w = preview())
            w->showFilePanel();
    };
    peers.showColor = [] { owned::show(color()); };
    peers.bringUpColor = [] { owned::bringUp(color()); };
    peers.showAbout = showAbout;
    peers.quit = [] {
        // The child confirmed End: the drawing was theirs to save, and the copy goes.
        if (g_recovery)
            g_recovery->discard();
        QCoreApplication::quit();
    };
    return peers;
}
} // namespace

bool Main()
{
    static SingleInstance instance;
    if (!instance.claim())
        return false; // another copy runs: nothing read, nothing written, nothing shown
    // Saves stopped by a kill left their temporary files; no other copy is writing now.
    files::removeLeftovers({app::picsFolder(), app::programFolder()});

    Proc p("Main", "Allgemein");
    p(30, [] { Allgemein::LoadConfig(); });
    p(120, [] {
        Allgemein::Sprache = basic::CInt(settings::GetSetting(app::kTitle, app::kSection, QStringLiteral("Sprache"),
                                                              QStringLiteral("0")));
    });
    p(140, [] { Allgemein::LangFile = Allgemein::GetTempDir() + QStringLiteral("~tmp.lng"); });
    p(150, [] { ModResFiles::SaveResItemToDisk(res::id::TextTable, QStringLiteral("CUSTOM"), Allgemein::LangFile); });
    p(210, [] { Allgemein::StartScreen = true; });
    QPointer<frmInfo> info;
    p(220, [&] {
        info = new frmInfo(showDrawWindow, [] { return g_draw && g_draw->isVisible(); });
        info->show();
        // A slow print system can hold up the drawing window's load: the start screen is seen first.
        info->waitUntilPainted(1000);
    });
    p(230, [&] { g_draw = new frmDraw(info, drawPeers()); });
    if (g_draw)
        keepRecoveryCopy();
    // A start left after a failure with nothing on the screen ends here, and so lets go of the
    // claim: an unseen copy would turn every later start away.
    return Forms::anyVisible();
}

} // namespace zorbel::startup
