#include "mediacontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <mutex>

namespace {

void discardFluidLog(int, const char*, void*) {}
void discardAlsaError(const char*, int, const char*, int, const char*, ...) {}

// FluidSynth and ALSA both report to stderr by default; the music must fail
// without a word, so their messages go nowhere (the program uses neither for
// anything else).
void silenceSoundLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, discardFluidLog, nullptr);
        snd_lib_error_set_handler(discardAlsaError);
    });
}

bool isFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Settings, synth and player, freed in the order they depend on each other.
struct Pieces {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;

    ~Pieces()
    {
        if (player)
            delete_fluid_player(player);
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
    bool makeSettings()
    {
        settings = new_fluid_settings();
        if (!settings)
            return false;
        // The player keeps time by the samples the synth writes, so it follows
        // the sound device, or runs as fast as a render into memory goes.
        fluid_settings_setstr(settings, "player.timing-source", "sample");
        fluid_settings_setint(settings, "synth.lock-memory", 0);
        // FluidSynth's default gain (0.2) leaves a General MIDI tune faint.
        fluid_settings_setnum(settings, "synth.gain", 0.5);
        return true;
    }
    // The synth with its soundfont, and the player with the file queued.
    bool makeSynth(const QString& midiPath, const QString& soundFont)
    {
        synth = new_fluid_synth(settings);
        if (!synth || fluid_synth_sfload(synth, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
            return false;
        player = new_fluid_player(synth);
        return player && fluid_player_add(player, QFile::encodeName(midiPath).constData()) == FLUID_OK;
    }
};

} // namespace

struct MMControl::Engine {
    Pieces pieces;
    fluid_audio_driver_t* driver = nullptr;
    std::atomic<fluid_synth_t*> sounding{nullptr};  // set once the synth is complete
    bool paused = false;

    ~Engine()
    {
        // The driver's thread runs the synth and the player: it goes first.
        if (driver)
            delete_fluid_audio_driver(driver);
    }

    // The sound device is opened before any synth exists, so that a machine
    // without one pays for a failed open only, not for a synth and a soundfont.
    // Until the synth is ready the device plays the silence it was handed.
    static int render(void* data, int len, int nfx, float* fx[], int nout, float* out[])
    {
        fluid_synth_t* synth = static_cast<Engine*>(data)->sounding.load(std::memory_order_acquire);
        return synth ? fluid_synth_process(synth, len, nfx, fx, nout, out) : FLUID_OK;
    }
    bool startDriver()
    {
        // Never JACK: without a running server it may try to start one, for seconds.
        for (const char* name : {"pulseaudio", "alsa"}) {
            fluid_settings_setstr(pieces.settings, "audio.driver", name);
            driver = new_fluid_audio_driver2(pieces.settings, render, this);
            if (driver)
                return true;
        }
        return false;
    }
};

MMControl::MMControl(QObject* parent)
    : QObject(parent)
{
}

MMControl::~MMControl()
{
    close();
}

QString MMControl::fileName() const
{
    return m_fileName;
}

void MMControl::setFileName(const QString& name)
{
    m_fileName = name;
}

QString MMControl::command() const
{
    return m_command;
}

void MMControl::setCommand(const QString& command)
{
    m_command = command;
    const QString c = command.trimmed().toLower();
    if (c == u"open")
        open();
    else if (c == u"play")
        play();
    else if (c == u"pause")
        pause();
    else if (c == u"close")
        close();
}

bool MMControl::isOpen() const
{
    return m_engine != nullptr;
}

bool MMControl::isPlaying() const
{
    return m_engine && !m_engine->paused
        && fluid_player_get_status(m_engine->pieces.player) == FLUID_PLAYER_PLAYING;
}

QString MMControl::locate(const QString& name)
{
    if (name.isEmpty())
        return {};
    if (QFileInfo(name).isAbsolute() || name.contains(u'/'))
        return isFile(name) ? name : QString();
    const QString here = QDir::current().absoluteFilePath(name);
    if (isFile(here))
        return here;
    if (QCoreApplication::instance()) {
        const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name);
        if (isFile(besideProgram))
            return besideProgram;
    }
    return {};
}

QString MMControl::soundFontPath()
{
    // TimGM6mb first: it loads in a blink, while the default-GM links may be
    // repointed by other packages to soundfonts that take seconds.
    for (const char* path : {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                             "/usr/share/sounds/sf2/default-GM.sf2",
                             "/usr/share/sounds/sf3/default-GM.sf3"}) {
        if (isFile(QString::fromLatin1(path)))
            return QString::fromLatin1(path);
    }
    return {};
}

void MMControl::open()
{
    close();
    // FluidSynth queues a missing file without complaint, so look first.
    const QString path = locate(m_fileName);
    const QString soundFont = soundFontPath();
    if (path.isEmpty() || soundFont.isEmpty())
        return;
    silenceSoundLibraries();

    auto engine = std::make_unique<Engine>();
    if (!engine->pieces.makeSettings() || !engine->startDriver() || !engine->pieces.makeSynth(path, soundFont))
        return;
    engine->sounding.store(engine->pieces.synth, std::memory_order_release);
    m_engine = std::move(engine);
}

void MMControl::play()
{
    if (!m_engine)
        return;
    fluid_player_t* player = m_engine->pieces.player;
    if (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING)
        return;
    // A paused player resumes where it stopped; a finished one has used up its
    // single pass through the file and needs one more to start again.
    if (!m_engine->paused && fluid_player_get_status(player) == FLUID_PLAYER_DONE)
        fluid_player_set_loop(player, 1);
    m_engine->paused = false;
    fluid_player_play(player);
}

void MMControl::pause()
{
    if (!m_engine || m_engine->paused)
        return;
    fluid_player_t* player = m_engine->pieces.player;
    if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING)
        return;
    // Stopping keeps the position; afterwards the status reads as if the tune
    // had ended, hence our own flag.
    fluid_player_stop(player);
    m_engine->paused = true;
}

void MMControl::close()
{
    m_engine.reset();
}

MMControl::Rendering MMControl::renderToMemory(const QString& midiPath, const QString& soundFont, double seconds)
{
    Rendering r;
    const int frames = std::max(0, int(seconds * r.sampleRate));
    r.samples.assign(std::size_t(frames) * 2, 0.0f);
    if (!isFile(midiPath) || !isFile(soundFont))
        return r;
    silenceSoundLibraries();

    Pieces pieces;
    if (!pieces.makeSettings() || !pieces.makeSynth(midiPath, soundFont))
        return r;
    double rate = 0;
    if (fluid_settings_getnum(pieces.settings, "synth.sample-rate", &rate) != FLUID_OK || int(rate) != r.sampleRate)
        return r;

    fluid_player_play(pieces.player);
    constexpr int Block = 512;
    for (int done = 0; done < frames; done += Block) {
        const int n = std::min(Block, frames - done);
        float* out = r.samples.data() + std::size_t(done) * 2;
        fluid_synth_write_float(pieces.synth, n, out, 0, 2, out, 1, 2);
        // The player reports its end only once the last notes have died away,
        // so the tune's own end is taken from its ticks.
        const int total = fluid_player_get_total_ticks(pieces.player);
        if (r.tuneSeconds == 0 && total > 0 && fluid_player_get_current_tick(pieces.player) >= total)
            r.tuneSeconds = double(done + n) / r.sampleRate;
    }
    return r;
}
