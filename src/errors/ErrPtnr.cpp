#include "ErrPtnr.h"
#include "Protocol.h"
#include "core/AppInfo.h"
#include "core/Basic.h"
#include "core/Fonts.h"
#include "core/Platform.h"
#include "core/Printer.h"
#include "core/SafeFile.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFontMetrics>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <algorithm>

namespace zorbel {

using basic::pxX;
using basic::pxY;

namespace {
const QString kCaption = QStringLiteral("Fehler / Error! ");
const QString kComment = QStringLiteral(
    "There is a problem. Please contact the author if this problem appears again.\r\n"
    "Es liegt ein Problem vor, mit dem Sie sich an den technischen Support wenden sollten, falls es "
    "wiederholt auftritt.");
const QString kCrLf = QStringLiteral("\r\n");
const QString kMailNotice = QStringList{
    QStringLiteral("Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die Fehlerbeschreibung sowie das "
                   "Fehlerprotokoll"),
    QStringLiteral("wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert."),
    QString(),
    QStringLiteral("Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie in Ihrem "
                   "Email-Programm"),
    QStringLiteral("die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können Sie den Inhalt in "
                   "die EMail"),
    QStringLiteral("einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' ausführen."),
    QString(),
    QString(),
    QStringLiteral("Your email application will be started. The error description will be copied to the "
                   "clipboard."),
    QString(),
    QStringLiteral("Please insert the contents of the clipboard into the message body by using Ctrl + V or "),
    QStringLiteral("use the menu or toolbar command of your email program. "),
}.join(kCrLf);
constexpr int kFrameWidth = 7215;
constexpr int kButtonLefts[] = {240, 2040, 3840, 5640};

QGroupBox* frame(QWidget* parent, const QString& caption, int heightTwips)
{
    auto* f = new QGroupBox(caption, parent);
    f->setFlat(false);
    f->resize(pxX(kFrameWidth), pxY(heightTwips));
    // Frame captions are red, as the program always showed them.
    f->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid #a0a0a0; margin-top: 6px; }"
                                    "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px;"
                                    " color: rgb(255,0,0); }"));
    return f;
}

QLabel* label(QWidget* parent, int left, int top, int width, int height, bool italic = false)
{
    auto* l = new QLabel(parent);
    l->setGeometry(pxX(left), pxY(top), pxX(width), pxY(height));
    l->setFont(fonts::font(QStringLiteral("MS Sans Serif"), 8.25, false, italic));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, int index)
{
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(pxX(kButtonLefts[index]), pxY(240), pxX(1335), pxY(495));
    b->setAutoDefault(false);
    return b;
}

// The captions were made for a narrow bitmap font: shrink ours until every caption of the row
// fits, and give the whole row that one size.
void fitRow(const std::array<QPushButton*, 4>& row)
{
    QFont f = fonts::font(QStringLiteral("MS Sans Serif"), 8.25);
    const auto fits = [&f](const QPushButton* b) {
        return QFontMetrics(f).horizontalAdvance(b->text().remove(QLatin1Char('&'))) <= b->width() - 10;
    };
    while (f.pointSizeF() > 6.5 && !std::all_of(row.begin(), row.end(), fits))
        f.setPointSizeF(f.pointSizeF() - 0.25);
    for (QPushButton* b : row)
        b->setFont(f);
}

class Reporter : public ErrorReporter {
public:
    int16_t OnError(const QString& procedure, const QString& module) override
    {
        if (!m_dialog)
            m_dialog = new ErrPtnr;
        int16_t answer = 0;
        m_dialog->OnError(procedure, module, answer);
        return answer;
    }

private:
    QPointer<ErrPtnr> m_dialog;
};

// Failures of the protocol buttons stay inside the dialog: opening it again from itself
// would stack error dialogs over a report the user has not answered yet.
class InDialog : public ErrorReporter {
public:
    explicit InDialog(std::function<void(const QString&)> show) : m_show(std::move(show)) {}
    int16_t OnError(const QString& procedure, const QString&) override
    {
        m_show(procedure);
        return Cancel;
    }

private:
    std::function<void(const QString&)> m_show;
};

void toClipboard(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}
} // namespace

ErrPtnr::ErrPtnr()
{
    setWindowTitle(kCaption);
    platform::fixedDialog(this);
    setFont(fonts::font(QStringLiteral("MS Sans Serif"), 8.25));
    setWindowModality(Qt::ApplicationModal);
    connect(this, &QDialog::finished, this, [this] { m_open = false; });

    m_framComment = frame(this, QString(), 975);
    m_lblComment = label(m_framComment, 120, 240, 6855, 615);
    m_lblComment->setWordWrap(true);
    m_lblComment->setTextInteractionFlags(Qt::TextSelectableByMouse); // an address to copy by hand

    m_framFehler = frame(this, QStringLiteral("Fehlerbeschreibung / error description:"), 1695);
    const QString titles[] = {QStringLiteral("Fehler-Nr / error :"), QStringLiteral("Modul:"),
                              QStringLiteral("Prozedur / procedure:"), QStringLiteral("Zeile / Line:")};
    const int tops[] = {240, 960, 1200, 1440};
    for (int i = 0; i < 4; ++i) {
        m_lblErrTitel[size_t(i)] = label(m_framFehler, 120, tops[i], 1800, 255, true);
        m_lblErrTitel[size_t(i)]->setText(titles[i]);
        m_lblError[size_t(i)] = label(m_framFehler, 1920, tops[i], 5205, i == 0 ? 675 : 195);
    }
    // Number and description get three lines; a longer description is cut off here (the protocol has it whole).
    m_lblError[0]->setWordWrap(true);
    m_lblError[0]->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_framProgInfo = frame(this, QStringLiteral("Programm-Info:"), 615);
    m_lblProgInfo = label(m_framProgInfo, 30, 240, 7110, 195);
    m_lblProgInfo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    m_framProtocol = frame(this, QStringLiteral("Fehlerprotokoll ... / error protocoll..."), 855);
    const QString protocol[] = {QStringLiteral("&Drucken/Print"), QStringLiteral("&Speichern/Save"),
                                QStringLiteral("&EMail"), QStringLiteral("&WWW")};
    m_framContinue = frame(this, QStringLiteral("Weiterer Programmablauf... / Continue..."), 855);
    const QString cont[] = {QStringLiteral("Wieder&holen Retry"), QStringLiteral("&Ignorieren   Ignore"),
                            QStringLiteral("&Abbrechen Cancel"), QStringLiteral("&Beenden       End")};
    for (int i = 0; i < 4; ++i) {
        m_cmdProtocol[size_t(i)] = button(m_framProtocol, protocol[i], i);
        connect(m_cmdProtocol[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdProtocol_Click(i); });
        m_cmdContinue[size_t(i)] = button(m_framContinue, cont[i], i);
        connect(m_cmdContinue[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdContinue_Click(i); });
    }
    fitRow(m_cmdProtocol);
    fitRow(m_cmdContinue);
}

ErrorReporter& ErrPtnr::reporter()
{
    static Reporter r;
    return r;
}

void ErrPtnr::SetProgInfo(const QString& text) { m_lblProgInfo->setText(text); }
QString ErrPtnr::errorText(int index) const { return m_lblError[size_t(index)]->text(); }
QString ErrPtnr::progInfo() const { return m_lblProgInfo->text(); }
QString ErrPtnr::comment() const { return m_lblComment->text(); }

void ErrPtnr::OnError(const QString& procedure, const QString& module, int16_t& answer)
{
    // A failure raised behind the open dialog (a resize, a timer) waits until the user has
    // answered the report on screen and then gets a report and an answer of its own: showing it
    // at once would hand it the stale stored answer, and a Retry would loop for ever.
    const Failure f = currentFailure();
    const QPointer<ErrPtnr> guard(this);
    while (guard && m_open) {
        QEventLoop wait;
        connect(this, &QDialog::finished, &wait, &QEventLoop::quit);
        wait.exec();
    }
    if (!guard) {
        answer = Cancel;
        return;
    }
    m_lblError[0]->setText(QStringLiteral("%1 (%2)").arg(f.number).arg(f.description));
    m_lblError[1]->setText(module);
    m_lblError[2]->setText(procedure);
    m_lblError[3]->setText(QString::number(f.line));
    if (m_lblProgInfo->text().isEmpty())
        m_lblProgInfo->setText(QStringLiteral("%1  V%2.%3.%4")
                                   .arg(app::programName())
                                   .arg(app::versionMajor())
                                   .arg(app::versionMinor())
                                   .arg(app::versionRevision()));
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    LayoutDialog();
    AppendProtocolLog();
    QApplication::beep();
    // Our own loop rather than exec(): exec() cannot be entered again for the waiting report above.
    const QPointer<ErrPtnr> self(this);
    int16_t mine = Cancel;
    bool answered = false;
    QEventLoop loop;
    const auto connection = connect(this, &QDialog::finished, &loop, [&] {
        if (!answered) {
            answered = true;
            mine = m_answer;
            loop.quit();
        }
    });
    m_open = true;
    show();
    loop.exec();
    if (self)
        disconnect(connection);
    answer = mine;
}

void ErrPtnr::LayoutDialog()
{
    int y = 0;
    for (QGroupBox* f : {m_framComment, m_framFehler, m_framProgInfo, m_framProtocol, m_framContinue}) {
        f->setVisible(true);
        f->move(0, y);
        y += f->height();
    }
    m_lblComment->setText(kComment);
    m_lblComment->setStyleSheet(QString());
    for (int i = 0; i < 4; ++i) {
        m_cmdProtocol[size_t(i)]->setVisible(true);
        m_cmdContinue[size_t(i)]->setVisible(true);
    }
    setFixedSize(m_framFehler->width(), y);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect screen = s->geometry();
        move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
    }
}

void ErrPtnr::cmdContinue_Click(int index)
{
    m_answer = int16_t(index);
    hide();
    done(index);
}

// Closed by the window system or Escape: leave the failing procedure rather than retry it forever.
void ErrPtnr::reject()
{
    m_answer = Cancel;
    QDialog::reject();
}

void ErrPtnr::BuildProtocol(QString& text) const
{
    protocol::Fields f;
    f.progInfoCaption = m_framProgInfo->title();
    f.progInfo = m_lblProgInfo->text();
    f.errorCaption = m_framFehler->title();
    for (size_t i = 0; i < 4; ++i) {
        f.titles[i] = m_lblErrTitel[i]->text();
        f.values[i] = m_lblError[i]->text();
    }
    f.when = QDateTime::currentDateTime();
    f.system = protocol::currentSystem();
    text = protocol::build(f);
}

void ErrPtnr::AppendProtocolLog() const
{
    // A log that cannot be written must not keep the report from the dialog.
    QString text;
    BuildProtocol(text);
    try {
        files::ensureOwnFolder(app::programFolder());
    } catch (const VbError&) {
        return;
    }
    files::appendToFile(app::programFolder() + app::programName() + QStringLiteral(".EPT"),
                        protocol::toAnsi(text) + "\r\n");
}

void ErrPtnr::cmdProtocol_Click(int index)
{
    InDialog inDialog([this](const QString& procedure) { ShowOwnFailure(procedure); });
    const ReporterScope scope(&inDialog);
    // Built afresh: the protocol's date and time are those of the click.
    QString text;
    BuildProtocol(text);
    switch (index) {
    case 0: PrintProtocol(text); break;
    case 1: SaveProtocol(text); break;
    case 2: MailProtocol(text); break;
    case 3: WebProtocol(text); break;
    default: break;
    }
}

void ErrPtnr::PrintProtocol(const QString& text)
{
    Proc p("PrintProtocol", "ErrPtnr");
    std::unique_ptr<printing::PrintJob> job;
    p(10, [&] { job = printing::printers().begin(QPageLayout::Portrait); });
    p(20, [&] {
        QPainter& painter = job->painter();
        painter.setFont(QGuiApplication::font());
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(painter.font(), painter.device());
        const double pageHeight = job->printableRect().height();
        double y = 0;
        for (const QString& line : protocol::wrapForPrint(text)) {
            if (y > 0 && y + metrics.height() > pageHeight) {
                if (!job->newPage())
                    throw VbError(vberr::PrinterError);
                y = 0;
            }
            painter.drawText(QPointF(0, y + metrics.ascent()), line);
            y += metrics.lineSpacing();
        }
    });
    p(30, [&] { job->end(); });
}

void ErrPtnr::SaveProtocol(const QString& text)
{
    Proc p("SaveProtocol", "ErrPtnr");
    const QString folder = app::programFolder();
    const QString file = folder + app::programName() + QStringLiteral(".ERR");
    p(10, [&] {
        const QString question = QStringLiteral("Vorhandene Datei '") + file + QStringLiteral("' überschreiben?") + kCrLf
            + QStringLiteral("Overwrite file '") + file + QStringLiteral("' ?");
        if (QFileInfo::exists(file) && !platform::dialogs().askYesNo(this, question, app::kTitle, false, false))
            p.leave();
    });
    p(20, [&] {
        QDir().mkpath(folder);
        if (!QFileInfo(folder).isDir())
            throw VbError(vberr::PathNotFound);
        files::ensureOwnFolder(folder);
        files::replaceFile(file, protocol::toAnsi(text) + "\r\n");
    });
    p(30, [&] {
        platform::dialogs().inform(this,
                                   QStringLiteral("Das Fehlerprotokoll wurde in die Datei '") + file
                                       + QStringLiteral("' geschrieben!") + kCrLf
                                       + QStringLiteral("Error protocoll was written to file '") + file
                                       + QStringLiteral("'!"),
                                   app::kTitle);
    });
}

void ErrPtnr::MailProtocol(const QString& text)
{
    Proc p("MailProtocol", "ErrPtnr");
    p(10, [&] { platform::dialogs().inform(this, kMailNotice, app::kTitle); });
    p(20, [&] { toClipboard(text); });
    p(30, [&] { platform::openOrFail(QStringLiteral("mailto:") + app::kSupportMail); });
}

void ErrPtnr::WebProtocol(const QString& text)
{
    Proc p("WebProtocol", "ErrPtnr");
    p(10, [&] { toClipboard(text); });
    p(20, [&] { platform::openOrFail(app::kWebSite); });
}

void ErrPtnr::ShowOwnFailure(const QString& procedure)
{
    const Failure& f = currentFailure();
    m_lblComment->setText(QStringLiteral("Fehler / Error %1 (%2)").arg(f.number).arg(f.description) + kCrLf
                          + QStringLiteral("%1, Zeile / line %2").arg(procedure).arg(f.line));
    m_lblComment->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
    QApplication::beep();
}

} // namespace zorbel
