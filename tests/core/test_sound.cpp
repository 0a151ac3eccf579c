// The sound effects: every "WAV" resource is a well-formed file the sound system can take, and
// PlayWAV hands it to the device, reports a missing one, and never waits for the device.
#include "TestSupport.h"
#include "core/Allgemein.h"
#include "core/Resources.h"
#include <QtEndian>

using namespace zorbel;

namespace {
struct Format {
    int id;
    quint16 channels;
    quint32 rate;
    quint16 bits; // 0: either 8 or 16
};
constexpr Format kFormats[] = {
    {101, 1, 11025, 8}, {102, 2, 22050, 0}, {103, 1, 11025, 8}, {104, 1, 11025, 8},
    {105, 1, 22050, 8}, {106, 1, 11025, 8}, {107, 1, 22050, 8},
};

quint16 u16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 u32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }

// Keeps what reached the device, bytes included.
class RecordingSound : public platform::SoundDevice {
public:
    struct Played {
        int id;
        QByteArray wav;
        const char* buffer;
    };
    std::vector<Played> played;
    void play(int id, const QByteArray& wav) override { played.push_back({id, wav, wav.constData()}); }
};
} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetFakes(); }
    void cleanup() { platform::setSound(&test::sound()); }

    void everySoundIsACompletePcmWave_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        for (const Format& f : kFormats)
            QTest::addRow("%d", f.id) << f.id << int(f.channels) << int(f.rate) << int(f.bits);
    }

    void everySoundIsACompletePcmWave()
    {
        QFETCH(int, id);
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(int, bits);
        const QByteArray wav = res::LoadResData(id, QStringLiteral("WAV"));
        QVERIFY(wav.size() > 44);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(qsizetype(u32(wav, 4)), wav.size() - 8);
        QCOMPARE(wav.mid(8, 4), QByteArray("WAVE"));

        // Walk the chunks: each one must fit, and the last must end exactly at the end of the file.
        qsizetype at = 12;
        qsizetype fmtAt = -1, dataAt = -1;
        quint32 dataSize = 0;
        while (at + 8 <= wav.size()) {
            const QByteArray name = wav.mid(at, 4);
            const quint32 size = u32(wav, at + 4);
            QVERIFY2(at + 8 + qsizetype(size) <= wav.size(), name.constData());
            if (name == "fmt ")
                fmtAt = at + 8;
            else if (name == "data") {
                dataAt = at + 8;
                dataSize = size;
            }
            at += 8 + size + (size & 1);
        }
        QCOMPARE(at, wav.size());
        QVERIFY(fmtAt > 0 && dataAt > fmtAt);
        QVERIFY(u32(wav, fmtAt - 4) >= 16);

        QCOMPARE(u16(wav, fmtAt), quint16(1)); // PCM
        QCOMPARE(int(u16(wav, fmtAt + 2)), channels);
        QCOMPARE(int(u32(wav, fmtAt + 4)), rate);
        const quint16 sampleBits = u16(wav, fmtAt + 14);
        if (bits)
            QCOMPARE(int(sampleBits), bits);
        else
            QVERIFY(sampleBits == 8 || sampleBits == 16);
        const quint16 blockAlign = u16(wav, fmtAt + 12);
        QCOMPARE(int(blockAlign), channels * sampleBits / 8);
        QCOMPARE(u32(wav, fmtAt + 8), quint32(rate) * blockAlign);
        QVERIFY(dataSize > 0);
        QCOMPARE(dataSize % blockAlign, quint32(0));
    }

    void playHandsTheSoundToTheDeviceAndKeepsIt()
    {
        RecordingSound device;
        platform::setSound(&device);
        Allgemein::PlayWAV(103);
        Allgemein::PlayWAV(105);
        QCOMPARE(device.played.size(), size_t(2));
        // The second one comes straight after the first: it is what the device is told to play now.
        QCOMPARE(device.played[0].id, 103);
        QCOMPARE(device.played[1].id, 105);
        QCOMPARE(device.played[0].wav, res::LoadResData(103, QStringLiteral("WAV")));
        QCOMPARE(device.played[1].wav, res::LoadResData(105, QStringLiteral("WAV")));
        QCOMPARE(Allgemein::SoundData(), device.played[1].wav);
        // The device was given the kept bytes themselves, which stay put while the sound plays.
        QCOMPARE(device.played[1].buffer, Allgemein::SoundData().constData());
        QVERIFY(test::reporter().reports.empty());
    }

    void aMissingSoundIsReportedAndNothingPlays()
    {
        RecordingSound device;
        platform::setSound(&device);
        Allgemein::PlayWAV(101);
        const QByteArray before = Allgemein::SoundData();
        // 1000 is the text table: a resource, but not a sound.
        for (int16_t id : {int16_t(108), int16_t(1000)}) {
            Allgemein::PlayWAV(id);
            QCOMPARE(test::reporter().reports.size(), size_t(1));
            const auto& r = test::reporter().reports.back();
            QCOMPARE(r.procedure, QStringLiteral("PlayWAV"));
            QCOMPARE(r.module, QStringLiteral("Allgemein"));
            QCOMPARE(r.number, 326);
            QCOMPARE(r.line, 20);
            test::resetFakes();
        }
        QCOMPARE(device.played.size(), size_t(1));
        QCOMPARE(Allgemein::SoundData(), before);
    }

    void theRealDeviceNeitherReportsNorBlocks()
    {
        // Also on a machine without a sound server or card: PlayWAV returns and all is quiet.
        platform::setSound(nullptr);
        for (int round = 0; round < 2; ++round)
            for (const Format& f : kFormats)
                Allgemein::PlayWAV(int16_t(f.id));
        QTest::qWait(50);
        QVERIFY(test::reporter().reports.empty());
        QCOMPARE(Allgemein::SoundData(), res::LoadResData(107, QStringLiteral("WAV")));
    }
};

ZORBEL_TEST_MAIN(TestSound)
#include "test_sound.moc"
