// The check a start-up tune passes before it reaches the synthesiser.

#include "shell/media/midifile.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}

QByteArray chunk(const QByteArray& tag, const QByteArray& data) { return tag + bigEndian(quint32(data.size()), 4) + data; }

QByteArray header(int format, int tracks, int division = 96)
{
    return chunk("MThd", bigEndian(format, 2) + bigEndian(tracks, 2) + bigEndian(division, 2));
}

// Note on, note off by running status, a program change, a system exclusive, end of track.
const QByteArray Events("\x00\x90\x3c\x64\x60\x3c\x00\x00\xc0\x05\x00\xf0\x02\x43\xf7\x00\xff\x2f\x00", 19);

} // namespace

class TestMidiFile : public QObject {
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("accepted");

        QFile shipped(QStringLiteral(LEXORIA_SOURCE_DIR "/assets/Internet.mid"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray sound = header(0, 1) + chunk("MTrk", Events);
        QTest::newRow("the shipped tune") << shipped.readAll() << true;
        QTest::newRow("format 0") << sound << true;
        QTest::newRow("format 1, an unknown chunk skipped")
            << header(1, 2) + chunk("XFIH", "abc") + chunk("MTrk", Events) + chunk("MTrk", Events) << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not MIDI") << QByteArray("RIFF\0\0\0\0WAVEfmt ", 16) << false;
        QTest::newRow("cut short") << sound.left(sound.size() - 3) << false;
        QTest::newRow("track longer than the file") << header(0, 1) + QByteArray("MTrk\x7f\xff\xff\xff", 8) + Events
                                                    << false;
        QTest::newRow("no track") << header(0, 1) << false;
        QTest::newRow("more tracks than the header says") << sound + chunk("MTrk", Events) << false;
        QTest::newRow("format 3") << header(3, 1) + chunk("MTrk", Events) << false;
        QTest::newRow("running status first") << header(0, 1) + chunk("MTrk", QByteArray("\x00\x3c\x64", 3)) << false;
        QTest::newRow("delta time of five bytes")
            << header(0, 1) + chunk("MTrk", QByteArray("\x81\x81\x81\x81\x01\x90\x3c\x64", 8)) << false;
        QTest::newRow("meta event past the track") << header(0, 1) + chunk("MTrk", QByteArray("\x00\xff\x01\x40zz", 6))
                                                   << false;
        QByteArray huge = sound;
        huge += chunk("JUNK", QByteArray(MidiFile::MaxBytes, 'x'));
        QTest::newRow("over 1 MB") << huge << false;
    }
    void check()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, accepted);
        QCOMPARE(MidiFile::looksLikeMidi(file), accepted);
    }
};

QTEST_GUILESS_MAIN(TestMidiFile)
#include "tst_midifile.moc"
