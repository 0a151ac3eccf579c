// One real print: a private print server with a PDF queue, started for this test alone in a
// temporary folder and reached through CUPS_SERVER; the printed PDF is rendered and measured.
#include "DrawFixture.h"
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <pwd.h>
#include <unistd.h>

using namespace zorbel;
using test::DrawFixture;

namespace {
const QString kQueue = QStringLiteral("ZorbelTestPDF");
const QString kDriver = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString kBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");

QString tool(const QString& name)
{
    return QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                                 QStringLiteral("/sbin"), QStringLiteral("/bin")});
}

bool run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(tool(program), args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// cups-pdf writes into the PDF folder in the home of the job's user.
QString outputFolder() { return QString::fromLocal8Bit(::getpwuid(::getuid())->pw_dir) + QStringLiteral("/PDF"); }

QStringList pdfs() { return QDir(outputFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files); }
} // namespace

class TestRealPrint : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_root;
    QProcess m_cupsd;
    bool m_madeOutputFolder = false;

private slots:
    void initTestCase()
    {
        for (const char* t : {"cupsd", "lpadmin", "cupsreject", "cupsaccept", "lpstat", "pdftoppm"})
            if (tool(QLatin1String(t)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (Debian cups, poppler-utils)").arg(QLatin1String(t))));
        if (!QFileInfo::exists(kDriver) || !QFileInfo::exists(kBackend))
            QSKIP("the cups-pdf driver is not installed (Debian printer-driver-cups-pdf)");
        if (::getuid() != 0)
            QSKIP("the cups-pdf backend only runs under a print server started as root");

        // Filters run as the print server's own user: the folder must be open to it.
        m_root = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/zorbel-cups-XXXXXX"));
        QVERIFY(m_root->isValid());
        const QString root = m_root->path();
        QFile::setPermissions(root, QFileDevice::Permissions(0x7755));
        for (const char* d : {"etc", "spool", "cache", "run", "log", "home"})
            QVERIFY(QDir(root).mkpath(QLatin1String(d)));
        const QString socket = root + QStringLiteral("/cups.sock");
        auto write = [&](const QString& name, const QString& text) {
            QFile f(root + QStringLiteral("/etc/") + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text.toUtf8());
        };
        write(QStringLiteral("cupsd.conf"),
              QStringLiteral("Listen %1\nBrowsing No\nBrowseLocalProtocols none\nWebInterface No\nLogLevel warn\n"
                             "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                  .arg(socket));
        write(QStringLiteral("cups-files.conf"),
              QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/run\n"
                             "AccessLog %1/log/access_log\nErrorLog %1/log/error_log\nPageLog %1/log/page_log\n")
                  .arg(root));
        qputenv("CUPS_SERVER", socket.toLocal8Bit());
        qputenv("HOME", (root + QStringLiteral("/home")).toLocal8Bit()); // no personal default printer
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_cupsd.start(tool(QStringLiteral("cupsd")),
                      {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/etc/cupsd.conf"),
                       QStringLiteral("-s"), root + QStringLiteral("/etc/cups-files.conf")});
        QVERIFY(m_cupsd.waitForStarted());
        QVERIFY2(QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 20000), "the print server did not start");
        QVERIFY(run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                                                QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), kDriver}));
        QVERIFY(run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), kQueue}));
        m_madeOutputFolder = !QFileInfo::exists(outputFolder());
        printing::setPrinters(nullptr);
    }

    void cleanupTestCase()
    {
        printing::setPrinters(&test::noPrinter());
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(10000))
                m_cupsd.kill();
        }
        if (m_madeOutputFolder)
            QDir(outputFolder()).removeRecursively();
    }

    void thePictureFillsTheLandscapeSheetInsideTheMarginsWithTheFooterBelow()
    {
        DrawFixture f;
        QCOMPARE(f.w->MarginLeft, int16_t(1)); // the queue reaches the whole sheet: one millimetre of safety
        QCOMPARE(f.w->MarginBottom, int16_t(1));
        QImage blue(8, 6, QImage::Format_RGB32);
        blue.fill(QColor(0, 0, 255));
        f.w->canvas().paintPicture(blue);
        const QStringList before = pdfs();
        f.w->vbeButton_Click(5);
        QVERIFY(test::reporter().reports.empty());

        QString printed;
        const bool done = QTest::qWaitFor([&] {
            for (const QString& name : pdfs())
                if (!before.contains(name))
                    printed = outputFolder() + QLatin1Char('/') + name;
            QProcess jobs;
            jobs.start(tool(QStringLiteral("lpstat")), {QStringLiteral("-o"), kQueue});
            jobs.waitForFinished();
            return !printed.isEmpty() && jobs.readAllStandardOutput().trimmed().isEmpty();
        }, 60000);
        QVERIFY2(done, "no PDF came out of the queue");
        const QString png = m_root->path() + QStringLiteral("/page");
        QVERIFY(run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                                 QStringLiteral("-singlefile"), printed, png}));
        QFile::remove(printed);
        QImage page(png + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        // The queue puts the landscape page on a portrait sheet turned a quarter anticlockwise:
        // turn it back to read it.
        if (page.height() > page.width())
            page = page.transformed(QTransform().rotate(90));
        const double mm = page.width() / 297.0;
        QVERIFY(std::abs(page.height() / mm - 210) < 1);

        QRect picture, footer;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                if (c.blue() > 200 && c.red() < 60 && c.green() < 60)
                    picture |= QRect(x, y, 1, 1);
                else if (c.lightness() < 160)
                    footer |= QRect(x, y, 1, 1);
            }
        const QString where = QStringLiteral("picture %1,%2 %3x%4 mm, footer %5,%6 to %7 mm")
                                  .arg(picture.left() / mm, 0, 'f', 1).arg(picture.top() / mm, 0, 'f', 1)
                                  .arg(picture.width() / mm, 0, 'f', 1).arg(picture.height() / mm, 0, 'f', 1)
                                  .arg(footer.left() / mm, 0, 'f', 1).arg(footer.top() / mm, 0, 'f', 1)
                                  .arg(footer.bottom() / mm, 0, 'f', 1);
        qInfo("%s", qPrintable(where));
        // 208 mm between the margins, less one line of 6 pt and its gap.
        QVERIFY2(picture.top() / mm > 0.5 && picture.top() / mm < 2, qPrintable(where));
        QVERIFY2(picture.height() / mm > 202 && picture.height() / mm < 206, qPrintable(where));
        QVERIFY2(std::abs(picture.width() * 3.0 / 4 - picture.height()) < 2 * mm, qPrintable(where));
        QVERIFY2(std::abs(picture.left() - (page.width() - 1 - picture.right())) < 1.5 * mm, qPrintable(where));
        QVERIFY2(footer.top() > picture.bottom() && footer.top() - picture.bottom() < 2 * mm, qPrintable(where));
        QVERIFY2(footer.bottom() < page.height() - 0.5 * mm, qPrintable(where));
        QVERIFY2(std::abs(footer.left() - picture.left()) < 2 * mm, qPrintable(where));
    }

    void aQueueThatRefusesJobsIsReportedWhereTheJobIsSent()
    {
        QVERIFY(run(QStringLiteral("cupsreject"), {kQueue}));
        DrawFixture f;
        f.w->vbeButton_Click(5);
        QVERIFY(run(QStringLiteral("cupsaccept"), {kQueue}));
        QCOMPARE(test::reporter().reports.size(), size_t(1));
        QCOMPARE(test::reporter().reports[0].number, 482);
        QCOMPARE(test::reporter().reports[0].line, 390);
    }
};

ZORBEL_TEST_MAIN(TestRealPrint)
#include "test_realprint.moc"
