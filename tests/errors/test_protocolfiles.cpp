// The Save, EMail and WWW buttons of the error dialog, clicked while the dialog is up.
#include "DialogDriver.h"
#include "core/AppInfo.h"
#include "errors/Protocol.h"
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPushButton>

using namespace zorbel;
using namespace zorbel::test;

namespace {
enum { Print, Save, Mail, Web };

QString errPath() { return app::programFolder() + app::programName() + QStringLiteral(".ERR"); }

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString savedMessage(const QString& file)
{
    return QStringLiteral("Das Fehlerprotokoll wurde in die Datei '") + file + QStringLiteral("' geschrieben!\r\n")
        + QStringLiteral("Error protocoll was written to file '") + file + QStringLiteral("'!");
}

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

// Opens nothing: no browser and no mail program.
class BrokenShell : public platform::Shell {
public:
    bool open(const QString&) override { return false; }
};
} // namespace

class TestProtocolFiles : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        resetFakes();
        QFile::remove(errPath());
    }

    void saveWritesTheProtocolOfTheClickInAnsi()
    {
        ErrPtnr dlg;
        QByteArray expected;
        reportAndRun(dlg, [&] {
            // Built at the click: what changed while the dialog was up is in the file.
            dlg.SetProgInfo(QStringLiteral("Zorbel für Kinder"));
            dlg.protocolButton(Save)->click();
            expected = protocol::toAnsi(protocolOf(dlg)) + "\r\n";
        });
        const QByteArray saved = readAll(errPath());
        QVERIFY(saved.contains(QByteArray(10, ' ') + "Zorbel f\xfcr Kinder\r\n"));
        QVERIFY(saved.contains("53 (File not found)"));
        QCOMPARE(withoutTime(QString::fromLatin1(saved)), withoutTime(QString::fromLatin1(expected)));
        QVERIFY(dialogs().questions.empty());
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QCOMPARE(dialogs().messages[0].first, savedMessage(errPath()));
        QCOMPARE(dialogs().messages[0].second, QStringLiteral("Zorbel III"));
    }

    void anExistingFileIsReplacedOnlyAfterYes()
    {
        writeFile(errPath(), "old");
        ErrPtnr dlg;
        dialogs().yesNo = {false, true};
        reportAndRun(dlg, [&] {
            dlg.protocolButton(Save)->click();
            QCOMPARE(readAll(errPath()), QByteArray("old"));
            QVERIFY(dialogs().messages.empty());
            QVERIFY(dlg.isVisible());
            dlg.protocolButton(Save)->click();
        });
        QCOMPARE(dialogs().questions.size(), size_t(2));
        const auto& asked = dialogs().questions[0];
        QCOMPARE(asked.text, QStringLiteral("Vorhandene Datei '") + errPath() + QStringLiteral("' überschreiben?\r\n")
                                 + QStringLiteral("Overwrite file '") + errPath() + QStringLiteral("' ?"));
        QCOMPARE(asked.title, QStringLiteral("Zorbel III"));
        QVERIFY(!asked.icon);
        QVERIFY(!asked.defaultNo);
        const QByteArray saved = readAll(errPath());
        QVERIFY(saved.startsWith(QByteArray(70, '-') + "\r\n"));
        QVERIFY(saved.endsWith(QByteArray(70, '-') + "\r\n\r\n"));
        QCOMPARE(dialogs().messages.size(), size_t(1));
    }

    void theLogAndTheSavedProtocolNeverFollowALink()
    {
        const QString outside = scratchFolder() + QStringLiteral("/outside.txt");
        writeFile(outside, "keep");
        const QString log = app::programFolder() + app::programName() + QStringLiteral(".EPT");
        QFile::remove(log);
        QFile::remove(errPath());
        QVERIFY(QFile::link(outside, log));
        QVERIFY(QFile::link(outside, errPath()));
        ErrPtnr dlg;
        dialogs().yesNo = {true};
        reportAndRun(dlg, [&] {
            dlg.protocolButton(Save)->click();
            QVERIFY(dlg.comment().contains(QStringLiteral("70")));
        });
        QCOMPARE(readAll(outside), QByteArray("keep"));
        QFile::remove(log);
        QFile::remove(errPath());
    }

    void anUnwritableFolderIsReportedInTheDialog()
    {
        const QString saved = app::programFolder();
        // A file where the folder should be stops even a privileged user.
        const QString blocker = scratchFolder() + QStringLiteral("/not-a-folder");
        writeFile(blocker, "x");
        app::setProgramFolder(blocker);
        ErrPtnr dlg;
        const int16_t answer = reportAndRun(dlg, [&] {
            dlg.protocolButton(Save)->click();
            QVERIFY(dlg.isVisible());
            QVERIFY(dlg.comment().contains(QStringLiteral("76")));
            QVERIFY(dlg.comment().contains(QStringLiteral("SaveProtocol")));
            QVERIFY(dialogs().messages.empty());
            // Still usable: another button works and the answer still counts.
            dlg.protocolButton(Web)->click();
            QCOMPARE(shell().opened, QStringList{app::kWebSite});
            dlg.continueButton(Cancel)->click();
        });
        app::setProgramFolder(saved);
        QCOMPARE(answer, int16_t(Cancel));
        // The failure of the button is not reported elsewhere, and the dialog's own failure is kept.
        QVERIFY(reporter().reports.empty());
        QCOMPARE(currentFailure().number, 53);
    }

    void theNextReportClearsTheButtonsFailure()
    {
        ErrPtnr dlg;
        BrokenShell broken;
        platform::setShell(&broken);
        reportAndRun(dlg, [&] {
            dlg.protocolButton(Web)->click();
            QVERIFY(dlg.comment().contains(QStringLiteral("WebProtocol")));
            QVERIFY(dlg.comment().contains(app::kWebSite)); // the parent can open it by hand
            dlg.protocolButton(Mail)->click();
            QVERIFY(dlg.comment().contains(QStringLiteral("mailto:support@zorbel.example")));
        });
        platform::setShell(&shell());
        reportAndRun(dlg, [&] { QVERIFY(dlg.comment().startsWith(QStringLiteral("There is a problem."))); });
    }

    void mailInformsThenCopiesAndOpensTheMailProgram()
    {
        ErrPtnr dlg;
        QString protocolText;
        reportAndRun(dlg, [&] {
            QGuiApplication::clipboard()->setText(QStringLiteral("stale"));
            dlg.protocolButton(Mail)->click();
            protocolText = protocolOf(dlg);
        });
        QCOMPARE(shell().opened, QStringList{QStringLiteral("mailto:support@zorbel.example")});
        QCOMPARE(withoutTime(clipboardText()), withoutTime(protocolText));
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QCOMPARE(dialogs().messages[0].second, QStringLiteral("Zorbel III"));
        const QStringList lines = dialogs().messages[0].first.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines[0], QStringLiteral("Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die Fehlerbeschreibung "
                                          "sowie das Fehlerprotokoll"));
        QCOMPARE(lines[1], QStringLiteral("wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert."));
        QCOMPARE(lines[3], QStringLiteral("Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie "
                                          "in Ihrem Email-Programm"));
        QCOMPARE(lines[4], QStringLiteral("die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können Sie "
                                          "den Inhalt in die EMail"));
        QCOMPARE(lines[5], QStringLiteral("einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' "
                                          "ausführen."));
        QCOMPARE(lines[8], QStringLiteral("Your email application will be started. The error description will be "
                                          "copied to the clipboard."));
        QCOMPARE(lines[10], QStringLiteral("Please insert the contents of the clipboard into the message body by using "
                                           "Ctrl + V or "));
        QCOMPARE(lines[11], QStringLiteral("use the menu or toolbar command of your email program. "));
        for (int blank : {2, 6, 7, 9})
            QVERIFY(lines[blank].isEmpty());
    }

    void webCopiesAndOpensTheSiteWithoutAMessage()
    {
        ErrPtnr dlg;
        QString protocolText;
        reportAndRun(dlg, [&] {
            dlg.protocolButton(Web)->click();
            protocolText = protocolOf(dlg);
        });
        QCOMPARE(shell().opened, QStringList{QStringLiteral("https://www.zorbel.example/")});
        QCOMPARE(withoutTime(clipboardText()), withoutTime(protocolText));
        QVERIFY(clipboardText().contains(QStringLiteral("53 (File not found)")));
        QVERIFY(dialogs().messages.empty());
    }
};

ZORBEL_TEST_MAIN(TestProtocolFiles)
#include "test_protocolfiles.moc"
