#include "music/fluidmusic.h"

#include <dlfcn.h>
#include <fluidsynth.h>
#include <malloc.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QObject>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace zelmor::music {

namespace {

// A splash piece is a few kilobytes; anything this large is not one, and is not read at all.
constexpr qint64 kLargestFile = qint64{4} * 1024 * 1024;
// FluidSynth's own default (0.2) is faint with the small General MIDI fonts.
constexpr double kGain = 0.5;
// The splash piece sounds at most 21 voices at once; the library's 256 cost 2 MB for nothing.
constexpr int kPolyphony = 64;

// FluidSynth and the forty libraries it brings (audio servers, codecs, SDL...) are not linked:
// binding them at launch cost the splash a third of a bare window's start-up. The player's thread
// loads them when it sets up, once for the whole program, and keeps them.
// clang-format off
#define ZELMOR_FLUID_FUNCTIONS(X)    \
    X(fluid_set_log_function)        \
    X(new_fluid_settings)            \
    X(delete_fluid_settings)         \
    X(fluid_settings_setstr)         \
    X(fluid_settings_setnum)         \
    X(fluid_settings_setint)         \
    X(fluid_settings_getnum)         \
    X(new_fluid_synth)               \
    X(delete_fluid_synth)            \
    X(fluid_synth_sfload)            \
    X(fluid_synth_all_sounds_off)    \
    X(fluid_synth_write_float)       \
    X(new_fluid_player)              \
    X(delete_fluid_player)           \
    X(fluid_player_add_mem)          \
    X(fluid_player_play)             \
    X(fluid_player_stop)             \
    X(fluid_player_get_status)       \
    X(fluid_player_get_current_tick) \
    X(fluid_player_get_total_ticks)  \
    X(fluid_player_seek)             \
    X(new_fluid_audio_driver)        \
    X(delete_fluid_audio_driver)
// clang-format on

struct Library {
// The argument is the name being declared, which no parentheses may enclose.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define ZELMOR_FLUID_POINTER(name) decltype(&::name) name = nullptr;
    ZELMOR_FLUID_FUNCTIONS(ZELMOR_FLUID_POINTER)
#undef ZELMOR_FLUID_POINTER
};

// Two players setting up at once (tests make several) race on the library's own global tables;
// its set-up and tear-down calls go one player at a time.
std::mutex& libraryLock() {
    static std::mutex lock;
    return lock;
}

// ALSA's handler of its own messages, which it writes on stderr when there is no sound card.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
void ignoreAlsa(const char*, int, const char*, int, const char*, ...) {}

// The library, or null when it cannot be loaded (then the program is silent).
const Library* loadLibrary() {
    static const Library* const library = []() -> const Library* {
        void* handle = dlopen(ZELMOR_FLUIDSYNTH_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) return nullptr;
        static Library l;
        bool complete = true;
#define ZELMOR_FLUID_LOOKUP(name)                                      \
    l.name = reinterpret_cast<decltype(l.name)>(dlsym(handle, #name)); \
    complete = complete && l.name != nullptr;
        ZELMOR_FLUID_FUNCTIONS(ZELMOR_FLUID_LOOKUP)
#undef ZELMOR_FLUID_LOOKUP
        if (!complete) return nullptr;
        // The library would print its errors and warnings on stderr; the program says one line
        // of its own instead (problem()).
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            l.fluid_set_log_function(level, nullptr, nullptr);
        // ALSA comes with FluidSynth; its lines would follow a failed audio driver.
        using SetHandler = int (*)(AlsaErrorHandler);
        if (const auto set =
                reinterpret_cast<SetHandler>(dlsym(handle, "snd_lib_error_set_handler")))
            set(ignoreAlsa);
        return &l;
    }();
    return library;
}

quint32 bigEndian(const QByteArray& data, qsizetype at, int bytes) {
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | static_cast<quint8>(data[at + i]);
    return value;
}

// A file the player fails to read would simply end at once, and the library's own test
// (fluid_is_midifile) looks at the first four bytes only. This checks what the player needs from
// the header (ticks per quarter note, not SMPTE time) and that every track it announces is there,
// whole.
bool wellFormedMidi(const QByteArray& data) {
    if (data.size() < 14 || !data.startsWith("MThd") || bigEndian(data, 4, 4) != 6) return false;
    const quint32 format = bigEndian(data, 8, 2);
    const quint32 tracks = bigEndian(data, 10, 2);
    const quint32 division = bigEndian(data, 12, 2);
    if (format > 2 || tracks == 0 || division == 0 || (division & 0x8000) != 0) return false;
    qsizetype at = 14;
    for (quint32 found = 0; found < tracks;) {
        if (data.size() - at < 8) return false;
        const quint32 length = bigEndian(data, at + 4, 4);
        if (length > static_cast<quint64>(data.size() - at - 8)) return false;
        if (std::memcmp(data.constData() + at, "MTrk", 4) == 0) ++found;
        at += 8 + static_cast<qsizetype>(length);
    }
    return true;
}

}  // namespace

struct FluidSynthPlayer::Command {
    enum class Kind { Open, Play, Pause, Close };
    Kind kind = Kind::Close;
    QString path;     // Open
    QByteArray data;  // Open: the whole file, already checked
    QString refusal;  // Open: why the file was refused (then no data)
};

// The library's objects and the piece's state belong to the player's thread while it applies a
// command, and to the owner's thread once everything asked has been applied (settled()); the
// queue between the two is guarded by the mutex.
struct FluidSynthPlayer::Engine {
    enum class State { Closed, Ready, Playing, Paused, Ended };

    // Fixed before the thread starts.
    Output output = Output::Audio;
    QString fontPath;

    const Library* fl = nullptr;  // once set up
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;        // while a file is open
    fluid_audio_driver_t* driver = nullptr;  // while a file is open, Audio output only
    bool fontLoaded = false;
    State recorded = State::Closed;
    QString fileProblem;  // why the last open failed
    QByteArray piece;     // the open file's bytes, to take it up again after a rest

    // Paused, the player rests: the synth, the sound font and the audio device are let go (the
    // data-entry window needs the memory more than a paused splash tune) and made again, at the
    // same position, when it plays on.
    bool resting = false;
    bool released = false;  // the synth was let go on purpose, not refused by the library
    int restTick = 0;       // where it paused
    QString restProblem;    // what problem() said when it paused
    int resumeTick = 0;     // the position reported until the library has caught up with it

    std::mutex mutex;
    std::condition_variable wake;  // commands to apply, or the player going
    std::condition_variable idle;  // every command applied
    std::deque<Command> pending;
    bool busy = true;  // setting up, or applying a command
    bool stopping = false;
    bool mayStart = true;  // the set-up may begin
    bool opened = false;   // an open has been applied: what problem() says is known
    std::function<void(const QString&)> report;
    QObject reportContext;  // lives on the owner's thread; pending reports die with it
    std::thread thread;

    void run();
    void setUp();
    void makeSynth();
    bool startPiece();  // a player and, on the desktop, an audio device for `piece`
    void rest();
    void takeUp();  // after a rest
    void apply(const Command& c);
    void open(const Command& c);
    void play();
    void pause();
    void close();
    void dropPlayer();    // the player and its audio device, when there are
    State state() const;  // the recorded state, or Ended once the library finished the piece
    QString problem() const;
    void reportIfKnown();  // with the mutex held, the engine the caller's

    ~Engine() {
        const std::lock_guard library(libraryLock());
        close();
        if (synth != nullptr) fl->delete_fluid_synth(synth);
        if (settings != nullptr) fl->delete_fluid_settings(settings);
    }
};

void FluidSynthPlayer::Engine::run() {
    {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return mayStart || stopping; });
        if (stopping) return;
    }
    {
        const std::lock_guard library(libraryLock());
        setUp();
    }
    std::unique_lock lock(mutex);
    for (;;) {
        if (pending.empty()) {
            reportIfKnown();
            busy = false;
            idle.notify_all();
            wake.wait(lock, [this] { return stopping || !pending.empty(); });
            busy = true;
        }
        if (stopping) return;
        const Command c = std::move(pending.front());
        pending.pop_front();
        lock.unlock();
        {
            const std::lock_guard library(libraryLock());
            apply(c);
        }
        lock.lock();
    }
}

void FluidSynthPlayer::Engine::setUp() {
    fl = loadLibrary();
    if (fl == nullptr) return;
    makeSynth();
}

// The settings, the synth and the sound font (none of them there yet).
void FluidSynthPlayer::Engine::makeSynth() {
    released = false;
    settings = fl->new_fluid_settings();
    if (settings == nullptr) return;
    // In memory the position follows the rendered samples; on the desktop the library's own
    // timer moves it, so it advances even when no audio device takes the samples.
    if (output == Output::Memory)
        fl->fluid_settings_setstr(settings, "player.timing-source", "sample");
    fl->fluid_settings_setnum(settings, "synth.gain", kGain);
    fl->fluid_settings_setint(settings, "synth.polyphony", kPolyphony);
    // Only the instruments the piece selects are read into memory, not the font's 6 MB of
    // samples.
    fl->fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    synth = fl->new_fluid_synth(settings);
    // Loaded once, now, and kept for every file opened later (until a rest).
    fontLoaded =
        synth != nullptr && !fontPath.isEmpty() &&
        fl->fluid_synth_sfload(synth, QFile::encodeName(fontPath).constData(), 1) != FLUID_FAILED;
    // Reading the font leaves megabytes freed in this thread's heap; they go back now rather
    // than stay resident for the life of the program.
    malloc_trim(0);
}

void FluidSynthPlayer::Engine::apply(const Command& c) {
    switch (c.kind) {
        case Command::Kind::Open:
            open(c);
            break;
        case Command::Kind::Play:
            play();
            break;
        case Command::Kind::Pause:
            pause();
            break;
        case Command::Kind::Close:
            close();
            break;
    }
}

void FluidSynthPlayer::Engine::open(const Command& c) {
    close();
    opened = true;
    if (!c.refusal.isEmpty()) {
        fileProblem = c.refusal;
        return;
    }
    // After a rest the synth is made again for the new piece.
    if (released) makeSynth();
    if (synth == nullptr) {
        fileProblem = QStringLiteral("Musica: FluidSynth non si avvia.");
        return;
    }
    piece = c.data;
    if (!startPiece()) {
        close();
        fileProblem = QStringLiteral("Musica: FluidSynth non accetta %1.").arg(c.path);
        return;
    }
    recorded = State::Ready;
}

bool FluidSynthPlayer::Engine::startPiece() {
    player = fl->new_fluid_player(synth);
    if (player == nullptr ||
        fl->fluid_player_add_mem(player, piece.constData(), static_cast<size_t>(piece.size())) !=
            FLUID_OK) {
        return false;
    }
    if (output == Output::Audio) {
        for (const char* name : {"pulseaudio", "alsa"}) {
            if (fl->fluid_settings_setstr(settings, "audio.driver", name) != FLUID_OK) continue;
            driver = fl->new_fluid_audio_driver(settings, synth);
            if (driver != nullptr) break;
        }
    }
    return true;
}

FluidSynthPlayer::Engine::State FluidSynthPlayer::Engine::state() const {
    if (recorded == State::Playing && fl->fluid_player_get_status(player) == FLUID_PLAYER_DONE)
        return State::Ended;
    return recorded;
}

void FluidSynthPlayer::Engine::play() {
    recorded = state();
    if (recorded != State::Ready && recorded != State::Paused) return;
    if (resting) takeUp();
    if (player == nullptr) return;  // the library refused the piece again: nothing to play
    fl->fluid_player_play(player);
    recorded = State::Playing;
}

void FluidSynthPlayer::Engine::pause() {
    recorded = state();
    if (recorded != State::Playing) return;
    fl->fluid_player_stop(player);  // keeps the position and releases the sounding notes
    // Past the last event only the final chord was still ringing. The library cannot resume
    // from there (it would take the time as lost and restart its clock), so the piece is over.
    const int total = fl->fluid_player_get_total_ticks(player);
    const bool over = total > 0 && fl->fluid_player_get_current_tick(player) >= total;
    recorded = over ? State::Ended : State::Paused;
    if (recorded == State::Paused) rest();
}

void FluidSynthPlayer::Engine::rest() {
    restTick = std::max(fl->fluid_player_get_current_tick(player), resumeTick);
    restProblem = problem();
    dropPlayer();
    fl->delete_fluid_synth(synth);
    synth = nullptr;
    fl->delete_fluid_settings(settings);
    settings = nullptr;
    fontLoaded = false;
    resting = true;
    released = true;
    malloc_trim(0);
}

void FluidSynthPlayer::Engine::takeUp() {
    resting = false;
    makeSynth();
    if (synth == nullptr || !startPiece()) {
        dropPlayer();
        fileProblem = QStringLiteral("Musica: FluidSynth non si avvia.");
        recorded = State::Closed;
        return;
    }
    // The instruments and controllers of the part already played are set again on the way.
    fl->fluid_player_seek(player, restTick);
    resumeTick = restTick;
}

void FluidSynthPlayer::Engine::close() {
    recorded = State::Closed;
    fileProblem.clear();
    piece.clear();
    resting = false;
    resumeTick = 0;
    if (player == nullptr) return;
    dropPlayer();
    fl->fluid_synth_all_sounds_off(synth, -1);
}

void FluidSynthPlayer::Engine::dropPlayer() {
    if (player == nullptr) return;
    fl->fluid_player_stop(player);
    // The device goes first: nothing may render while the player is deleted.
    if (driver != nullptr) {
        fl->delete_fluid_audio_driver(driver);
        driver = nullptr;
    }
    fl->delete_fluid_player(player);
    player = nullptr;
}

QString FluidSynthPlayer::Engine::problem() const {
    if (resting) return restProblem;
    if (synth == nullptr && !released) return QStringLiteral("Musica: FluidSynth non si avvia.");
    if (recorded == State::Closed)
        return fileProblem.isEmpty() ? QStringLiteral("Musica: nessun brano aperto.") : fileProblem;
    if (!fontLoaded) {
        if (fontPath.isEmpty())
            return QStringLiteral("Musica: nessun sound font General MIDI installato.");
        return QStringLiteral("Musica: il sound font %1 non si carica.").arg(fontPath);
    }
    if (output == Output::Audio && driver == nullptr)
        return QStringLiteral("Musica: nessun dispositivo audio disponibile.");
    return {};
}

void FluidSynthPlayer::Engine::reportIfKnown() {
    if (!report || !opened) return;
    const QString why = problem();
    if (!why.isEmpty()) {
        QMetaObject::invokeMethod(
            &reportContext, [report = std::move(report), why] { report(why); },
            Qt::QueuedConnection);
    }
    report = nullptr;
}

FluidSynthPlayer::FluidSynthPlayer() : FluidSynthPlayer(Options{}) {}

FluidSynthPlayer::FluidSynthPlayer(const Options& options) : engine_(std::make_unique<Engine>()) {
    engine_->output = options.output;
    engine_->mayStart = !options.setUpWhenAsked;
    engine_->fontPath = options.soundFont.isEmpty() ? defaultSoundFont() : options.soundFont;
    engine_->thread = std::thread([engine = engine_.get()] { engine->run(); });
}

FluidSynthPlayer::~FluidSynthPlayer() {
    {
        const std::lock_guard lock(engine_->mutex);
        engine_->stopping = true;
        engine_->pending.clear();
    }
    engine_->wake.notify_one();
    // A set-up under way (the sound font loading) is waited for; the library is then closed
    // here, and a report not yet delivered goes with reportContext.
    engine_->thread.join();
}

void FluidSynthPlayer::submit(Command command) {
    {
        const std::lock_guard lock(engine_->mutex);
        engine_->pending.push_back(std::move(command));
    }
    engine_->wake.notify_one();
}

void FluidSynthPlayer::startSetUp() {
    {
        const std::lock_guard lock(engine_->mutex);
        engine_->mayStart = true;
    }
    engine_->wake.notify_one();
}

const FluidSynthPlayer::Engine& FluidSynthPlayer::settled() const {
    std::unique_lock lock(engine_->mutex);
    // A question needs the answer: the set-up starts now if it has not.
    if (!engine_->mayStart) {
        engine_->mayStart = true;
        engine_->wake.notify_one();
    }
    engine_->idle.wait(lock, [this] { return !engine_->busy && engine_->pending.empty(); });
    return *engine_;
}

FluidSynthPlayer::Engine& FluidSynthPlayer::settled() {
    std::as_const(*this).settled();
    return *engine_;
}

QString FluidSynthPlayer::defaultSoundFont() {
    static const char* const kCandidates[] = {
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    };
    for (const char* path : kCandidates) {
        if (QFileInfo(QString::fromLatin1(path)).isFile()) return QString::fromLatin1(path);
    }
    return {};
}

// The file is read and checked here, so that a refusal is answered at once; the library takes
// it on the player's thread.
bool FluidSynthPlayer::open(const QString& path) {
    Command c;
    c.kind = Command::Kind::Open;
    c.path = path;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        c.refusal = QStringLiteral("Musica: il file %1 non c'è.").arg(path);
    } else {
        if (info.size() <= kLargestFile) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly)) {
                c.data = file.readAll();
            } else {
                c.refusal = QStringLiteral("Musica: il file %1 non si può leggere.").arg(path);
            }
        }
        if (c.refusal.isEmpty() && !wellFormedMidi(c.data)) {
            c.refusal = QStringLiteral("Musica: %1 non è un file MIDI.").arg(path);
            c.data.clear();
        }
    }
    const bool accepted = c.refusal.isEmpty();
    submit(std::move(c));
    return accepted;
}

void FluidSynthPlayer::play() {
    submit({Command::Kind::Play, {}, {}, {}});
}

void FluidSynthPlayer::pause() {
    submit({Command::Kind::Pause, {}, {}, {}});
}

void FluidSynthPlayer::close() {
    submit({Command::Kind::Close, {}, {}, {}});
}

int FluidSynthPlayer::render(float* left, float* right, int frames) {
    if (engine_->output != Output::Memory || left == nullptr || right == nullptr || frames <= 0)
        return 0;
    Engine& e = settled();
    if (e.player == nullptr ||
        e.fl->fluid_synth_write_float(e.synth, frames, left, 0, 1, right, 0, 1) != FLUID_OK) {
        std::fill_n(left, frames, 0.0f);
        std::fill_n(right, frames, 0.0f);
    }
    return frames;
}

int FluidSynthPlayer::sampleRate() const {
    const Engine& e = settled();
    double rate = 44100;
    if (e.settings != nullptr) e.fl->fluid_settings_getnum(e.settings, "synth.sample-rate", &rate);
    return static_cast<int>(rate);
}

int FluidSynthPlayer::currentTick() const {
    const Engine& e = settled();
    if (e.resting) return e.restTick;
    if (e.player == nullptr) return 0;
    // The library's count runs on while the last notes fade out; the piece ends at its last event.
    // After a rest it starts from the beginning until the seek is done, on the first samples.
    const int tick = std::max(e.fl->fluid_player_get_current_tick(e.player), e.resumeTick);
    const int total = e.fl->fluid_player_get_total_ticks(e.player);
    return total > 0 ? std::min(tick, total) : tick;
}

bool FluidSynthPlayer::playing() const {
    return settled().state() == Engine::State::Playing;
}

bool FluidSynthPlayer::finished() const {
    return settled().state() == Engine::State::Ended;
}

QString FluidSynthPlayer::problem() const {
    return settled().problem();
}

void FluidSynthPlayer::reportProblem(std::function<void(const QString&)> report) {
    const std::lock_guard lock(engine_->mutex);
    engine_->report = std::move(report);
    // Already set up: the engine is the caller's while the thread is idle.
    if (!engine_->busy && engine_->pending.empty()) engine_->reportIfKnown();
}

}  // namespace zelmor::music
