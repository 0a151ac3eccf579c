// How long PlayWAV keeps the caller waiting with the real sound device. The first call sets the
// device up and loads the effect; what counts for a click in the drawing window is every call after.
#include "core/Allgemein.h"
#include "core/Platform.h"
#include <QGuiApplication>
#include <QTest>

class BenchSound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        zorbel::platform::setSound(nullptr);
        Allgemein::PlayWAV(101);
    }

    void playReturns_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("101 short, 11 kHz") << 101;
        QTest::newRow("102 stereo, 22 kHz") << 102;
    }

    void playReturns()
    {
        QFETCH(int, id);
        Allgemein::PlayWAV(int16_t(id));
        QBENCHMARK {
            Allgemein::PlayWAV(int16_t(id));
        }
    }
};

QTEST_MAIN(BenchSound)
#include "bench_sound.moc"
