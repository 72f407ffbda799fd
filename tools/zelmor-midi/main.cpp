// zelmor-midi: writes the splash music, "Internet", as a Standard MIDI File of format 1.
// The piece is written below as data, bar by bar, and nothing else decides a byte: the same
// program always writes the same file, and a test compares it with resources/Internet.mid.
#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// The piece: F major, 4/4, sixteen bars. An intro of two bars, a theme of four bars and its
// answer, a rising middle part, a cadence that slows down into the final chord.

constexpr int kBars = 16;
constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerBar = 4 * kTicksPerQuarter;
// The final chord rings one more beat before the piece ends.
constexpr int kTailTicks = kTicksPerQuarter;

struct TempoMark {
    int bar;  // from 1
    int bpm;
};
constexpr TempoMark kTempo[] = {{1, 100}, {15, 92}, {16, 76}};

// Every part's velocities move with this: a soft start, a lift in the middle part, a full end.
constexpr std::array<int, kBars> kLift = {-14, -10, 0, 0, 0, 0, 2, 2, 2, 0, 6, 6, 8, 10, 8, 8};

// Notes: a pitch (C4 is middle C; b flat, # sharp) or r for a rest, a colon, then a length:
// w h q e s (whole down to sixteenth), a dot adds half. Every bar adds up to four beats.
constexpr std::array<std::string_view, kBars> kMelody = {
    "r:w",                        // 1  Fmaj7
    "r:h. C5:e D5:e",             // 2  Bbmaj7
    "A5:q. G5:e F5:q C5:q",       // 3  F
    "E5:q. F5:e G5:h",            // 4  C
    "F5:q. E5:e D5:q A4:q",       // 5  Dm
    "Bb4:q C5:e D5:e C5:h",       // 6  Bb
    "A5:q. G5:e F5:q C6:q",       // 7  F
    "C6:q. Bb5:e A5:q G5:q",      // 8  C
    "F5:q G5:e A5:e Bb5:q D5:q",  // 9  Bb
    "G5:h r:e C5:e D5:e E5:e",    // 10 C
    "F5:q A5:q D6:q. C6:e",       // 11 Dm
    "Bb5:q. A5:e G5:q F5:q",      // 12 Bb
    "G5:q Bb5:q D6:q. C6:e",      // 13 Gm7
    "C6:q Bb5:q G5:q E5:q",       // 14 C7
    "F5:q D5:e F5:e G5:q. E5:e",  // 15 Bb, C
    "F5:w",                       // 16 F
};

struct Chord {
    std::string_view name;
    std::string_view notes;  // the voicing, lowest first
};
// clang-format off
constexpr Chord kChords[] = {
    {"F",      "F3 C4 F4 A4"},
    {"Fmaj7",  "F3 C4 E4 A4"},
    {"Bb",     "Bb2 F3 Bb3 D4"},
    {"Bbmaj7", "Bb2 F3 A3 D4"},
    {"C",      "C3 G3 C4 E4"},
    {"C7",     "C3 G3 Bb3 E4"},
    {"Dm",     "D3 A3 D4 F4"},
    {"Gm7",    "G2 D3 F3 Bb3"},
};
// clang-format on

// The harmony part broken into eighths: which note of the voicing sounds on each eighth.
constexpr std::array<int, 8> kArpeggio = {0, 1, 2, 3, 1, 2, 3, 2};

struct HarmonyBar {
    std::string_view chords;  // one chord, or two of two beats each
    bool held;                // a block chord for the whole bar instead of the arpeggio
};
constexpr std::array<HarmonyBar, kBars> kHarmony = {{
    {"Fmaj7", false},
    {"Bbmaj7", false},
    {"F", false},
    {"C", false},
    {"Dm", false},
    {"Bb", false},
    {"F", false},
    {"C", false},
    {"Bb", false},
    {"C", false},
    {"Dm", false},
    {"Bb", false},
    {"Gm7", false},
    {"C7", false},
    {"Bb C", false},
    {"F", true},
}};

constexpr std::array<std::string_view, kBars> kBass = {
    "F2:q. F2:e A2:q C3:q",     // 1
    "Bb1:q. Bb1:e D2:q F2:q",   // 2
    "F2:q. F2:e C3:q A2:q",     // 3
    "E2:q. E2:e G2:q C3:q",     // 4  (C over E)
    "D2:q. D2:e A2:q F2:q",     // 5
    "Bb1:q. Bb1:e D2:q E2:q",   // 6
    "F2:q. F2:e C3:q A2:q",     // 7
    "C2:q. C2:e G2:q E2:q",     // 8
    "Bb1:q. Bb1:e F2:q D2:q",   // 9
    "C2:q. C2:e G2:q E2:q",     // 10
    "D2:q. D2:e A2:q D3:q",     // 11
    "Bb1:q. Bb1:e F2:q Bb2:q",  // 12
    "G2:q. G2:e D2:q F2:q",     // 13
    "C2:q. C2:e E2:q G2:q",     // 14
    "Bb1:q D2:q C2:q E2:q",     // 15
    "F2:w",                     // 16
};

// General MIDI percussion keys (channel 10).
constexpr int kKick = 36;
constexpr int kSideStick = 37;
constexpr int kClosedHat = 42;
constexpr int kLowTom = 45;
constexpr int kLowMidTom = 47;
constexpr int kHighTom = 50;
constexpr int kCrash = 49;

struct DrumLine {
    int key;
    std::string_view steps;  // sixteen steps a bar: x a hit, o a soft hit, . nothing
};
using DrumBar = std::vector<DrumLine>;

// clang-format off
const DrumBar kHatsOnly = {
    {kClosedHat, "o.o.o.o.o.o.o.o."},
};
const DrumBar kHatsAndKick = {
    {kKick,      "x.......x......."},
    {kClosedHat, "o.o.o.o.o.o.o.o."},
};
const DrumBar kGroove = {
    {kKick,      "x.......x.o....."},
    {kSideStick, "....x.......x..."},
    {kClosedHat, "x.o.x.o.x.o.x.o."},
};
const DrumBar kFill = {
    {kKick,      "x.......x......."},
    {kSideStick, "....x..........."},
    {kClosedHat, "x.o.x.o.x.o....."},
    {kHighTom,   "............xo.."},
    {kLowMidTom, "..............x."},
    {kLowTom,    "...............x"},
};
const DrumBar kLastChord = {
    {kKick,      "x..............."},
    {kCrash,     "o..............."},
};
const std::array<const DrumBar*, kBars> kDrums = {
    &kHatsOnly, &kHatsAndKick,                  // intro
    &kGroove, &kGroove, &kGroove, &kGroove,     // theme
    &kGroove, &kGroove, &kGroove, &kFill,       // answer
    &kGroove, &kGroove, &kGroove, &kFill,       // middle part
    &kGroove, &kLastChord,                      // cadence
};
// clang-format on

// General MIDI programs, counted from 0.
constexpr int kVibraphone = 11;
constexpr int kElectricPiano = 4;
constexpr int kFingeredBass = 33;

// ---------------------------------------------------------------------------------------------
// From the data to MIDI events.

using Bytes = std::vector<std::uint8_t>;

struct Event {
    int tick;
    int rank;  // at the same tick: set-up first, then note-offs, then note-ons
    Bytes bytes;
};

struct Track {
    std::string name;
    std::vector<Event> events;

    void meta(int tick, std::uint8_t type, const Bytes& data) {
        Bytes b = {0xFF, type, static_cast<std::uint8_t>(data.size())};
        b.insert(b.end(), data.begin(), data.end());
        events.push_back({tick, 0, b});
    }
    void control(int channel, int number, int value) {
        events.push_back({0,
                          0,
                          {static_cast<std::uint8_t>(0xB0 | channel),
                           static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(value)}});
    }
    void program(int channel, int number) {
        events.push_back(
            {0, 0, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(number)}});
    }
    void note(int channel, int tick, int length, int key, int velocity) {
        const auto ch = static_cast<std::uint8_t>(channel);
        const auto k = static_cast<std::uint8_t>(key);
        const auto v = static_cast<std::uint8_t>(std::clamp(velocity, 1, 127));
        events.push_back({tick, 2, {static_cast<std::uint8_t>(0x90 | ch), k, v}});
        events.push_back({tick + length, 1, {static_cast<std::uint8_t>(0x80 | ch), k, 0x40}});
    }
};

[[noreturn]] void bad(std::string_view what, std::string_view where) {
    throw std::runtime_error(std::string(what) + ": \"" + std::string(where) + "\"");
}

int pitch(std::string_view name) {
    static constexpr std::string_view kLetters = "CDEFGAB";
    static constexpr int kSemitones[] = {0, 2, 4, 5, 7, 9, 11};
    if (name.size() < 2) bad("bad pitch", name);
    const auto letter = kLetters.find(name[0]);
    if (letter == std::string_view::npos) bad("bad pitch", name);
    int key = kSemitones[letter];
    std::size_t i = 1;
    if (name[i] == 'b' || name[i] == '#') key += name[i++] == 'b' ? -1 : 1;
    if (i + 1 != name.size() || name[i] < '0' || name[i] > '8') bad("bad octave", name);
    return key + 12 * (name[i] - '0' + 1);
}

int length(std::string_view code) {
    if (code.empty()) bad("missing length", code);
    int ticks = 0;
    switch (code[0]) {
        case 'w':
            ticks = 4 * kTicksPerQuarter;
            break;
        case 'h':
            ticks = 2 * kTicksPerQuarter;
            break;
        case 'q':
            ticks = kTicksPerQuarter;
            break;
        case 'e':
            ticks = kTicksPerQuarter / 2;
            break;
        case 's':
            ticks = kTicksPerQuarter / 4;
            break;
        default:
            bad("bad length", code);
    }
    if (code.size() == 2 && code[1] == '.') return ticks + ticks / 2;
    if (code.size() != 1) bad("bad length", code);
    return ticks;
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const auto start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        text.remove_prefix(start);
        const auto end = std::min(text.find(' '), text.size());
        out.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return out;
}

struct Note {
    int offset;  // ticks from the start of the bar
    int length;
    int key;  // -1: a rest
};

std::vector<Note> bar(std::string_view text) {
    std::vector<Note> notes;
    int at = 0;
    for (std::string_view word : words(text)) {
        const auto colon = word.find(':');
        if (colon == std::string_view::npos) bad("missing colon", word);
        const std::string_view name = word.substr(0, colon);
        const int ticks = length(word.substr(colon + 1));
        notes.push_back({at, ticks, name == "r" ? -1 : pitch(name)});
        at += ticks;
    }
    if (at != kTicksPerBar) bad("the bar does not last four beats", text);
    return notes;
}

std::vector<int> chord(std::string_view name) {
    for (const Chord& c : kChords) {
        if (c.name != name) continue;
        std::vector<int> keys;
        for (std::string_view n : words(c.notes)) keys.push_back(pitch(n));
        if (keys.size() != 4) bad("a voicing needs four notes", c.notes);
        return keys;
    }
    bad("unknown chord", name);
}

// Stronger on the first beat, a little on the third.
int accent(int offset) {
    if (offset == 0) return 6;
    if (offset == 2 * kTicksPerQuarter) return 3;
    return 0;
}

constexpr int kEnd = kBars * kTicksPerBar + kTailTicks;

Track conductor() {
    Track t{"Internet", {}};
    t.meta(0, 0x58, {4, 2, 24, 8});  // 4/4, a click every quarter
    t.meta(0, 0x59, {0xFF, 0});      // one flat, major
    for (const TempoMark& m : kTempo) {
        const int micros = 60'000'000 / m.bpm;
        t.meta((m.bar - 1) * kTicksPerBar, 0x51,
               {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                static_cast<std::uint8_t>(micros)});
    }
    return t;
}

void setUp(Track& t, int channel, int program, int volume, int pan, int reverb) {
    if (program >= 0) t.program(channel, program);
    t.control(channel, 7, volume);
    t.control(channel, 10, pan);
    t.control(channel, 91, reverb);
}

// A line written as notes: melody and bass. The small gap keeps repeated notes apart.
Track line(const char* name, int channel, const std::array<std::string_view, kBars>& bars,
           int velocity) {
    Track t{name, {}};
    for (int b = 0; b < kBars; ++b) {
        for (const Note& n : bar(bars[b])) {
            if (n.key < 0) continue;
            const int gap = b == kBars - 1 ? 0 : kTicksPerQuarter / 32;
            t.note(channel, b * kTicksPerBar + n.offset, n.length - gap, n.key,
                   velocity + kLift[b] + accent(n.offset));
        }
    }
    return t;
}

Track harmony(int channel) {
    Track t{"Arpeggi", {}};
    constexpr int kEighth = kTicksPerQuarter / 2;
    for (int b = 0; b < kBars; ++b) {
        const auto names = words(kHarmony[b].chords);
        if (names.empty() || kTicksPerBar % static_cast<int>(names.size()) != 0)
            bad("bad harmony", kHarmony[b].chords);
        const int span = kTicksPerBar / static_cast<int>(names.size());
        for (std::size_t c = 0; c < names.size(); ++c) {
            const int start = b * kTicksPerBar + static_cast<int>(c) * span;
            const std::vector<int> keys = chord(names[c]);
            if (kHarmony[b].held) {
                for (int key : keys) t.note(channel, start, span, key, 64 + kLift[b]);
                continue;
            }
            // Each note rings for a quarter, as under a light pedal, but not past its chord.
            for (int step = 0; step * kEighth < span; ++step) {
                const int offset = step * kEighth;
                const int ring = std::min(kTicksPerQuarter, span - offset);
                const int velocity = 56 + kLift[b] + (step == 0 ? 8 : step % 2 == 0 ? 3 : 0);
                t.note(channel, start + offset, ring, keys[kArpeggio[step % 8]], velocity);
            }
        }
    }
    return t;
}

Track drums(int channel) {
    Track t{"Batteria", {}};
    constexpr int kStep = kTicksPerQuarter / 4;
    for (int b = 0; b < kBars; ++b) {
        for (const DrumLine& l : *kDrums[b]) {
            if (l.steps.size() != 16) bad("a drum line needs sixteen steps", l.steps);
            for (int s = 0; s < 16; ++s) {
                const char hit = l.steps[static_cast<std::size_t>(s)];
                if (hit == '.') continue;
                if (hit != 'x' && hit != 'o') bad("bad drum step", l.steps);
                t.note(channel, b * kTicksPerBar + s * kStep, kStep, l.key,
                       (hit == 'x' ? 76 : 50) + kLift[b] / 2);
            }
        }
    }
    return t;
}

void putVarLen(Bytes& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

void putBig(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putChunk(Bytes& out, std::string_view type, const Bytes& body) {
    out.insert(out.end(), type.begin(), type.end());
    putBig(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
}

Bytes trackChunk(Track t) {
    std::stable_sort(t.events.begin(), t.events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
    });
    Bytes body;
    const Bytes name(t.name.begin(), t.name.end());
    putVarLen(body, 0);
    body.insert(body.end(), {0xFF, 0x03, static_cast<std::uint8_t>(name.size())});
    body.insert(body.end(), name.begin(), name.end());
    int now = 0;
    for (const Event& e : t.events) {
        if (e.tick > kEnd) bad("an event after the end", t.name);
        putVarLen(body, static_cast<std::uint32_t>(e.tick - now));
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    putVarLen(body, static_cast<std::uint32_t>(kEnd - now));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    Bytes chunk;
    putChunk(chunk, "MTrk", body);
    return chunk;
}

Bytes midiFile() {
    constexpr int kMelodyChannel = 0;
    constexpr int kHarmonyChannel = 1;
    constexpr int kBassChannel = 2;
    constexpr int kDrumChannel = 9;  // channel 10 to musicians

    Track melody = line("Melodia", kMelodyChannel, kMelody, 84);
    setUp(melody, kMelodyChannel, kVibraphone, 104, 64, 48);
    Track arpeggi = harmony(kHarmonyChannel);
    setUp(arpeggi, kHarmonyChannel, kElectricPiano, 84, 44, 56);
    Track bass = line("Basso", kBassChannel, kBass, 86);
    setUp(bass, kBassChannel, kFingeredBass, 100, 64, 16);
    Track kit = drums(kDrumChannel);
    setUp(kit, kDrumChannel, -1, 80, 80, 32);

    const std::vector<Track> tracks = {conductor(), melody, arpeggi, bass, kit};
    Bytes header;
    putBig(header, 1, 2);  // format 1: simultaneous tracks
    putBig(header, static_cast<std::uint32_t>(tracks.size()), 2);
    putBig(header, kTicksPerQuarter, 2);
    Bytes file;
    putChunk(file, "MThd", header);
    for (const Track& t : tracks) {
        const Bytes chunk = trackChunk(t);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zelmor-midi OUTPUT.mid\n";
        return 2;
    }
    Bytes file;
    try {
        file = midiFile();
    } catch (const std::exception& e) {
        std::cerr << "zelmor-midi: the piece is written wrongly: " << e.what() << '\n';
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::cerr << "zelmor-midi: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
