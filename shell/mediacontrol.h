#pragma once
// The media control of the splash window: plays one MIDI file in the
// background through FluidSynth and a General MIDI soundfont.
//
// It is driven like the control it stands for: set FileName, then set Command
// to "open", "play", "pause" or "close". Results are ignored. Without the file,
// a soundfont or a sound device the control stays silent and says nothing.

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

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

    // True between a successful "open" and "close": the file, a soundfont and
    // a sound device were all found.
    bool isOpen() const;
    // True while the music is sounding (not paused, not at its end).
    bool isPlaying() const;

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

    struct Engine;
    QString m_fileName;
    QString m_command;
    std::unique_ptr<Engine> m_engine;  // null while closed
};
