// The one thin layer that talks to OpenAL: it opens the library and the
// default output, uploads the effects, plays the director's commands on a pool
// of sources, keeps the music source's queue filled and watches for the
// device going away. Any failure leaves it silent for good, with one reason
// to report; every call is then a cheap no-op. Not thread-safe: one owner.
#pragma once

#include "audio/AudioCommand.h"
#include "audio/AudioVolumes.h"
#include "audio/EffectBank.h"

#include <memory>
#include <string>

class MusicWorker;

constexpr const char* kOpenAlLibrary = "libopenal.so.1";

class AudioDevice {
public:
    explicit AudioDevice(const std::string& library = kOpenAlLibrary);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool silent() const;
    // The line to print about the device, once: why it fell silent, or where
    // it plays. Empty when there is nothing new to say.
    std::string takeReport();

    void upload(const EffectBank& bank);
    void setVolumes(const AudioVolumes& volumes);
    // Every command but SetMusic, which is the music worker's.
    void execute(const AudioCommand& command);
    // Refills the music queue with the worker's finished chunks; never waits.
    void streamMusic(MusicWorker& worker);
    // Goes silent if the device has been disconnected since the last call.
    void checkConnection();

private:
    struct State;
    std::unique_ptr<State> state;
};
