#include "music/fluidmusic.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using zelmor::music::FluidSynthPlayer;

namespace {

const QString kPiece = QStringLiteral(ZELMOR_MUSIC_FILE);

// ---------------------------------------------------------------------------------------------
// A reader of Standard MIDI Files of our own, so that the piece is checked without FluidSynth.

struct MidiEvent {
    int tick = 0;
    int status = 0;  // 0xFF for meta events
    int data1 = 0;   // the meta type for meta events
    int data2 = 0;
    std::string text;  // meta and system exclusive data
};

struct MidiFile {
    int format = -1;
    int declaredTracks = 0;
    int division = 0;
    std::vector<std::vector<MidiEvent>> tracks;  // each ends with its End of Track
};

class Reader {
  public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}

    MidiFile file() {
        MidiFile f;
        if (chunkId() != "MThd" || number(4) != 6) fail("no MThd header");
        f.format = static_cast<int>(number(2));
        f.declaredTracks = static_cast<int>(number(2));
        f.division = static_cast<int>(number(2));
        while (at_ < bytes_.size()) {
            const std::string id = chunkId();
            const auto length = static_cast<qsizetype>(number(4));
            const qsizetype end = at_ + length;
            if (end > bytes_.size()) fail("a chunk runs past the end of the file");
            if (id == "MTrk") f.tracks.push_back(track(end));
            at_ = end;
        }
        return f;
    }

  private:
    [[noreturn]] static void fail(const std::string& what) { throw std::runtime_error(what); }

    int byte() {
        if (at_ >= bytes_.size()) fail("unexpected end of the file");
        return static_cast<std::uint8_t>(bytes_[at_++]);
    }
    std::uint32_t number(int size) {
        std::uint32_t v = 0;
        for (int i = 0; i < size; ++i) v = v << 8 | static_cast<std::uint32_t>(byte());
        return v;
    }
    std::string chunkId() {
        std::string id;
        for (int i = 0; i < 4; ++i) id += static_cast<char>(byte());
        return id;
    }
    int varLen() {
        int v = 0;
        for (int i = 0; i < 4; ++i) {
            const int b = byte();
            v = v << 7 | (b & 0x7F);
            if ((b & 0x80) == 0) return v;
        }
        fail("a variable-length number longer than four bytes");
    }
    std::string text(int length) {
        std::string s;
        for (int i = 0; i < length; ++i) s += static_cast<char>(byte());
        return s;
    }

    std::vector<MidiEvent> track(qsizetype end) {
        std::vector<MidiEvent> events;
        int tick = 0;
        int running = 0;
        while (at_ < end) {
            if (!events.empty() && events.back().status == 0xFF && events.back().data1 == 0x2F)
                fail("events after End of Track");
            tick += varLen();
            MidiEvent e;
            e.tick = tick;
            int first = byte();
            if (first < 0x80) {
                if (running == 0) fail("data without a status");
                e.status = running;
            } else {
                e.status = first;
                first = -1;
            }
            if (e.status == 0xFF) {
                e.data1 = byte();
                e.text = text(varLen());
                running = 0;
            } else if (e.status == 0xF0 || e.status == 0xF7) {
                e.text = text(varLen());
                running = 0;
            } else {
                running = e.status;
                e.data1 = first >= 0 ? first : byte();
                const int kind = e.status & 0xF0;
                if (kind != 0xC0 && kind != 0xD0) e.data2 = byte();
            }
            events.push_back(e);
        }
        if (at_ != end) fail("the last event runs past its track");
        if (events.empty() || events.back().status != 0xFF || events.back().data1 != 0x2F)
            fail("a track without End of Track at its end");
        return events;
    }

    const QByteArray& bytes_;
    qsizetype at_ = 0;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

MidiFile readPiece() {
    return Reader(readAll(kPiece)).file();
}

int endTick(const MidiFile& f) {
    int end = 0;
    for (const auto& t : f.tracks) end = std::max(end, t.back().tick);
    return end;
}

// Seconds from the start to a tick, following every tempo change (120 crotchets a minute until
// the first one, as a file without tempo would play).
double secondsAt(const MidiFile& f, int tick) {
    std::map<int, int> tempo = {{0, 500000}};
    for (const auto& t : f.tracks) {
        for (const MidiEvent& e : t) {
            if (e.status == 0xFF && e.data1 == 0x51 && e.text.size() == 3) {
                const auto b = [&](int i) { return static_cast<std::uint8_t>(e.text[i]); };
                tempo[e.tick] = b(0) << 16 | b(1) << 8 | b(2);
            }
        }
    }
    double seconds = 0;
    for (auto it = tempo.begin(); it != tempo.end() && it->first < tick; ++it) {
        const auto next = std::next(it);
        const int until = next == tempo.end() ? tick : std::min(tick, next->first);
        seconds += (until - it->first) * (it->second / 1e6) / f.division;
    }
    return seconds;
}

// ---------------------------------------------------------------------------------------------
// Playing in memory.

struct Heard {
    double rms = 0;
    bool silent = true;  // every sample exactly zero
};

Heard listen(FluidSynthPlayer& player, double seconds) {
    const int frames = static_cast<int>(seconds * player.sampleRate());
    std::vector<float> left(4096), right(4096);
    double sum = 0;
    Heard heard;
    for (int done = 0; done < frames;) {
        const int n = std::min(4096, frames - done);
        EXPECT_EQ(player.render(left.data(), right.data(), n), n);
        for (int i = 0; i < n; ++i) {
            sum += double(left[i]) * left[i] + double(right[i]) * right[i];
            if (left[i] != 0.0f || right[i] != 0.0f) heard.silent = false;
        }
        done += n;
    }
    heard.rms = frames > 0 ? std::sqrt(sum / (2.0 * frames)) : 0;
    return heard;
}

// Clearly music (the piece measures 0.02 to 0.05), and clearly nothing (released notes fade far
// below a thousandth within a second).
constexpr double kSounding = 0.005;
constexpr double kQuiet = 0.0005;

FluidSynthPlayer::Options inMemory() {
    FluidSynthPlayer::Options o;
    o.output = FluidSynthPlayer::Output::Memory;
    return o;
}

// Ticks the piece moves in a second at its opening tempo.
double ticksPerSecond() {
    const MidiFile f = readPiece();
    return f.division / secondsAt(f, f.division);
}

// ---------------------------------------------------------------------------------------------

TEST(MusicFile, IsAFormatOneFileWithEveryPartAndAProperEnd) {
    MidiFile f;
    ASSERT_NO_THROW(f = readPiece());
    EXPECT_EQ(f.format, 1);
    EXPECT_EQ(f.declaredTracks, static_cast<int>(f.tracks.size()));
    EXPECT_GE(f.tracks.size(), 4u);  // at least melody, harmony, bass and drums
    EXPECT_GT(f.division, 0);
    EXPECT_LT(f.division, 0x8000);

    std::set<std::string> names;
    bool tempo = false, meter = false;
    std::set<int> channels;                   // channels with notes
    std::map<std::pair<int, int>, int> held;  // (channel, key) -> notes sounding
    std::map<int, std::set<int>> onsets;      // tick -> keys starting there, drums aside
    for (const auto& t : f.tracks) {
        for (const MidiEvent& e : t) {
            if (e.status == 0xFF && e.data1 == 0x03) names.insert(e.text);
            if (e.status == 0xFF && e.data1 == 0x51) tempo = true;
            if (e.status == 0xFF && e.data1 == 0x58) meter = true;
            const int kind = e.status & 0xF0, channel = e.status & 0x0F;
            const bool on = kind == 0x90 && e.data2 > 0;
            const bool off = kind == 0x80 || (kind == 0x90 && e.data2 == 0);
            int& sounding = held[std::make_pair(channel, e.data1)];
            if (on) {
                channels.insert(channel);
                ++sounding;
                if (channel != 9) onsets[e.tick].insert(e.data1);
            }
            if (off) {
                EXPECT_GT(sounding, 0) << "a note ends that never began";
                --sounding;
            }
        }
    }
    EXPECT_TRUE(names.count("Internet"));
    EXPECT_TRUE(tempo);
    EXPECT_TRUE(meter);
    EXPECT_TRUE(channels.count(9)) << "no drums on channel 10";
    EXPECT_GE(channels.size(), 4u);
    for (const auto& [note, count] : held) EXPECT_EQ(count, 0) << "a note never ends";

    // The last notes to begin form a chord of at least three different notes.
    ASSERT_FALSE(onsets.empty());
    std::set<int> pitchClasses;
    for (int key : onsets.rbegin()->second) pitchClasses.insert(key % 12);
    EXPECT_GE(pitchClasses.size(), 3u);

    const double seconds = secondsAt(f, endTick(f));
    EXPECT_GE(seconds, 25.0);
    EXPECT_LE(seconds, 50.0);
}

TEST(FluidSynthPlayer, PlaysThePieceInMemory) {
    FluidSynthPlayer player(inMemory());
    ASSERT_TRUE(player.open(kPiece));
    EXPECT_EQ(player.problem(), QString());
    player.play();
    EXPECT_TRUE(player.playing());
    EXPECT_GT(listen(player, 3).rms, kSounding);
    // The position follows the rendered samples at the piece's tempo.
    EXPECT_NEAR(player.currentTick(), 3 * ticksPerSecond(), 0.02 * 3 * ticksPerSecond());
}

// Each row: commands, with a second of rendering after every "r"; then whether it plays and
// how many seconds of the piece have gone by.
TEST(FluidSynthPlayer, CommandsInAnyOrder) {
    struct Row {
        const char* commands;
        bool playing;
        int seconds;
    } rows[] = {
        {"open r", false, 0},  // open positions at the start, it does not start
        {"open play r", true, 1},
        {"open play play r", true, 1},  // a second play changes nothing
        {"open pause r", false, 0},     // nothing to pause yet
        {"open pause play r", true, 1},
        {"open play pause play r", true, 1},
        {"open play r pause r pause r play r", true, 2},
        {"open play r close r", false, 0},
        {"open play r close play r", false, 0},  // closed: play does nothing
        {"open play r open r", false, 0},        // a new open starts again from the beginning
        {"open play r open play r", true, 1},
        {"play r pause r", false, 0},  // never opened
    };
    const double perSecond = ticksPerSecond();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.commands);
        FluidSynthPlayer player(inMemory());
        for (const QString& c : QString::fromLatin1(row.commands).split(QLatin1Char(' '))) {
            if (c == QLatin1String("open")) {
                EXPECT_TRUE(player.open(kPiece));
            } else if (c == QLatin1String("play")) {
                player.play();
            } else if (c == QLatin1String("pause")) {
                player.pause();
            } else if (c == QLatin1String("close")) {
                player.close();
            } else {
                listen(player, 1);
            }
        }
        EXPECT_EQ(player.playing(), row.playing);
        EXPECT_FALSE(player.finished());
        EXPECT_NEAR(player.currentTick(), row.seconds * perSecond, 0.02 * perSecond + 2);
    }
}

TEST(FluidSynthPlayer, PauseHoldsThePositionAndPlayResumesFromIt) {
    FluidSynthPlayer player(inMemory());
    ASSERT_TRUE(player.open(kPiece));
    player.play();
    listen(player, 2);
    player.pause();
    EXPECT_FALSE(player.playing());
    const int paused = player.currentTick();
    EXPECT_GT(paused, 0);

    // Paused, the player lets its synth go: nothing sounds, the position stays, and playing on
    // makes it again, with the piece's instruments, where it paused.
    EXPECT_LT(listen(player, 1).rms, kQuiet);
    EXPECT_EQ(player.currentTick(), paused);
    EXPECT_EQ(player.problem(), QString());

    player.play();
    EXPECT_GT(listen(player, 1).rms, kSounding);
    const double perSecond = ticksPerSecond();
    EXPECT_NEAR(player.currentTick(), paused + perSecond, 0.02 * perSecond + 2);
}

TEST(FluidSynthPlayer, CloseStopsAndForgets) {
    FluidSynthPlayer player(inMemory());
    ASSERT_TRUE(player.open(kPiece));
    player.play();
    EXPECT_GT(listen(player, 1).rms, kSounding);
    player.close();
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.currentTick(), 0);
    player.play();
    player.pause();
    player.play();
    EXPECT_FALSE(player.playing());
    EXPECT_TRUE(listen(player, 1).silent);
    EXPECT_EQ(player.currentTick(), 0);
    EXPECT_FALSE(player.problem().isEmpty());

    // Opened again, the piece starts from its beginning.
    ASSERT_TRUE(player.open(kPiece));
    EXPECT_EQ(player.currentTick(), 0);
    player.play();
    EXPECT_GT(listen(player, 1).rms, kSounding);
    EXPECT_NEAR(player.currentTick(), ticksPerSecond(), 0.02 * ticksPerSecond() + 2);
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(static_cast<char>(v));
    return b;
}

// A header with the given format, track count and division, and one short track of one note.
QByteArray smallFile(int tracksDeclared, int divisionHigh, int divisionLow) {
    return bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, tracksDeclared, divisionHigh,
                  divisionLow}) +
           bytes({'M', 'T', 'r',  'k',  0,  0, 0, 12,   0,    0x90,
                  60,  100, 0x60, 0x80, 60, 0, 0, 0xFF, 0x2F, 0});
}

TEST(FluidSynthPlayer, RefusesWhatIsNotAPlayableMidiFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("cartella.mid")));
    const QByteArray good = smallFile(1, 0x01, 0xE0);
    struct Row {
        const char* name;
        bool create;
        QByteArray content;
        bool accepted;
    } rows[] = {
        {"valido.mid", true, good, true},  // the rows below differ from it in one thing
        {"mancante.mid", false, {}, false},
        {"cartella.mid", false, {}, false},
        {"vuoto.mid", true, {}, false},
        {"testo.mid", true, "Questo non è un brano.\n", false},
        {"intestazione-corta.mid", true, good.left(10), false},
        {"smpte.mid", true, smallFile(1, 0xE7, 0x28), false},
        {"divisione-zero.mid", true, smallFile(1, 0, 0), false},
        {"senza-tracce.mid", true, smallFile(0, 0x01, 0xE0), false},
        {"traccia-mancante.mid", true, smallFile(2, 0x01, 0xE0), false},
        {"traccia-tronca.mid", true, good.left(good.size() - 3), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        if (row.create) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(row.content);
        }
        FluidSynthPlayer player(inMemory());
        EXPECT_EQ(player.open(path), row.accepted);
        if (row.accepted) continue;
        EXPECT_TRUE(player.problem().contains(path));
        // Every later command is harmless and nothing sounds.
        player.play();
        EXPECT_FALSE(player.playing());
        EXPECT_TRUE(listen(player, 0.5).silent);
        player.pause();
        player.close();
        EXPECT_EQ(player.currentTick(), 0);
    }
}

TEST(FluidSynthPlayer, AFailedOpenClosesThePieceBefore) {
    FluidSynthPlayer player(inMemory());
    ASSERT_TRUE(player.open(kPiece));
    player.play();
    EXPECT_GT(listen(player, 1).rms, kSounding);
    EXPECT_FALSE(player.open(kPiece + QStringLiteral(".manca")));
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.currentTick(), 0);
    EXPECT_TRUE(listen(player, 1).silent);
}

// Renders until the library reports the end; false if it does not come within a minute.
bool playToTheEnd(FluidSynthPlayer& player, double& seconds) {
    seconds = 0;
    while (!player.finished() && seconds < 60) {
        listen(player, 0.5);
        seconds += 0.5;
    }
    return player.finished();
}

TEST(FluidSynthPlayer, ThePieceEndsAndStaysEnded) {
    const MidiFile f = readPiece();
    FluidSynthPlayer player(inMemory());
    ASSERT_TRUE(player.open(kPiece));
    player.play();
    double seconds = 0;
    ASSERT_TRUE(playToTheEnd(player, seconds));
    // It lasts the whole piece, plus the final chord fading out.
    EXPECT_GE(seconds, secondsAt(f, endTick(f)));
    EXPECT_LE(seconds, secondsAt(f, endTick(f)) + 10);
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.currentTick(), endTick(f));

    player.play();  // does not start again
    EXPECT_FALSE(player.playing());
    EXPECT_TRUE(player.finished());
    EXPECT_LT(listen(player, 2).rms, kQuiet);
    EXPECT_EQ(player.currentTick(), endTick(f));
}

TEST(FluidSynthPlayer, APauseAfterTheLastEventEndsThePiece) {
    const MidiFile f = readPiece();
    FluidSynthPlayer player(inMemory());
    ASSERT_TRUE(player.open(kPiece));
    player.play();
    // Every event played, the final chord still fading.
    for (double s = 0; player.currentTick() < endTick(f) && s < 60; s += 0.1) listen(player, 0.1);
    ASSERT_EQ(player.currentTick(), endTick(f));
    ASSERT_TRUE(player.playing());

    player.pause();
    player.play();
    EXPECT_FALSE(player.playing());
    EXPECT_TRUE(player.finished());
    listen(player, 1);
    EXPECT_LT(listen(player, 2).rms, kQuiet);
    EXPECT_EQ(player.currentTick(), endTick(f));
}

TEST(FluidSynthPlayer, WithoutASoundFontItIsSilentButFollowsTheCommands) {
    FluidSynthPlayer::Options o = inMemory();
    o.soundFont = QStringLiteral("/percorso/che/non/esiste.sf2");
    testing::internal::CaptureStderr();
    {
        FluidSynthPlayer player(o);
        ASSERT_TRUE(player.open(kPiece));
        EXPECT_TRUE(player.problem().contains(QStringLiteral("sound font")));
        player.play();
        EXPECT_LT(listen(player, 1).rms, kQuiet);
        EXPECT_GT(player.currentTick(), 0);
        player.pause();
        EXPECT_FALSE(player.playing());
    }
    // The library's own complaints are kept off the terminal.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string());
}

// On the desktop the samples go to the audio device; where there is none (a build machine),
// the player still follows every command and says why nothing is heard.
TEST(FluidSynthPlayer, AudioOutputFollowsTheCommandsWithOrWithoutADevice) {
    FluidSynthPlayer player;
    ASSERT_TRUE(player.open(kPiece));
    const QString problem = player.problem();
    EXPECT_TRUE(problem.isEmpty() || problem.contains(QStringLiteral("audio")))
        << problem.toStdString();
    std::vector<float> left(64), right(64);
    EXPECT_EQ(player.render(left.data(), right.data(), 64), 0);
    player.play();
    EXPECT_TRUE(player.playing());
    player.pause();
    EXPECT_FALSE(player.playing());
    player.close();
    EXPECT_EQ(player.currentTick(), 0);
}

// The set-up runs on the player's thread: the reason it is silent comes once, through the event
// loop, and never to a player that has gone.
TEST(FluidSynthPlayer, ReportsWhyItIsSilentOnceAndNeverAfterItHasGone) {
    int argc = 1;
    char name[] = "test_music";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    FluidSynthPlayer::Options o = inMemory();
    o.soundFont = QStringLiteral("/percorso/che/non/esiste.sf2");

    QStringList reports;
    const auto record = [&reports](const QString& why) { reports.append(why); };
    {
        FluidSynthPlayer player(o);
        player.reportProblem(record);
        ASSERT_TRUE(player.open(kPiece));
        player.play();
        const QString why = player.problem();
        QCoreApplication::processEvents();
        player.pause();
        ASSERT_TRUE(player.open(kPiece));
        player.problem();
        QCoreApplication::processEvents();
        EXPECT_EQ(reports, QStringList{why});
        EXPECT_TRUE(why.contains(QStringLiteral("sound font")));
    }
    reports.clear();
    {
        FluidSynthPlayer player(o);
        player.reportProblem(record);
        ASSERT_TRUE(player.open(kPiece));
        player.problem();  // known, and its report waiting in the event loop
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(reports.isEmpty());

    // A player that sounds says nothing.
    FluidSynthPlayer sounding(inMemory());
    sounding.reportProblem(record);
    ASSERT_TRUE(sounding.open(kPiece));
    EXPECT_EQ(sounding.problem(), QString());
    QCoreApplication::processEvents();
    EXPECT_TRUE(reports.isEmpty());
}

// A player that goes while its thread is still loading the sound font, with commands waiting,
// waits for the loading and leaves nothing running.
TEST(FluidSynthPlayer, GoesWhileItIsBeingSetUp) {
    for (const auto output : {FluidSynthPlayer::Output::Audio, FluidSynthPlayer::Output::Memory}) {
        FluidSynthPlayer::Options o;
        o.output = output;
        FluidSynthPlayer first(o);
        FluidSynthPlayer second(o);
        second.open(kPiece);
        second.play();
        // One that was never let set up goes too.
        o.setUpWhenAsked = true;
        FluidSynthPlayer waiting(o);
        waiting.open(kPiece);
    }
}

// Set up only when asked (the program asks once the splash is painted): the commands given
// before are kept, and a question starts the set-up rather than waiting for ever.
TEST(FluidSynthPlayer, SetsUpWhenAskedWithTheCommandsGivenBefore) {
    FluidSynthPlayer::Options o = inMemory();
    o.setUpWhenAsked = true;
    for (const bool asked : {true, false}) {
        SCOPED_TRACE(asked);
        FluidSynthPlayer player(o);
        ASSERT_TRUE(player.open(kPiece));
        player.play();
        if (asked) player.startSetUp();
        EXPECT_TRUE(player.playing());
        EXPECT_GT(listen(player, 1).rms, kSounding);
    }
}

}  // namespace
