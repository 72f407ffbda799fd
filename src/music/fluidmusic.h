// The splash music through FluidSynth: a General MIDI sound font, a MIDI file player, and
// either the desktop's audio output or, for tests, samples pulled into memory. When it cannot
// sound (no sound font, no audio device) it still follows every command, and problem() says
// why nothing is heard.
//
// Loading the sound font and starting the audio device take longer than showing the splash, so
// the library is driven from a thread of the player's own: the commands return at once and are
// applied there in order, the first ones as soon as the set-up is done. The questions (playing,
// currentTick, problem...) and render() first wait until every command given has been applied.
// A player belongs to the thread that made it. Paused, it lets the synth, the sound font and the
// audio device go, and makes them again where it paused when it plays on: a paused splash tune
// should not hold memory for the whole working session.
#pragma once

#include "music.h"

#include <QString>

#include <functional>
#include <memory>

namespace zelmor::music {

class FluidSynthPlayer final : public MusicPlayer {
  public:
    enum class Output {
        Audio,   // the desktop: PulseAudio, else ALSA, else silent
        Memory,  // no device: the caller pulls the samples with render()
    };
    struct Options {
        QString soundFont;  // empty: the first General MIDI font installed (defaultSoundFont)
        Output output = Output::Audio;
        // The set-up waits for startSetUp() (or the first question): on two cores it would
        // otherwise take time from the first window being painted.
        bool setUpWhenAsked = false;
    };

    FluidSynthPlayer();
    explicit FluidSynthPlayer(const Options& options);
    ~FluidSynthPlayer() override;
    FluidSynthPlayer(const FluidSynthPlayer&) = delete;
    FluidSynthPlayer& operator=(const FluidSynthPlayer&) = delete;

    // A missing file, or one that is not a MIDI file, is refused and leaves the player closed.
    // A playable file is accepted even when no sound font or audio device is there (or when the
    // library then fails to start; problem() says so).
    bool open(const QString& path) override;
    void play() override;
    void pause() override;
    void close() override;

    // Memory output: writes the next frames of both channels and returns how many (silence
    // when nothing is open; the position moves only as samples are rendered). Audio output
    // renders nothing and returns 0.
    int render(float* left, float* right, int frames);
    int sampleRate() const;

    // The position in MIDI ticks: 0 when closed, and never past the last event of the piece.
    int currentTick() const;
    bool playing() const;
    bool finished() const;  // the open piece has played to its end
    // Why no music is heard, on one line; empty when it sounds.
    QString problem() const;
    // Lets a player made with setUpWhenAsked set up; nothing when it already does.
    void startSetUp();

    // Calls report once with problem(), as soon as the first file opened has been set up and
    // only if it is not heard. The call comes through the Qt event loop of the player's thread,
    // never after the player is gone.
    void reportProblem(std::function<void(const QString&)> report);

    // The first of the usual Debian General MIDI sound fonts that exists; empty when none.
    static QString defaultSoundFont();

  private:
    struct Command;
    struct Engine;
    void submit(Command command);
    // Waits until the player's thread has applied every command; the engine is then this
    // thread's until the next command.
    const Engine& settled() const;
    Engine& settled();

    std::unique_ptr<Engine> engine_;
};

}  // namespace zelmor::music
