// A print server that takes the connection and never answers: the start's margins and the Print
// button give up within seconds, as if there were no printer, instead of freezing the window.
#include "TestSupport.h"
#include "core/Drucker.h"
#include "core/Printer.h"
#include <QElapsedTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zorbel;

class TestSilentPrint : public QObject {
    Q_OBJECT
    int m_listener = -1;

private slots:
    void initTestCase()
    {
        // Listening but never accepting: the system completes the connection, nobody replies.
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof at;
        QVERIFY(::bind(m_listener, reinterpret_cast<sockaddr*>(&at), len) == 0 && ::listen(m_listener, 8) == 0);
        QVERIFY(::getsockname(m_listener, reinterpret_cast<sockaddr*>(&at), &len) == 0);
        // Read by the print system at its first use, which comes below.
        qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(ntohs(at.sin_port)));
        printing::setPrinters(nullptr);
    }
    void cleanupTestCase()
    {
        printing::setPrinters(&test::noPrinter());
        ::close(m_listener);
    }

    void marginsAndPrintGiveUpWithinSeconds()
    {
        QElapsedTimer clock;
        clock.start();
        int16_t left = 0, right = 0, top = 0, bottom = 0;
        Drucker::GetPrinterMargins(left, right, top, bottom);
        QCOMPARE(left + right + top + bottom, 0);
        QVERIFY2(clock.elapsed() < 10000, "the margins waited on the silent server");
        clock.restart();
        int32_t number = 0;
        try {
            printing::printers().begin(QPageLayout::Landscape);
        } catch (const VbError& e) {
            number = e.number();
        }
        QCOMPARE(number, vberr::PrinterError);
        QVERIFY2(clock.elapsed() < 10000, "printing waited on the silent server");
    }
};

ZORBEL_TEST_MAIN(TestSilentPrint)
#include "test_silentprint.moc"
