// The error protocol as text: its exact lines, how it is cut for the printer, and the ANSI
// conversions on the way in and out.
#include "TestSupport.h"
#include "errors/Protocol.h"

using namespace zorbel;
using namespace zorbel::protocol;

namespace {
const QString kDashes(70, QLatin1Char('-'));
const QString kTen(10, QLatin1Char(' '));
const QString kTwenty(20, QLatin1Char(' '));

Fields sample()
{
    Fields f;
    f.progInfoCaption = QStringLiteral("Programm-Info:");
    f.progInfo = QStringLiteral("zorbel  V1.0.1");
    f.errorCaption = QStringLiteral("Fehlerbeschreibung / error description:");
    f.titles = {QStringLiteral("Fehler-Nr / error :"), QStringLiteral("Modul:"), QStringLiteral("Prozedur / procedure:"),
                QStringLiteral("Zeile / Line:")};
    f.values = {QStringLiteral("13 (Type mismatch)"), QStringLiteral("frmDraw"), QStringLiteral("picBild_MouseDown"),
                QStringLiteral("20")};
    f.when = QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2));
    f.system = {QStringLiteral("Debian GNU/Linux 12 (bookworm)"), QStringLiteral("12"),
                QStringLiteral("6.1.0-18-amd64"), QStringLiteral("linux")};
    return f;
}

QString words(QChar letter, int length) { return QString(length, letter); }
} // namespace

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void buildWritesEveryLineWithCrLf()
    {
        const QStringList expected = {
            kDashes,
            QStringLiteral("F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L"),
            kDashes,
            QStringLiteral("PROGRAMM-INFO:"),
            kTen + QStringLiteral("zorbel  V1.0.1"),
            kDashes,
            QStringLiteral("FEHLERBESCHREIBUNG / ERROR DESCRIPTION:"),
            kTen + QStringLiteral("Fehler-Nr / error :\t13 (Type mismatch)"),
            kTen + QStringLiteral("Modul:\tfrmDraw"),
            kTen + QStringLiteral("Prozedur / procedure:\tpicBild_MouseDown"),
            kTen + QStringLiteral("Zeile / Line:\t20"),
            kTen + QStringLiteral("Datum/Uhrzeit (Date/Time):\t03-07-2024 / 09:05:02"),
            kDashes,
            QStringLiteral("SYSTEMINFO:"),
            kTen + QStringLiteral("Plattform/Environment:\tDebian GNU/Linux 12 (bookworm)"),
            kTen + QStringLiteral("Version:\t12"),
            kTen + QStringLiteral("Build:\t6.1.0-18-amd64   linux"),
            kDashes,
        };
        const QString text = build(sample());
        QCOMPARE(text, expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        // No bare line feeds or returns hide in the values' joins.
        QCOMPARE(text.count(QLatin1Char('\n')), expected.size());
        QCOMPARE(text.count(QLatin1Char('\r')), expected.size());
    }

    void dateAndTimeUseTwoDigitsAndTheTwentyFourHourClock()
    {
        Fields f = sample();
        f.when = QDateTime(QDate(2031, 12, 31), QTime(23, 59, 59));
        QVERIFY(build(f).contains(QStringLiteral("\t12-31-2031 / 23:59:59\r\n")));
        f.when = QDateTime(QDate(2025, 1, 2), QTime(0, 0, 7));
        QVERIFY(build(f).contains(QStringLiteral("\t01-02-2025 / 00:00:07\r\n")));
    }

    void wrapKeepsLinesUpToColumn73AndIndentsTheRest()
    {
        // An empty line prints as one blank; the line end added to the whole text ends the last line,
        // so a text ending in a line end (as the protocol does) prints one blank line after it.
        QCOMPARE(wrapForPrint(QString()), QStringList{QStringLiteral(" ")});
        QCOMPARE(wrapForPrint(QStringLiteral("a\r\n\r\nb")),
                 (QStringList{QStringLiteral("a "), QStringLiteral(" "), QStringLiteral("b ")}));
        QCOMPARE(wrapForPrint(QStringLiteral("a\r\n")), (QStringList{QStringLiteral("a "), QStringLiteral(" ")}));

        // 36 + blank + 35 + the added blank = 73 columns: unbroken.
        const QString fits = words('a', 36) + QLatin1Char(' ') + words('b', 35);
        QCOMPARE(wrapForPrint(fits), QStringList{fits + QLatin1Char(' ')});

        // One more column moves the last word onto a continuation line.
        const QString over = words('a', 36) + QLatin1Char(' ') + words('b', 36);
        QCOMPARE(wrapForPrint(over),
                 (QStringList{words('a', 36) + QLatin1Char(' '), kTwenty + words('b', 36) + QLatin1Char(' ')}));
    }

    void continuationLinesDoNotCountTheirIndent()
    {
        // After the cut the counter starts with the moved word: 37 + 36 = 73 still fits.
        const QString line = words('a', 36) + QLatin1Char(' ') + words('b', 36) + QLatin1Char(' ') + words('c', 35);
        const QStringList printed = wrapForPrint(line);
        QCOMPARE(printed.size(), 2);
        QCOMPARE(printed[1], kTwenty + words('b', 36) + QLatin1Char(' ') + words('c', 35) + QLatin1Char(' '));
        QCOMPARE(printed[1].size(), 20 + 73);
    }

    void aWordLongerThanALineIsNeverSplit()
    {
        const QString longWord = words('x', 80);
        // It opens an indented line of its own, whole; the next word goes to the next line.
        QCOMPARE(wrapForPrint(longWord + QStringLiteral(" y")),
                 (QStringList{kTwenty + longWord + QLatin1Char(' '), kTwenty + QStringLiteral("y ")}));
        // After a short word it moves on whole too.
        QCOMPARE(wrapForPrint(QStringLiteral("z ") + longWord),
                 (QStringList{QStringLiteral("z "), kTwenty + longWord + QLatin1Char(' ')}));
    }

    void onlyBlanksSeparateWords()
    {
        // Tabs belong to the word; every blank of an indent is a word of its own.
        QCOMPARE(wrapForPrint(kTen + QStringLiteral("Modul:\tfrmDraw")).first(),
                 kTen + QStringLiteral("Modul:\tfrmDraw "));
        // The protocol's widest fixed line stays one printed line.
        const QStringList printed = wrapForPrint(build(sample()));
        QVERIFY(printed.contains(QStringLiteral("F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L ")));
        QCOMPARE(printed.size(), 18 + 1);
    }

    void lpstrStopsAtTheFirstNul()
    {
        QCOMPARE(LPSTRToVBString(QByteArray("abc\0def", 7)), QStringLiteral("abc"));
        QCOMPARE(LPSTRToVBString(QByteArray("\0abc", 4)), QString());
        // No terminator: the buffer was not filled in.
        QCOMPARE(LPSTRToVBString(QByteArray("abc")), QString());
        QCOMPARE(LPSTRToVBString(QByteArray()), QString());
        QCOMPARE(LPSTRToVBString(QByteArray("\x80 Gr\xfc\xdf" "e\0", 8)), QStringLiteral("€ Grüße"));
    }

    void ansiBytesReplaceWhatTheCodePageLacks()
    {
        QCOMPARE(toAnsi(QStringLiteral("Grüße € „x“\r\n")), QByteArray("Gr\xfc\xdf" "e \x80 \x84x\x93\r\n"));
        QCOMPARE(toAnsi(QStringLiteral("日本")), QByteArray("??"));
        // A character beyond the basic plane is one character, so one '?'.
        QCOMPARE(toAnsi(QStringLiteral("a\U0001F996b")), QByteArray("a?b"));
        // C1 control codes have no Windows-1252 code of their own.
        QCOMPARE(toAnsi(QString(QChar(0x81))), QByteArray("?"));
    }
};

ZORBEL_TEST_MAIN(TestProtocol)
#include "test_protocol.moc"
