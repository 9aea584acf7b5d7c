#include "shell/media/mediacontrol.h"

#include "shell/media/midifile.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

// Only the types and prototypes are taken from the headers: the libraries
// themselves are loaded when music is first opened (see FluidApi).
#include <alsa/error.h>
#include <fluidsynth.h>

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <thread>

namespace {

// The FluidSynth functions the control calls, each looked up by its own name.
#define LEXORIA_FLUID_FUNCTIONS(X) \
    X(fluid_set_log_function) \
    X(new_fluid_settings) \
    X(delete_fluid_settings) \
    X(fluid_settings_setstr) \
    X(fluid_settings_setint) \
    X(fluid_settings_setnum) \
    X(fluid_settings_getnum) \
    X(new_fluid_synth) \
    X(delete_fluid_synth) \
    X(fluid_synth_sfload) \
    X(fluid_synth_process) \
    X(fluid_synth_write_float) \
    X(new_fluid_player) \
    X(delete_fluid_player) \
    X(fluid_player_add_mem) \
    X(fluid_player_play) \
    X(fluid_player_stop) \
    X(fluid_player_get_status) \
    X(fluid_player_set_loop) \
    X(fluid_player_get_total_ticks) \
    X(fluid_player_get_current_tick) \
    X(new_fluid_audio_driver2) \
    X(delete_fluid_audio_driver)

// FluidSynth and the forty-odd libraries it pulls in cost every start of the
// program time and memory, sound or not; they are loaded on first use instead,
// once per process, and stay loaded.
struct FluidApi {
#define LEXORIA_DECLARE(name) decltype(&::name) name = nullptr;
    LEXORIA_FLUID_FUNCTIONS(LEXORIA_DECLARE)
#undef LEXORIA_DECLARE
    bool complete = false;

    // Null when FluidSynth is not installed or lacks a function: the music stays silent.
    static const FluidApi* get()
    {
        static const FluidApi api = load();
        return api.complete ? &api : nullptr;
    }

private:
    static void discardFluidLog(int, const char*, void*) {}
    static void discardAlsaError(const char*, int, const char*, int, const char*, ...) {}

    static FluidApi load()
    {
        FluidApi api;
        void* fluid = ::dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
        if (!fluid)
            return api;
        bool all = true;
#define LEXORIA_RESOLVE(name) \
        api.name = reinterpret_cast<decltype(&::name)>(::dlsym(fluid, #name)); \
        all = all && api.name;
        LEXORIA_FLUID_FUNCTIONS(LEXORIA_RESOLVE)
#undef LEXORIA_RESOLVE
        if (!all)
            return api;
        // FluidSynth and ALSA both report to stderr by default; the music must
        // fail without a word, so their messages go nowhere (the program uses
        // neither for anything else). ALSA came in with FluidSynth.
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            api.fluid_set_log_function(level, discardFluidLog, nullptr);
        if (void* alsa = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD)) {
            if (auto setHandler = reinterpret_cast<decltype(&::snd_lib_error_set_handler)>(
                    ::dlsym(alsa, "snd_lib_error_set_handler")))
                setHandler(discardAlsaError);
        }
        api.complete = true;
        return api;
    }
};

bool isFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool withinSizeLimit(const QString& path)
{
    return QFileInfo(path).size() <= MMControl::MaxFileSize;
}

// The whole music file, or nothing when it cannot be read, exceeds the limit
// (read with a bound, so a file that grew since it was looked at is still
// refused) or is not a well-formed MIDI file: the synthesiser gets only what
// the fuzzed check accepts.
QByteArray readTune(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(MMControl::MaxFileSize + 1);
    return bytes.size() <= MMControl::MaxFileSize && MidiFile::looksLikeMidi(bytes) ? bytes : QByteArray();
}

// Whether a sound device can be there at all: a PulseAudio (or PipeWire)
// server, an ALSA playback device, or an ALSA configuration that may route
// sound elsewhere. Where none is, FluidSynth is not even loaded: a machine
// without sound pays nothing for the music.
bool soundDeviceMayExist()
{
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        return true;
    QStringList places = {QStringLiteral("/run/pulse/native"), QStringLiteral("/var/run/pulse/native"),
                          QStringLiteral("/etc/asound.conf"), QDir::homePath() + QStringLiteral("/.asoundrc")};
    if (const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR"); !runtime.isEmpty())
        places.append(runtime + QStringLiteral("/pulse/native"));
    for (const QString& place : places)
        if (QFileInfo::exists(place))
            return true;
    return !QDir(QStringLiteral("/dev/snd")).entryList({QStringLiteral("pcmC*p")}, QDir::System).isEmpty();
}

// Settings, synth and player, freed in the order they depend on each other.
struct Pieces {
    const FluidApi& f;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;

    explicit Pieces(const FluidApi& api) : f(api) {}
    Pieces(const Pieces&) = delete;
    Pieces& operator=(const Pieces&) = delete;
    ~Pieces()
    {
        if (player)
            f.delete_fluid_player(player);
        if (synth)
            f.delete_fluid_synth(synth);
        if (settings)
            f.delete_fluid_settings(settings);
    }
    bool makeSettings()
    {
        settings = f.new_fluid_settings();
        if (!settings)
            return false;
        // The player keeps time by the samples the synth writes, so it follows
        // the sound device, or runs as fast as a render into memory goes.
        f.fluid_settings_setstr(settings, "player.timing-source", "sample");
        f.fluid_settings_setint(settings, "synth.lock-memory", 0);
        // FluidSynth's default gain (0.2) leaves a General MIDI tune faint.
        f.fluid_settings_setnum(settings, "synth.gain", 0.5);
        // Only the instruments the tune plays are read from the soundfont, and
        // a few dozen voices are plenty for it: megabytes less memory.
        f.fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
        f.fluid_settings_setint(settings, "synth.polyphony", 64);
        return true;
    }
    // The synth with its soundfont, and the player with the tune queued.
    bool makeSynth(const QByteArray& tune, const QString& soundFont)
    {
        if (tune.isEmpty())
            return false;
        synth = f.new_fluid_synth(settings);
        if (!synth || f.fluid_synth_sfload(synth, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
            return false;
        player = f.new_fluid_player(synth);
        return player && f.fluid_player_add_mem(player, tune.constData(), size_t(tune.size())) == FLUID_OK;
    }
};

} // namespace

bool FirstPaintWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        QCoreApplication::instance()->removeEventFilter(this);
        // Told when the event loop next comes back for events, after this
        // paint has been completed and shown.
        if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &FirstPaintWatcher::idle,
                    Qt::SingleShotConnection);
        else
            emit idle();
    }
    return false;
}

// The music of one "open": readied by its own thread, then driven by the
// commands. The mutex orders the commands against the moment it becomes ready.
struct MMControl::Engine {
    enum class State { Loading, Ready, Failed };

    const QString path;
    const QString soundFont;
    const FluidApi* f = nullptr;
    std::unique_ptr<Pieces> pieces;
    fluid_audio_driver_t* driver = nullptr;
    std::atomic<fluid_synth_t*> sounding{nullptr}; // set once the synth is complete

    mutable std::mutex mutex;
    mutable std::condition_variable settled;
    State state = State::Loading;
    bool wantPlaying = false; // the last of "play" and "pause" given while loading
    bool paused = false;
    bool closing = false;
    std::thread loader;

    Engine(QString tunePath, QString font) : path(std::move(tunePath)), soundFont(std::move(font)) {}

    // Starts getting the music ready, once; from the GUI thread.
    void start()
    {
        if (!loader.joinable())
            loader = std::thread([this] { ready(); });
    }

    ~Engine()
    {
        if (loader.joinable())
            loader.join();
        // The driver's thread runs the synth and the player: it goes first.
        if (driver)
            f->delete_fluid_audio_driver(driver);
    }

    // Until the synth is ready the device plays the silence it was handed.
    static int render(void* data, int len, int nfx, float* fx[], int nout, float* out[])
    {
        auto* engine = static_cast<Engine*>(data);
        fluid_synth_t* synth = engine->sounding.load(std::memory_order_acquire);
        return synth ? engine->f->fluid_synth_process(synth, len, nfx, fx, nout, out) : FLUID_OK;
    }

    bool startDriver()
    {
        // Never JACK: without a running server it may try to start one, for seconds.
        for (const char* name : {"pulseaudio", "alsa"}) {
            f->fluid_settings_setstr(pieces->settings, "audio.driver", name);
            driver = f->new_fluid_audio_driver2(pieces->settings, render, this);
            if (driver)
                return true;
        }
        return false;
    }

    // On the loader thread. The sound device is opened before any synth
    // exists, so that a machine without one pays for a failed open only, not
    // for a synth and a soundfont.
    void ready()
    {
        f = FluidApi::get();
        bool ok = f != nullptr;
        if (ok) {
            pieces = std::make_unique<Pieces>(*f);
            ok = pieces->makeSettings() && startDriver() && pieces->makeSynth(readTune(path), soundFont);
        }
        std::lock_guard lock(mutex);
        if (ok && !closing) {
            sounding.store(pieces->synth, std::memory_order_release);
            state = State::Ready;
            if (wantPlaying)
                play();
        } else {
            state = State::Failed;
        }
        settled.notify_all();
    }

    // The commands, with the mutex held.
    void play()
    {
        if (state == State::Loading) {
            wantPlaying = true;
            return;
        }
        if (state != State::Ready)
            return;
        fluid_player_t* player = pieces->player;
        if (f->fluid_player_get_status(player) == FLUID_PLAYER_PLAYING)
            return;
        // A paused player resumes where it stopped; a finished one has used up its
        // single pass through the file and needs one more to start again.
        if (!paused && f->fluid_player_get_status(player) == FLUID_PLAYER_DONE)
            f->fluid_player_set_loop(player, 1);
        paused = false;
        f->fluid_player_play(player);
    }

    void pause()
    {
        if (state == State::Loading) {
            wantPlaying = false;
            return;
        }
        if (state != State::Ready || paused)
            return;
        fluid_player_t* player = pieces->player;
        if (f->fluid_player_get_status(player) != FLUID_PLAYER_PLAYING)
            return;
        // Stopping keeps the position; afterwards the status reads as if the tune
        // had ended, hence our own flag.
        f->fluid_player_stop(player);
        paused = true;
    }

    // Silent at once and for good; freeing everything may take longer.
    void silence()
    {
        closing = true;
        wantPlaying = false;
        sounding.store(nullptr, std::memory_order_release);
        if (state == State::Ready && f->fluid_player_get_status(pieces->player) == FLUID_PLAYER_PLAYING)
            f->fluid_player_stop(pieces->player);
        state = State::Failed;
    }

    bool playing() const
    {
        return state == State::Ready && !paused && f->fluid_player_get_status(pieces->player) == FLUID_PLAYER_PLAYING;
    }
};

MMControl::MMControl(QObject* parent)
    : QObject(parent)
{
}

MMControl::~MMControl()
{
    close();
    for (std::future<void>& closing : closing_)
        closing.wait();
}

QString MMControl::fileName() const
{
    return fileName_;
}

void MMControl::setFileName(const QString& name)
{
    fileName_ = name;
}

QString MMControl::command() const
{
    return command_;
}

void MMControl::setCommand(const QString& command)
{
    command_ = command;
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
    if (!engine_)
        return false;
    std::lock_guard lock(engine_->mutex);
    return engine_->state != Engine::State::Failed;
}

bool MMControl::isPlaying() const
{
    if (!engine_)
        return false;
    std::lock_guard lock(engine_->mutex);
    return engine_->playing();
}

bool MMControl::waitUntilReady() const
{
    if (!engine_)
        return false;
    engine_->start();
    std::unique_lock lock(engine_->mutex);
    engine_->settled.wait(lock, [this] { return engine_->state != Engine::State::Loading; });
    return engine_->state == Engine::State::Ready;
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
    // FluidSynth queues a missing file without complaint, so look first; the
    // rest (library, device, soundfont, reading the file) is the loader's.
    const QString path = locate(fileName_);
    const QString soundFont = soundFontPath();
    if (path.isEmpty() || soundFont.isEmpty() || !withinSizeLimit(path) || !soundDeviceMayExist())
        return;
    engine_ = std::make_unique<Engine>(path, soundFont);
    startAfterFirstPaint();
}

void MMControl::startAfterFirstPaint()
{
    // Loading competes with the window being drawn for the processor and for
    // the dynamic loader, so it waits until a window has been painted, or a
    // moment at most (a program that never shows a window).
    auto* watcher = new FirstPaintWatcher(this);
    QCoreApplication* app = QCoreApplication::instance();
    if (app)
        app->installEventFilter(watcher);
    connect(watcher, &FirstPaintWatcher::idle, this, [this, watcher] {
        watcher->deleteLater();
        if (engine_)
            engine_->start();
    }, Qt::QueuedConnection);
    QTimer::singleShot(StartAfterAtMost, watcher, &FirstPaintWatcher::idle);
}

void MMControl::play()
{
    if (!engine_)
        return;
    std::lock_guard lock(engine_->mutex);
    engine_->play();
}

void MMControl::pause()
{
    if (!engine_)
        return;
    std::lock_guard lock(engine_->mutex);
    engine_->pause();
}

void MMControl::close()
{
    if (!engine_)
        return;
    {
        std::lock_guard lock(engine_->mutex);
        engine_->silence();
    }
    // Closing the sound device can take a second or two (a PulseAudio stream
    // is let play out) and a loader may still be at work: neither holds up
    // the window that gave the command. The control waits for them only when
    // it is destroyed itself.
    std::erase_if(closing_, [](const std::future<void>& closing) {
        return closing.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    closing_.push_back(std::async(std::launch::async,
                                  [engine = std::shared_ptr<Engine>(std::move(engine_))]() mutable { engine.reset(); }));
}

MMControl::Rendering MMControl::renderToMemory(const QString& midiPath, const QString& soundFont, double seconds)
{
    Rendering r;
    const int frames = std::max(0, int(seconds * r.sampleRate));
    r.samples.assign(std::size_t(frames) * 2, 0.0f);
    if (!isFile(midiPath) || !isFile(soundFont))
        return r;
    const FluidApi* f = FluidApi::get();
    if (!f)
        return r;

    Pieces pieces(*f);
    if (!pieces.makeSettings() || !pieces.makeSynth(readTune(midiPath), soundFont))
        return r;
    double rate = 0;
    if (f->fluid_settings_getnum(pieces.settings, "synth.sample-rate", &rate) != FLUID_OK || int(rate) != r.sampleRate)
        return r;

    f->fluid_player_play(pieces.player);
    constexpr int Block = 512;
    for (int done = 0; done < frames; done += Block) {
        const int n = std::min(Block, frames - done);
        float* out = r.samples.data() + std::size_t(done) * 2;
        f->fluid_synth_write_float(pieces.synth, n, out, 0, 2, out, 1, 2);
        // The player reports its end only once the last notes have died away,
        // so the tune's own end is taken from its ticks.
        const int total = f->fluid_player_get_total_ticks(pieces.player);
        if (r.tuneSeconds == 0 && total > 0 && f->fluid_player_get_current_tick(pieces.player) >= total)
            r.tuneSeconds = double(done + n) / r.sampleRate;
    }
    return r;
}
