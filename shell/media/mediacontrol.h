#pragma once
// The media control of the splash window: plays one MIDI file in the
// background through FluidSynth and a General MIDI soundfont.
//
// It is driven like the control it stands for: set FileName, then set Command
// to "open", "play", "pause" or "close". Results are ignored. Without the file,
// a soundfont or a sound device the control stays silent and says nothing.
//
// No command waits for the sound: FluidSynth is loaded (dlopen) only when a
// file is opened, and the synthesizer, the soundfont and the sound device are
// made ready on a thread of their own, started once the first window has been
// painted (where no sound device can be, nothing is loaded at all). Commands
// given meanwhile are kept and take effect once the music is ready, so "open"
// then "play" is heard as soon as it can be, while the window that gave them
// goes on drawing.

#include "shell/media/midifile.h"

#include <QObject>
#include <QString>

#include <future>
#include <memory>
#include <vector>

// Tells once that some top-level window has been painted and shown, when the
// event loop next comes back for events.
class FirstPaintWatcher : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
signals:
    void idle();
};

class MMControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
    Q_PROPERTY(QString Command READ command WRITE setCommand)

public:
    explicit MMControl(QObject* parent = nullptr);
    ~MMControl() override;

    QString fileName() const;
    void setFileName(const QString& name);

    // The last command given. Setting it executes it: "open" loads the file
    // (closing what was open), "play" starts, resumes after "pause" or starts
    // again after the end, "pause" keeps the position, "close" stops and frees
    // everything. Case and surrounding blanks do not matter; anything else, or
    // a command that does not fit the state, is ignored.
    QString command() const;
    void setCommand(const QString& command);

    // True from an "open" that found the file, a soundfont and signs of a
    // sound device until "close", or until getting the music ready failed (the
    // device cannot be opened, a damaged file).
    bool isOpen() const;
    // True while the music is sounding (ready, not paused, not at its end).
    bool isPlaying() const;
    // Waits until the music opened last is ready or has failed; true if it is
    // ready. For tests and tools: the program itself never waits.
    bool waitUntilReady() const;

    // Music files larger than this are refused as if they were missing: a
    // start-up tune takes a few kilobytes, and the synthesizer would hold a
    // huge one in memory many times over.
    static constexpr qint64 MaxFileSize = MidiFile::MaxBytes;

    // Where "open" finds a bare file name: the current directory first, then
    // the program's folder. Paths with a folder are taken as they are.
    // Empty when the file is in neither place.
    static QString locate(const QString& name);

    // The first General MIDI soundfont installed, or empty.
    static QString soundFontPath();

    // Plays a MIDI file into memory, with no sound device, for tests and tools.
    struct Rendering {
        std::vector<float> samples;  // interleaved stereo, `seconds` long; all zero when nothing played
        int sampleRate = 44100;
        double tuneSeconds = 0;      // when the file's last event was played; 0 if not within `seconds`
    };
    static Rendering renderToMemory(const QString& midiPath, const QString& soundFont, double seconds);

private:
    void open();
    void play();
    void pause();
    void close();
    void startAfterFirstPaint();

    // Loading starts after this long anyway (ms).
    static constexpr int StartAfterAtMost = 500;

    struct Engine;
    QString fileName_;
    QString command_;
    std::unique_ptr<Engine> engine_;  // null while closed; owns the thread that readies it
    std::vector<std::future<void>> closing_; // engines being freed after "close"
};
