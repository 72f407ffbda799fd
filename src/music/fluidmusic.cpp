#include "music/fluidmusic.h"

#include <fluidsynth.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace zelmor::music {

namespace {

// A splash piece is a few kilobytes; anything this large is not one, and is not read at all.
constexpr qint64 kLargestFile = 4 * 1024 * 1024;
// FluidSynth's own default (0.2) is faint with the small General MIDI fonts.
constexpr double kGain = 0.5;

// The library would print its errors and warnings on stderr; the program says one line of its
// own instead (problem()).
void silenceLibrary() {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, nullptr, nullptr);
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

struct FluidSynthPlayer::Engine {
    Output output = Output::Audio;
    QString fontPath;
    bool fontTried = false;
    bool fontLoaded = false;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;        // while a file is open
    fluid_audio_driver_t* driver = nullptr;  // while a file is open, Audio output only

    ~Engine() {
        if (driver != nullptr) delete_fluid_audio_driver(driver);
        if (player != nullptr) delete_fluid_player(player);
        if (synth != nullptr) delete_fluid_synth(synth);
        if (settings != nullptr) delete_fluid_settings(settings);
    }
};

FluidSynthPlayer::FluidSynthPlayer() : FluidSynthPlayer(Options{}) {}

FluidSynthPlayer::FluidSynthPlayer(Options options) : engine_(std::make_unique<Engine>()) {
    silenceLibrary();
    engine_->output = options.output;
    engine_->fontPath = options.soundFont.isEmpty() ? defaultSoundFont() : options.soundFont;
    engine_->settings = new_fluid_settings();
    if (engine_->settings == nullptr) return;
    // In memory the position follows the rendered samples; on the desktop the library's own
    // timer moves it, so it advances even when no audio device takes the samples.
    if (options.output == Output::Memory)
        fluid_settings_setstr(engine_->settings, "player.timing-source", "sample");
    fluid_settings_setnum(engine_->settings, "synth.gain", kGain);
    engine_->synth = new_fluid_synth(engine_->settings);
}

FluidSynthPlayer::~FluidSynthPlayer() {
    close();
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

bool FluidSynthPlayer::open(const QString& path) {
    close();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        fileProblem_ = QStringLiteral("Musica: il file %1 non c'è.").arg(path);
        return false;
    }
    QByteArray data;
    if (info.size() <= kLargestFile) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            fileProblem_ = QStringLiteral("Musica: il file %1 non si può leggere.").arg(path);
            return false;
        }
        data = file.readAll();
    }
    if (!wellFormedMidi(data)) {
        fileProblem_ = QStringLiteral("Musica: %1 non è un file MIDI.").arg(path);
        return false;
    }
    if (engine_->synth == nullptr) {
        fileProblem_ = QStringLiteral("Musica: FluidSynth non si avvia.");
        return false;
    }
    loadSoundFont();
    engine_->player = new_fluid_player(engine_->synth);
    if (engine_->player == nullptr ||
        fluid_player_add_mem(engine_->player, data.constData(), static_cast<size_t>(data.size())) !=
            FLUID_OK) {
        close();
        fileProblem_ = QStringLiteral("Musica: FluidSynth non accetta %1.").arg(path);
        return false;
    }
    if (engine_->output == Output::Audio) {
        for (const char* driver : {"pulseaudio", "alsa"}) {
            if (fluid_settings_setstr(engine_->settings, "audio.driver", driver) != FLUID_OK)
                continue;
            engine_->driver = new_fluid_audio_driver(engine_->settings, engine_->synth);
            if (engine_->driver != nullptr) break;
        }
    }
    state_ = State::Ready;
    return true;
}

// The sound font is loaded once, at the first file, and kept for the next ones.
void FluidSynthPlayer::loadSoundFont() {
    if (engine_->fontTried) return;
    engine_->fontTried = true;
    engine_->fontLoaded =
        !engine_->fontPath.isEmpty() &&
        fluid_synth_sfload(engine_->synth, QFile::encodeName(engine_->fontPath).constData(), 1) !=
            FLUID_FAILED;
}

FluidSynthPlayer::State FluidSynthPlayer::state() const {
    if (state_ == State::Playing && fluid_player_get_status(engine_->player) == FLUID_PLAYER_DONE)
        return State::Ended;
    return state_;
}

void FluidSynthPlayer::play() {
    state_ = state();
    if (state_ != State::Ready && state_ != State::Paused) return;
    fluid_player_play(engine_->player);
    state_ = State::Playing;
}

void FluidSynthPlayer::pause() {
    state_ = state();
    if (state_ != State::Playing) return;
    fluid_player_stop(engine_->player);  // keeps the position and releases the sounding notes
    // Past the last event only the final chord was still ringing. The library cannot resume
    // from there (it would take the time as lost and restart its clock), so the piece is over.
    const int total = fluid_player_get_total_ticks(engine_->player);
    const bool over = total > 0 && fluid_player_get_current_tick(engine_->player) >= total;
    state_ = over ? State::Ended : State::Paused;
}

void FluidSynthPlayer::close() {
    state_ = State::Closed;
    fileProblem_.clear();
    if (engine_->player == nullptr) return;
    fluid_player_stop(engine_->player);
    // The device goes first: nothing may render while the player is deleted.
    if (engine_->driver != nullptr) {
        delete_fluid_audio_driver(engine_->driver);
        engine_->driver = nullptr;
    }
    delete_fluid_player(engine_->player);
    engine_->player = nullptr;
    fluid_synth_all_sounds_off(engine_->synth, -1);
}

int FluidSynthPlayer::render(float* left, float* right, int frames) {
    if (engine_->output != Output::Memory || left == nullptr || right == nullptr || frames <= 0)
        return 0;
    if (engine_->player == nullptr ||
        fluid_synth_write_float(engine_->synth, frames, left, 0, 1, right, 0, 1) != FLUID_OK) {
        std::fill_n(left, frames, 0.0f);
        std::fill_n(right, frames, 0.0f);
    }
    return frames;
}

int FluidSynthPlayer::sampleRate() const {
    double rate = 44100;
    if (engine_->settings != nullptr)
        fluid_settings_getnum(engine_->settings, "synth.sample-rate", &rate);
    return static_cast<int>(rate);
}

int FluidSynthPlayer::currentTick() const {
    if (engine_->player == nullptr) return 0;
    // The library's count runs on while the last notes fade out; the piece ends at its last event.
    const int tick = std::max(fluid_player_get_current_tick(engine_->player), 0);
    const int total = fluid_player_get_total_ticks(engine_->player);
    return total > 0 ? std::min(tick, total) : tick;
}

bool FluidSynthPlayer::playing() const {
    return state() == State::Playing;
}

bool FluidSynthPlayer::finished() const {
    return state() == State::Ended;
}

QString FluidSynthPlayer::problem() const {
    if (engine_->synth == nullptr) return QStringLiteral("Musica: FluidSynth non si avvia.");
    if (state_ == State::Closed)
        return fileProblem_.isEmpty() ? QStringLiteral("Musica: nessun brano aperto.")
                                      : fileProblem_;
    if (!engine_->fontLoaded) {
        if (engine_->fontPath.isEmpty())
            return QStringLiteral("Musica: nessun sound font General MIDI installato.");
        return QStringLiteral("Musica: il sound font %1 non si carica.").arg(engine_->fontPath);
    }
    if (engine_->output == Output::Audio && engine_->driver == nullptr)
        return QStringLiteral("Musica: nessun dispositivo audio disponibile.");
    return {};
}

}  // namespace zelmor::music
