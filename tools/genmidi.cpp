// Writes the start-up music, a Standard MIDI File (format 1).
// Usage: genmidi OUTPUT.mid      (the shipped copy is assets/Internet.mid)
//
// The tune is our own: sixteen bars in G major at 160 beats per minute, about
// 24 seconds. A marimba carries the melody over a skipping piano accompaniment,
// an acoustic bass walks root and fifth, and a light kit keeps time.
// The output depends on nothing but this file, so it is the same on every run.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int Ppq = 480;          // ticks per quarter note
constexpr int Eighth = Ppq / 2;
constexpr int Bar = 4 * Ppq;      // 4/4 throughout
constexpr int Bpm = 160;
constexpr int BarCount = 16;

// General MIDI channels and programs.
constexpr int LeadChannel = 0, ChordChannel = 1, BassChannel = 2, DrumChannel = 9;
constexpr int Marimba = 12, AcousticGrandPiano = 0, AcousticBass = 32;
constexpr int Kick = 36, Snare = 38, ClosedHiHat = 42, Crash = 49;

struct Event {
    int tick;
    int order;                    // at equal ticks: note-offs before controls before note-ons
    std::vector<std::uint8_t> bytes;
};

class Track {
public:
    void meta(int tick, std::uint8_t type, std::vector<std::uint8_t> data)
    {
        std::vector<std::uint8_t> b{0xFF, type};
        appendVarLen(b, std::uint32_t(data.size()));
        b.insert(b.end(), data.begin(), data.end());
        events_.push_back({tick, 1, std::move(b)});
    }
    void name(std::string_view text) { meta(0, 0x03, {text.begin(), text.end()}); }
    void control(int channel, int number, int value)
    {
        events_.push_back({0, 1, {std::uint8_t(0xB0 | channel), std::uint8_t(number), std::uint8_t(value)}});
    }
    void program(int channel, int program)
    {
        events_.push_back({0, 1, {std::uint8_t(0xC0 | channel), std::uint8_t(program)}});
    }
    void note(int channel, int tick, int length, int key, int velocity)
    {
        events_.push_back({tick, 2, {std::uint8_t(0x90 | channel), std::uint8_t(key), std::uint8_t(velocity)}});
        events_.push_back({tick + length, 0, {std::uint8_t(0x80 | channel), std::uint8_t(key), 0x40}});
    }

    // The track chunk: events in time order, delta times, end-of-track last.
    std::vector<std::uint8_t> chunk() const
    {
        std::vector<Event> events = events_;
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        int end = events.empty() ? 0 : events.back().tick;
        std::vector<std::uint8_t> body;
        int now = 0;
        for (const Event& e : events) {
            appendVarLen(body, std::uint32_t(e.tick - now));
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
            now = e.tick;
        }
        appendVarLen(body, std::uint32_t(end - now));
        body.insert(body.end(), {0xFF, 0x2F, 0x00});

        std::vector<std::uint8_t> out{'M', 'T', 'r', 'k'};
        appendBigEndian(out, std::uint32_t(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
        return out;
    }

    static void appendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value)
    {
        std::uint8_t groups[5];
        int n = 0;
        do {
            groups[n++] = std::uint8_t(value & 0x7F);
            value >>= 7;
        } while (value != 0);
        while (n > 1)
            out.push_back(std::uint8_t(groups[--n] | 0x80));
        out.push_back(groups[0]);
    }
    static void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
    {
        for (int i = bytes - 1; i >= 0; --i)
            out.push_back(std::uint8_t(value >> (8 * i)));
    }

private:
    std::vector<Event> events_;
};

// Note names as MIDI keys (middle C = C4 = 60).
enum Key : int {
    R = 0,                                                      // rest
    G4 = 67, A4 = 69, B4 = 71,
    C5 = 72, D5 = 74, E5 = 76, Fs5 = 78, G5 = 79, A5 = 81, B5 = 83, C6 = 84,
};

struct Step {
    int key;
    int eighths;
};

// The melody, one line per bar; every bar adds up to eight eighths.
const std::vector<std::vector<Step>> Melody = {
    {{D5, 2}, {B4, 1}, {D5, 1}, {G5, 2}, {Fs5, 1}, {E5, 1}},                      //  1 G
    {{E5, 3}, {C5, 1}, {E5, 1}, {G5, 1}, {E5, 2}},                                //  2 C
    {{Fs5, 1}, {E5, 1}, {D5, 1}, {C5, 1}, {A4, 2}, {D5, 2}},                      //  3 D
    {{B4, 2}, {G4, 1}, {A4, 1}, {B4, 4}},                                         //  4 G
    {{D5, 2}, {B4, 1}, {D5, 1}, {G5, 2}, {A5, 1}, {G5, 1}},                       //  5 G
    {{E5, 3}, {G5, 1}, {B5, 2}, {G5, 2}},                                         //  6 Em
    {{E5, 1}, {G5, 1}, {E5, 1}, {C5, 1}, {Fs5, 1}, {A5, 1}, {Fs5, 1}, {D5, 1}},   //  7 C D
    {{G5, 6}, {R, 2}},                                                            //  8 G
    {{E5, 1}, {E5, 1}, {G5, 2}, {E5, 1}, {D5, 1}, {C5, 2}},                       //  9 C
    {{D5, 1}, {B4, 1}, {G4, 2}, {B4, 1}, {D5, 1}, {G5, 2}},                       // 10 G
    {{C5, 1}, {E5, 1}, {A5, 2}, {G5, 1}, {E5, 1}, {C5, 2}},                       // 11 Am
    {{D5, 1}, {E5, 1}, {Fs5, 1}, {G5, 1}, {A5, 2}, {Fs5, 2}},                     // 12 D
    {{G5, 2}, {D5, 1}, {B4, 1}, {G5, 2}, {B5, 2}},                                // 13 G
    {{A5, 3}, {G5, 1}, {E5, 2}, {C5, 2}},                                         // 14 C
    {{D5, 1}, {Fs5, 1}, {A5, 1}, {C6, 1}, {B5, 1}, {A5, 1}, {Fs5, 2}},            // 15 D7
    {{G5, 8}},                                                                    // 16 G
};

struct Chord {
    int bass;                     // root of the bass line
    int fifth;                    // the bass line's second note
    std::vector<int> voicing;     // piano notes around middle C
};

const Chord ChordG{43, 50, {59, 62, 67}};
const Chord ChordC{48, 55, {60, 64, 67}};
const Chord ChordD{38, 45, {57, 62, 66}};
const Chord ChordEm{40, 47, {59, 64, 67}};
const Chord ChordAm{45, 52, {57, 60, 64}};
const Chord ChordD7{38, 45, {57, 60, 66}};

// Harmony in half bars.
const std::vector<std::vector<const Chord*>> Harmony = {
    {&ChordG, &ChordG},   {&ChordC, &ChordC},   {&ChordD, &ChordD},   {&ChordG, &ChordG},
    {&ChordG, &ChordG},   {&ChordEm, &ChordEm}, {&ChordC, &ChordD},   {&ChordG, &ChordG},
    {&ChordC, &ChordC},   {&ChordG, &ChordG},   {&ChordAm, &ChordAm}, {&ChordD, &ChordD},
    {&ChordG, &ChordG},   {&ChordC, &ChordC},   {&ChordD7, &ChordD7}, {&ChordG, &ChordG},
};

void setUpChannel(Track& t, int channel, int program, int volume, int pan)
{
    if (channel != DrumChannel)
        t.program(channel, program);
    t.control(channel, 7, volume);   // channel volume
    t.control(channel, 10, pan);     // pan
    t.control(channel, 91, 40);      // reverb send
}

Track conductorTrack()
{
    Track t;
    t.name("Lexoria");
    t.meta(0, 0x58, {4, 2, 24, 8});                      // 4/4
    t.meta(0, 0x59, {1, 0});                             // G major
    const std::uint32_t usPerQuarter = 60'000'000 / Bpm;
    t.meta(0, 0x51, {std::uint8_t(usPerQuarter >> 16), std::uint8_t(usPerQuarter >> 8), std::uint8_t(usPerQuarter)});
    t.meta(BarCount * Bar, 0x06, {'F', 'i', 'n', 'e'});  // marker at the end of the last bar
    return t;
}

Track leadTrack()
{
    Track t;
    t.name("Marimba");
    setUpChannel(t, LeadChannel, Marimba, 110, 64);
    for (int bar = 0; bar < BarCount; ++bar) {
        int tick = bar * Bar;
        for (const Step& s : Melody[bar]) {
            const int length = s.eighths * Eighth;
            const bool onBeat = (tick % Ppq) == 0;
            if (s.key != R)
                t.note(LeadChannel, tick, length * 9 / 10, s.key, onBeat ? 100 : 88);
            tick += length;
        }
    }
    return t;
}

Track chordTrack()
{
    Track t;
    t.name("Piano");
    setUpChannel(t, ChordChannel, AcousticGrandPiano, 82, 44);
    for (int bar = 0; bar < BarCount; ++bar) {
        for (int half = 0; half < 2; ++half) {
            const Chord& c = *Harmony[bar][half];
            const int start = bar * Bar + half * 2 * Ppq;
            const bool last = bar == BarCount - 1;
            for (int key : c.voicing) {
                if (last) {
                    if (half == 0)
                        t.note(ChordChannel, start, Bar, key, 72);
                    continue;
                }
                t.note(ChordChannel, start, Ppq * 3 / 4, key, half == 0 ? 66 : 60);  // on the beat
                t.note(ChordChannel, start + 3 * Eighth, Eighth / 2, key, 54);        // skip on the "and"
            }
        }
    }
    return t;
}

Track bassTrack()
{
    Track t;
    t.name("Basso");
    setUpChannel(t, BassChannel, AcousticBass, 112, 64);
    for (int bar = 0; bar < BarCount; ++bar) {
        const int start = bar * Bar;
        if (bar == BarCount - 1) {
            t.note(BassChannel, start, Bar, Harmony[bar][0]->bass, 100);
            continue;
        }
        for (int beat = 0; beat < 4; ++beat) {
            const Chord& c = *Harmony[bar][beat / 2];
            t.note(BassChannel, start + beat * Ppq, Ppq * 9 / 10, beat % 2 == 0 ? c.bass : c.fifth, beat == 0 ? 100 : 88);
        }
    }
    return t;
}

Track drumTrack()
{
    Track t;
    t.name("Batteria");
    setUpChannel(t, DrumChannel, 0, 70, 64);
    for (int bar = 0; bar < BarCount; ++bar) {
        const int start = bar * Bar;
        if (bar == BarCount - 1) {
            t.note(DrumChannel, start, Ppq, Crash, 90);
            t.note(DrumChannel, start, Ppq, Kick, 100);
            continue;
        }
        for (int e = 0; e < 8; ++e)
            t.note(DrumChannel, start + e * Eighth, Eighth / 2, ClosedHiHat, e % 2 == 0 ? 62 : 44);
        t.note(DrumChannel, start, Eighth, Kick, 96);
        t.note(DrumChannel, start + 2 * Ppq, Eighth, Kick, 88);
        t.note(DrumChannel, start + Ppq, Eighth, Snare, 70);
        t.note(DrumChannel, start + 3 * Ppq, Eighth, Snare, 70);
    }
    return t;
}

bool melodyIsWellFormed()
{
    if (Melody.size() != BarCount || Harmony.size() != BarCount)
        return false;
    for (const auto& bar : Melody) {
        int eighths = 0;
        for (const Step& s : bar)
            eighths += s.eighths;
        if (eighths != 8)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: genmidi OUTPUT.mid\n");
        return 2;
    }
    if (!melodyIsWellFormed()) {
        std::fprintf(stderr, "genmidi: a bar of the tune does not add up to 4/4\n");
        return 1;
    }

    const std::vector<Track> tracks = {conductorTrack(), leadTrack(), chordTrack(), bassTrack(), drumTrack()};

    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
    Track::appendBigEndian(file, 6, 4);
    Track::appendBigEndian(file, 1, 2);                    // format 1
    Track::appendBigEndian(file, std::uint32_t(tracks.size()), 2);
    Track::appendBigEndian(file, Ppq, 2);
    for (const Track& t : tracks) {
        const std::vector<std::uint8_t> chunk = t.chunk();
        file.insert(file.end(), chunk.begin(), chunk.end());
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "genmidi: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
