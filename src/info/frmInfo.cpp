#include "frmInfo.h"
#include "controls/PictureBox.h"
#include "core/Allgemein.h"
#include "core/AppInfo.h"
#include "core/Basic.h"
#include "core/Fonts.h"
#include "core/Platform.h"
#include "core/Resources.h"
#include "core/failure/Failure.h"
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace zorbel {

using basic::pxX;
using basic::pxY;

namespace {
struct Flag {
    int index;
    int topTwips;
    const char* tip;
};
constexpr Flag kFlags[] = {
    {0, 3000, "Deutsch"}, {1, 3360, "English"}, {3, 3720, "Italiano"}, {4, 4080, "Espa\u00f1ol"}, {6, 4440, "Fran\u00e7ais"},
};
const QString kLinkStyle = QStringLiteral("color: rgb(%1); text-decoration: underline; background: transparent;");
} // namespace

frmInfo::frmInfo(std::function<void()> showDrawWindow, std::function<bool()> drawWindowVisible)
    : m_showDrawWindow(std::move(showDrawWindow)), m_drawWindowVisible(std::move(drawWindowVisible)),
      m_timer(this) // a child, so its tick counts as a handler of this window
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Zorbel"));
    setFixedSize(pxX(5340), pxY(4935));
    setFont(fonts::font(QStringLiteral("MS Sans Serif"), 8.25, true));

    m_image2 = new PictureBox(res::id::InfoBackground, 0, this);
    m_image2->setGeometry(rect());
    m_image1 = new PictureBox(res::id::InfoSmall, 1, this);
    m_image1->setGeometry(pxX(3960), pxY(2430), pxX(480), pxY(480));

    m_label0 = new QLabel(this);
    m_label0->setGeometry(pxX(840), pxY(1200), pxX(3735), pxY(615));
    m_label0->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_label0->setFont(fonts::font(QStringLiteral("MS Sans Serif"), 12, true));

    m_lblHomepage = new QLabel(QString(app::kWebSite).remove(QStringLiteral("https://")).remove(QLatin1Char('/')), this);
    m_lblHomepage->setGeometry(pxX(840), pxY(2500), pxX(3135), pxY(255));
    m_lblHomepage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_lblHomepage->setStyleSheet(kLinkStyle.arg(QStringLiteral("0,0,192")));
    m_lblHomepage->setCursor(Qt::PointingHandCursor);
    m_lblHomepage->installEventFilter(this);

    for (const Flag& f : kFlags) {
        auto* img = new PictureBox(res::id::FlagBase + f.index, f.index, this);
        img->setGeometry(pxX(4680), pxY(f.topTwips), pxX(480), pxY(300));
        img->setToolTip(QString::fromUtf8(f.tip));
        img->setCursor(Qt::PointingHandCursor);
        img->hide();
        connect(img, &PictureBox::clicked, this, &frmInfo::imgLang_Click);
        m_imgLang[size_t(f.index)] = img;
    }

    m_cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    m_cmdOK->setGeometry(pxX(2760), pxY(3960), pxX(915), pxY(415));
    m_cmdOK->hide();
    connect(m_cmdOK, &QPushButton::clicked, this, &frmInfo::closeWindow);

    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &frmInfo::Timer1_Timer);
    Form_Load();
}

void frmInfo::Form_Load()
{
    Proc p("Form_Load", "frmInfo");
    p(0, [&] {
        if (const QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect g = s->geometry();
            move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
        }
    });
    p(0, [&] {
        if (!Allgemein::DrawShown)
            for (PictureBox* f : m_imgLang)
                if (f)
                    f->show();
    });
    p(0, [&] {
        if (Allgemein::StartScreen) {
            m_timer.start(2500);
            Allgemein::StartScreen = false;
        } else {
            m_timer.stop();
            m_cmdOK->show();
            m_cmdOK->setDefault(true);
        }
    });
    Sprache();
}

void frmInfo::Sprache()
{
    Proc p("Sprache", "frmInfo");
    p(20, [&] {
        const QString version = QStringLiteral("%1.%2.%3")
                                    .arg(app::versionMajor())
                                    .arg(app::versionMinor(), 2, 10, QLatin1Char('0'))
                                    .arg(app::versionRevision(), 4, 10, QLatin1Char('0'));
        m_label0->setText(Allgemein::GetLang(int16_t(Allgemein::Sprache + 100)) + QStringLiteral("  ")
                          + res::LoadResString(res::id::Volume) + QStringLiteral("\r\n") + version);
    });
}

QString frmInfo::title() const { return m_label0->text(); }

void frmInfo::imgLang_Click(int index)
{
    Proc p("imgLang_Click", "frmInfo");
    if (index * 1000 == Allgemein::Sprache)
        return;
    p(20, [&] { Allgemein::Sprache = int16_t(index * 1000); });
    p(30, [&] { Allgemein::SaveLanguage(); });
    p(40, [&] { Sprache(); });
}

void frmInfo::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Sprache();
}

void frmInfo::paintEvent(QPaintEvent* e)
{
    QDialog::paintEvent(e);
    m_painted = true;
    // The picture reaches the window system in the pass that painted it: leave one pass later.
    if (m_waiting)
        QTimer::singleShot(0, m_waiting, &QEventLoop::quit);
}

void frmInfo::waitUntilPainted(int maxMs)
{
    setCursor(Qt::WaitCursor);
    if (m_painted || !isVisible())
        return;
    QEventLoop loop;
    QTimer::singleShot(maxMs, &loop, &QEventLoop::quit);
    m_waiting = &loop;
    loop.exec();
    m_waiting = nullptr;
}

void frmInfo::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Sprache();
}

void frmInfo::Timer1_Timer()
{
    m_timer.stop();
    closeWindow();
}

void frmInfo::closeWindow()
{
    if (m_closing)
        return;
    m_closing = true;
    if (!m_drawWindowVisible() && !Allgemein::DrawShown) {
        m_showDrawWindow();
        Allgemein::DrawShown = true;
    }
    done(QDialog::Accepted);
    Forms::unload(this);
}

// Escape presses OK; on the start screen there is no OK, so Escape does nothing there.
void frmInfo::reject()
{
    if (m_cmdOK->isVisible())
        closeWindow();
}

// Closed by the window system before the timer fired: the drawing window must still appear.
void frmInfo::closeEvent(QCloseEvent* e)
{
    QDialog::closeEvent(e);
    closeWindow();
}

bool frmInfo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lblHomepage) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_lblHomepage->setStyleSheet(kLinkStyle.arg(QStringLiteral("255,0,0")));
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_lblHomepage->setStyleSheet(kLinkStyle.arg(QStringLiteral("0,0,255")));
            if (m_lblHomepage->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
                Proc p("lblHomepage_MouseUp", "frmInfo");
                p(10, [] { platform::openOrFail(app::kWebSite); });
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zorbel
