// The samples the sound device streams: every shipped effect parses to its own format, broken
// files give nothing, and the silence after a sound is silent in either sample format.
#include "TestSupport.h"
#include "core/Resources.h"
#include "backends/WavData.h"
#include <QtEndian>

using namespace zorbel;

class TestWavData : public QObject {
    Q_OBJECT
private slots:
    void everyEffectParsesToItsFormatAndLength()
    {
        for (int id = 101; id <= 107; ++id) {
            const QByteArray file = res::LoadResData(int16_t(id), QStringLiteral("WAV"));
            const wav::Pcm pcm = wav::parse(file);
            QVERIFY2(pcm.format.isValid(), qPrintable(QString::number(id)));
            const quint32 dataSize = qFromLittleEndian<quint32>(file.constData() + file.indexOf("data") + 4);
            QCOMPARE(qsizetype(pcm.samples.size()), qsizetype(dataSize - dataSize % pcm.format.bytesPerFrame()));
            QVERIFY(file.endsWith(pcm.samples) || file.contains(pcm.samples));
        }
        const wav::Pcm tock = wav::parse(res::LoadResData(101, QStringLiteral("WAV")));
        QCOMPARE(tock.format.sampleRate(), 11025);
        QCOMPARE(tock.format.sampleFormat(), QAudioFormat::UInt8);
        QCOMPARE(tock.format.channelCount(), 1);
    }

    void brokenFilesGiveNothing()
    {
        const QByteArray good = res::LoadResData(107, QStringLiteral("WAV"));
        QVERIFY(!wav::parse(QByteArray()).format.isValid());
        QVERIFY(!wav::parse("RIFF\0\0\0\0WAVEdata").format.isValid());
        QVERIFY(!wav::parse(good.left(good.indexOf("data") + 4)).format.isValid()); // cut in the header
        QByteArray adpcm = good;
        adpcm[good.indexOf("fmt ") + 8] = 2; // compressed: not ours to decode
        QVERIFY(!wav::parse(adpcm).format.isValid());
        QByteArray huge = good;
        qToLittleEndian<quint32>(0x7FFFFFF0, huge.data() + good.indexOf("data") + 4);
        QVERIFY(!wav::parse(huge).format.isValid());
        QVERIFY(wav::withSilence(wav::parse(huge), 100).isEmpty());
    }

    void theSilenceAfterASoundIsSilent()
    {
        const wav::Pcm eight = wav::parse(res::LoadResData(105, QStringLiteral("WAV")));
        const QByteArray a = wav::withSilence(eight, 250);
        QCOMPARE(a.size(), eight.samples.size() + 22050 / 4);
        QVERIFY(a.startsWith(eight.samples));
        QCOMPARE(a.mid(eight.samples.size()), QByteArray(22050 / 4, char(0x80)));

        const wav::Pcm sixteen = wav::parse(res::LoadResData(102, QStringLiteral("WAV")));
        QCOMPARE(sixteen.format.sampleFormat(), QAudioFormat::Int16);
        const QByteArray b = wav::withSilence(sixteen, 100);
        QCOMPARE(b.size(), sixteen.samples.size() + 2205 * 4);
        QCOMPARE(b.mid(sixteen.samples.size()), QByteArray(2205 * 4, char(0)));
    }
};

ZORBEL_TEST_MAIN(TestWavData)
#include "test_wavdata.moc"
