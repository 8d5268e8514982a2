// The game's sound, all in one owner: what the game calls at start-up, once a
// frame and at shutdown. Construction returns at once: a start-up worker
// opens OpenAL and renders and uploads the effects, and a music worker renders
// the music ahead; until the device is ready, frames are silent. Every
// failure ends in silence and one "[Audio] " line, never in a stall.
//
//   AudioEngine audio(volumes);            // start-up
//   audio.cue({SoundEffect::Coin, where}); // whenever something happens
//   audio.frame(state, dt);                // once a frame, after the cues
//   audio.setVolumes(volumes);             // when the settings change
//   (destruction stops and joins both workers and closes the device)
#pragma once

#include "audio/AudioDevice.h"
#include "audio/AudioVolumes.h"
#include "audio/SoundCue.h"
#include "audio/SoundDirector.h"

#include <future>
#include <memory>
#include <string>
#include <vector>

class MusicWorker;

class AudioEngine {
public:
    explicit AudioEngine(const AudioVolumes& volumes, const std::string& library = kOpenAlLibrary);
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    void setVolumes(const AudioVolumes& volumes);
    // Queues a cue for the next frame() call.
    void cue(const SoundCue& cue);
    // Turns this frame's cues and state into sound; never blocks.
    void frame(const SoundFrame& state, float dt);

    // The start-up worker has finished (with a device or without one).
    bool ready() const { return started; }
    bool silent() const { return !device || device->silent(); }

private:
    void adoptDevice();
    void printReport();

    AudioVolumes volumes;
    SoundDirector director;
    std::vector<SoundCue> cues;
    std::future<std::unique_ptr<AudioDevice>> startup;
    std::unique_ptr<AudioDevice> device;
    std::unique_ptr<MusicWorker> music;
    bool started = false;
};
