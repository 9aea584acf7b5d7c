// The start-up music: the shipped tune is audible and of the right length, bad
// or oversized files play as silence, and the media control takes any command
// sequence without a crash or a word on stderr, without a sound device (as
// under CI) and with one (a PulseAudio server playing into a null sink).

#include "shell/media/mediacontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstdio>
#include <dlfcn.h>
#include <functional>
#include <unistd.h>

namespace {

const QString Tune = QStringLiteral(LEXORIA_SOURCE_DIR "/assets/Internet.mid");

struct Level {
    double rms = 0;
    double peak = 0;
};

Level level(const std::vector<float>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    Level l;
    to = std::min(to, samples.size());
    if (from >= to)
        return l;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += double(samples[i]) * samples[i];
        l.peak = std::max(l.peak, double(std::fabs(samples[i])));
    }
    l.rms = std::sqrt(sum / double(to - from));
    return l;
}

// Runs `work` with stderr sent to a scratch file and returns what was written.
QByteArray stderrOf(const std::function<void()>& work)
{
    std::fflush(stderr);
    std::FILE* capture = std::tmpfile();
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(capture), STDERR_FILENO);
    work();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    QByteArray written;
    std::rewind(capture);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, capture)) > 0;)
        written.append(buffer, qsizetype(n));
    std::fclose(capture);
    return written;
}

} // namespace

class TestMusic : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void synthesizerIsLoadedOnlyForMusic();
    void shippedTuneIsAudible();
    void badFilesPlaySilence_data();
    void badFilesPlaySilence();
    void commandsInAnyOrder_data();
    void commandsInAnyOrder();
    void bareNameIsFoundHereThenBesideTheProgram();
    void withASoundDevice_data();
    void withASoundDevice();
    void cleanupTestCase();

private:
    QString fixture(const QString& name, const QByteArray& bytes);
    bool startSoundServer();

    QTemporaryDir dir_;
    QString garbage_;
    QString oversized_;
    QProcess soundServer_;
    QString soundServerAddress_;
};

QString TestMusic::fixture(const QString& name, const QByteArray& bytes)
{
    QFile f(dir_.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write a test file");
    return f.fileName();
}

void TestMusic::initTestCase()
{
    QVERIFY(dir_.isValid());
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919 + 13) % 251));
    garbage_ = fixture(QStringLiteral("garbage.mid"), garbage);

    // The shipped tune with padding behind its last track: a player that read
    // it would sound, so only the size limit keeps it silent.
    QFile tune(Tune);
    QVERIFY(tune.open(QIODevice::ReadOnly));
    QByteArray oversized = tune.readAll();
    oversized.append(QByteArray(MMControl::MaxFileSize + 1 - oversized.size(), '\0'));
    oversized_ = fixture(QStringLiteral("oversized.mid"), oversized);
}

void TestMusic::cleanupTestCase()
{
    if (soundServer_.state() != QProcess::NotRunning) {
        soundServer_.terminate();
        if (!soundServer_.waitForFinished(5000))
            soundServer_.kill();
    }
}

// A private PulseAudio server whose only sink is a null sink: a sound device
// that takes the samples in real time and plays them nowhere.
bool TestMusic::startSoundServer()
{
    if (!soundServerAddress_.isEmpty())
        return true;
    const QString server = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (server.isEmpty())
        return false;
    const QString home = dir_.filePath(QStringLiteral("pulse-home"));
    QDir().mkpath(home);
    QFile::setPermissions(home, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    soundServer_.setProcessEnvironment(environment);
    soundServer_.setStandardOutputFile(QProcess::nullDevice());
    soundServer_.setStandardErrorFile(QProcess::nullDevice());
    soundServer_.start(server, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                                QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disable-shm=yes"),
                                QStringLiteral("--use-pid-file=no"), QStringLiteral("-L"), QStringLiteral("module-null-sink"),
                                QStringLiteral("-L"), QStringLiteral("module-native-protocol-unix auth-anonymous=1")});
    if (!soundServer_.waitForStarted(5000))
        return false;
    const QString socket = home + QStringLiteral("/pulse/native");
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(socket) && waited.elapsed() < 10000 && soundServer_.state() == QProcess::Running)
        QTest::qWait(20);
    if (!QFileInfo::exists(socket))
        return false;
    soundServerAddress_ = QStringLiteral("unix:") + socket;
    return true;
}

namespace {

bool synthesizerLoaded()
{
    void* handle = ::dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        ::dlclose(handle);
    return handle != nullptr;
}

} // namespace

// Runs first: the program does not depend on FluidSynth to start, and a
// command without music to play does not load it either.
void TestMusic::synthesizerIsLoadedOnlyForMusic()
{
    QVERIFY(!synthesizerLoaded());
    MMControl control;
    control.setProperty("FileName", dir_.filePath(QStringLiteral("absent.mid")));
    for (const char* c : {"open", "play", "pause", "close"})
        control.setProperty("Command", QString::fromLatin1(c));
    QVERIFY(!control.waitUntilReady());
    QVERIFY(!synthesizerLoaded());
}

void TestMusic::shippedTuneIsAudible()
{
    const QString soundFont = MMControl::soundFontPath();
    QVERIFY2(!soundFont.isEmpty(), "no General MIDI soundfont installed (timgm6mb-soundfont)");

    MMControl::Rendering r;
    const QByteArray errors = stderrOf([&] { r = MMControl::renderToMemory(Tune, soundFont, 40); });
    QCOMPARE(errors, QByteArray());

    QVERIFY2(r.tuneSeconds >= 15 && r.tuneSeconds <= 30, qPrintable(QString::number(r.tuneSeconds)));
    const Level whole = level(r.samples, 0, std::size_t(r.tuneSeconds * r.sampleRate) * 2);
    QVERIFY2(whole.rms > 0.02, qPrintable(QString::number(whole.rms)));
    QVERIFY2(whole.peak > 0.2 && whole.peak < 1.0, qPrintable(QString::number(whole.peak)));

    // No dead stretch anywhere: every second of the tune sounds.
    const std::size_t second = std::size_t(r.sampleRate) * 2;
    for (int s = 0; s + 1 < int(r.tuneSeconds); ++s) {
        const Level l = level(r.samples, s * second, (s + 1) * second);
        QVERIFY2(l.rms > 0.005, qPrintable(QStringLiteral("second %1: rms %2").arg(s).arg(l.rms)));
    }
    // And no note left hanging once it is over.
    const Level after = level(r.samples, std::size_t(r.tuneSeconds + 5) * second);
    QVERIFY2(after.peak < 1e-3, qPrintable(QString::number(after.peak)));
}

void TestMusic::badFilesPlaySilence_data()
{
    QTest::addColumn<QString>("path");

    QFile tune(Tune);
    QVERIFY(tune.open(QIODevice::ReadOnly));
    const QByteArray midi = tune.readAll();

    QTest::newRow("missing") << dir_.filePath(QStringLiteral("absent.mid"));
    QTest::newRow("empty") << fixture(QStringLiteral("empty.mid"), {});
    QTest::newRow("garbage") << garbage_;
    QTest::newRow("header only") << fixture(QStringLiteral("header.mid"), midi.left(14));
    QTest::newRow("cut in a track") << fixture(QStringLiteral("cut.mid"), midi.left(midi.size() / 2));
    QTest::newRow("over 1 MB") << oversized_;
}

void TestMusic::badFilesPlaySilence()
{
    QFETCH(QString, path);
    const QString soundFont = MMControl::soundFontPath();
    QVERIFY(!soundFont.isEmpty());

    MMControl::Rendering r;
    const QByteArray errors = stderrOf([&] { r = MMControl::renderToMemory(path, soundFont, 2); });
    QCOMPARE(errors, QByteArray());
    QCOMPARE(r.samples.size(), std::size_t(2 * r.sampleRate) * 2);
    QVERIFY2(level(r.samples).peak < 1e-4, qPrintable(QString::number(level(r.samples).peak)));
}

void TestMusic::commandsInAnyOrder_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("commands");

    const QString missing = QStringLiteral("Missing-%1.mid").arg(QCoreApplication::applicationPid());
    const QStringList splash{"open", "play", "pause", "play", "pause", "play", "close"};
    const QStringList odd{"play", "pause", "close", "close", "open", "open", "pause", "play", "play",
                          "PLAY ", "stop", "", "close", "play"};
    const QStringList leftOpen{"open", "play"};  // the destructor closes

    QTest::newRow("tune, splash") << Tune << splash;
    QTest::newRow("tune, odd order") << Tune << odd;
    QTest::newRow("tune, left open") << Tune << leftOpen;
    QTest::newRow("damaged, splash") << garbage_ << splash;
    QTest::newRow("missing, splash") << missing << splash;
    QTest::newRow("missing, odd order") << missing << odd;
    QTest::newRow("no name, odd order") << QString() << odd;
}

void TestMusic::commandsInAnyOrder()
{
    QFETCH(QString, file);
    QFETCH(QStringList, commands);

    const QByteArray errors = stderrOf([&] {
        MMControl control;
        control.setObjectName(QStringLiteral("MMControl1"));
        control.setProperty("FileName", file);
        for (const QString& c : commands) {
            control.setProperty("Command", c);
            QCOMPARE(control.property("Command").toString(), c);
            const QString cmd = c.trimmed().toLower();
            if (cmd == u"close" || (cmd == u"open" && !QFileInfo::exists(file)))
                QVERIFY(!control.isOpen());
            if (cmd == u"pause" || cmd == u"close")
                QVERIFY(!control.isPlaying());
            QVERIFY(control.isOpen() || !control.isPlaying());
        }
    });
    QCOMPARE(errors, QByteArray());
}

void TestMusic::bareNameIsFoundHereThenBesideTheProgram()
{
    const QString name = QStringLiteral("lookup-%1.mid").arg(QCoreApplication::applicationPid());
    QTemporaryDir here;
    QVERIFY(here.isValid());
    const QString oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(here.path()));
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    const QString inCurrent = QDir(here.path()).filePath(name);
    auto cleanUp = qScopeGuard([&] {
        QFile::remove(besideProgram);
        QDir::setCurrent(oldCurrent);
    });

    QCOMPARE(MMControl::locate(name), QString());
    QVERIFY(QFile::copy(Tune, besideProgram));
    QCOMPARE(MMControl::locate(name), besideProgram);
    QVERIFY(QFile::copy(Tune, inCurrent));
    QCOMPARE(QFileInfo(MMControl::locate(name)).canonicalFilePath(), QFileInfo(inCurrent).canonicalFilePath());
    QCOMPARE(MMControl::locate(inCurrent), inCurrent);
}

void TestMusic::withASoundDevice_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<bool>("opened");   // right after the commands
    QTest::addColumn<bool>("sounding"); // once the music is ready

    QTest::newRow("open, play") << Tune << QStringList{"open", "play"} << true << true;
    QTest::newRow("paused before ready") << Tune << QStringList{"open", "play", "pause"} << true << false;
    QTest::newRow("paused and resumed before ready") << Tune << QStringList{"open", "play", "pause", "play"} << true << true;
    QTest::newRow("opened only") << Tune << QStringList{"open"} << true << false;
    QTest::newRow("over 1 MB") << oversized_ << QStringList{"open", "play"} << false << false;
    QTest::newRow("damaged") << garbage_ << QStringList{"open", "play"} << true << false;
}

void TestMusic::withASoundDevice()
{
    QFETCH(QString, file);
    QFETCH(QStringList, commands);
    QFETCH(bool, opened);
    QFETCH(bool, sounding);
    if (!startSoundServer())
        QSKIP("no PulseAudio server to stand in for a sound device (package pulseaudio)");
    qputenv("PULSE_SERVER", soundServerAddress_.toLocal8Bit());
    auto unset = qScopeGuard([] { qunsetenv("PULSE_SERVER"); });

    const QByteArray errors = stderrOf([&] {
        MMControl control;
        control.setProperty("FileName", file);
        // Every command returns at once: the music is made ready on its own thread.
        for (const QString& c : commands)
            control.setProperty("Command", c);
        QCOMPARE(control.isOpen(), opened);
        const bool ready = control.waitUntilReady();
        QCOMPARE(ready && control.isOpen(), ready);
        if (!opened || file == Tune)
            QCOMPARE(ready, opened); // a damaged file may get ready, and then never sounds
        if (sounding)
            QVERIFY(control.isPlaying());
        else
            QTRY_VERIFY(!control.isPlaying());
        if (sounding) {
            // It goes on sounding through the device, then pauses and resumes.
            QTest::qWait(300);
            QVERIFY(control.isPlaying());
            control.setProperty("Command", QStringLiteral("pause"));
            QVERIFY(!control.isPlaying());
            control.setProperty("Command", QStringLiteral("play"));
            QVERIFY(control.isPlaying());
        }
        control.setProperty("Command", QStringLiteral("close"));
        QVERIFY(!control.isOpen());
    });
    QCOMPARE(errors, QByteArray());
}

QTEST_GUILESS_MAIN(TestMusic)
#include "tst_music.moc"
