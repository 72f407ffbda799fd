// The splash music: a player of one MIDI file driven by the four commands of a multimedia
// control, "open", "play", "pause" and "close". The desktop plays through FluidSynth
// (fluidmusic.h); tests and the scenario runner use the silent or the recording player below.
// A player that cannot sound (no file, no sound font, no audio device) still takes every
// command, so the splash works the same without music.
#pragma once

#include <QString>
#include <QStringList>

namespace zelmor::music {

class MusicPlayer {
  public:
    virtual ~MusicPlayer() = default;
    // Prepares the file, positioned at its start; an open file is closed first. False when the
    // file cannot be played (the later commands then do nothing).
    virtual bool open(const QString& path) = 0;
    // Starts, or resumes where the last pause stopped. A piece that has ended stays ended.
    virtual void play() = 0;
    virtual void pause() = 0;
    // Stops and forgets the file.
    virtual void close() = 0;
};

// Takes every command and plays nothing.
class SilentMusicPlayer final : public MusicPlayer {
  public:
    bool open(const QString&) override { return false; }
    void play() override {}
    void pause() override {}
    void close() override {}
};

// Writes each command, and each file opened, into the caller's lists.
class RecordingMusicPlayer final : public MusicPlayer {
  public:
    RecordingMusicPlayer(QStringList& commands, QStringList& files)
        : commands_(&commands), files_(&files) {}
    bool open(const QString& path) override {
        commands_->append(QStringLiteral("open"));
        files_->append(path);
        return true;
    }
    void play() override { commands_->append(QStringLiteral("play")); }
    void pause() override { commands_->append(QStringLiteral("pause")); }
    void close() override { commands_->append(QStringLiteral("close")); }

  private:
    QStringList* commands_;
    QStringList* files_;
};

}  // namespace zelmor::music
