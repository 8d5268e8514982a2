#include "audio/AudioDevice.h"

#include "audio/AudioFormat.h"
#include "audio/EffectControls.h"
#include "audio/MusicWorker.h"
#include "audio/OpenAlApi.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kPoolSize = 24;       // one-shot sounds at once
constexpr std::size_t kMusicBuffers = 6;    // the queue: 6 x 4096 samples, about 0.56 s
// World units heard at full gain: the camera's usual distance, so what
// happens at the ball is never quieter than the music.
constexpr float kReferenceDistance = 12.0f;
constexpr float kMaxDistance = 60.0f;

}  // namespace

struct AudioDevice::State {
    OpenAlLibrary library;
    OpenAlApi al;
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool canDisconnect = false;
    bool silent = true;
    std::string report;
    AudioVolumes volumes;
    std::array<ALuint, kSoundEffectCount> buffers{};
    bool haveBuffers = false;
    std::vector<ALuint> pool = std::vector<ALuint>(kPoolSize);
    std::vector<std::uint64_t> startedAt = std::vector<std::uint64_t>(kPoolSize);
    std::uint64_t plays = 0;
    std::array<ALuint, 2> loops{};
    std::array<bool, 2> loopPlaying{};
    ALuint music = 0;
    std::vector<ALuint> musicBuffers = std::vector<ALuint>(kMusicBuffers);
    std::vector<ALuint> freeMusicBuffers;
    std::vector<ALuint> pausedSources;
    bool pausedAll = false;
    std::vector<std::int16_t> chunk;

    void open(const std::string& name);
    void fail(const std::string& why);
    void release();
    ALint sourceState(ALuint source) const {
        ALint value = AL_STOPPED;
        al.alGetSourcei(source, AL_SOURCE_STATE, &value);
        return value;
    }
    std::vector<ALuint> allSources() const {
        std::vector<ALuint> sources = pool;
        sources.insert(sources.end(), loops.begin(), loops.end());
        sources.push_back(music);
        return sources;
    }
    void place(ALuint source, bool positional, const Vec3& position) {
        al.alSourcei(source, AL_SOURCE_RELATIVE, positional ? AL_FALSE : AL_TRUE);
        const Vec3 at = positional ? position : Vec3(0.0f);
        al.alSource3f(source, AL_POSITION, at.x, at.y, at.z);
    }
    ALuint freeSource();
    void play(const PlayEffect& command);
    void setLoop(const SetLoop& command);
};

void AudioDevice::State::open(const std::string& name) {
    std::string why;
    if (!library.load(name, al, why)) {
        report = "[Audio] No sound: " + why + " - playing silently";
        return;
    }
    device = al.alcOpenDevice(nullptr);
    if (!device) {
        report = "[Audio] No sound device: OpenAL could not open an output - playing silently";
        return;
    }
    context = al.alcCreateContext(device, nullptr);
    if (!context || !al.alcMakeContextCurrent(context)) {
        fail("Cannot start OpenAL on its output");
        return;
    }
    al.alGetError();
    canDisconnect = al.alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_TRUE;
    al.alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    al.alGenSources(static_cast<ALsizei>(pool.size()), pool.data());
    al.alGenSources(static_cast<ALsizei>(loops.size()), loops.data());
    al.alGenSources(1, &music);
    al.alGenBuffers(static_cast<ALsizei>(musicBuffers.size()), musicBuffers.data());
    if (const ALenum error = al.alGetError(); error != AL_NO_ERROR) {
        fail("Cannot create sound sources (OpenAL error " + std::to_string(error) + ")");
        return;
    }
    for (ALuint source : allSources()) {
        al.alSourcef(source, AL_REFERENCE_DISTANCE, kReferenceDistance);
        al.alSourcef(source, AL_MAX_DISTANCE, kMaxDistance);
    }
    for (ALuint loop : loops) al.alSourcei(loop, AL_LOOPING, AL_TRUE);
    place(music, false, Vec3(0.0f));
    freeMusicBuffers = musicBuffers;
    silent = false;
    const ALCchar* deviceName = al.alcGetString(device, ALC_DEVICE_SPECIFIER);
    report = std::string("[Audio] Playing through ") + (deviceName ? deviceName : "OpenAL");
}

void AudioDevice::State::fail(const std::string& why) {
    report = "[Audio] " + why + " - playing silently";
    release();
}

void AudioDevice::State::release() {
    if (context) {
        if (music) {
            for (ALuint source : allSources()) {
                if (source == 0) continue;
                al.alSourceStop(source);
                al.alSourcei(source, AL_BUFFER, 0);  // also empties the music queue
            }
            al.alDeleteSources(static_cast<ALsizei>(pool.size()), pool.data());
            al.alDeleteSources(static_cast<ALsizei>(loops.size()), loops.data());
            al.alDeleteSources(1, &music);
            al.alDeleteBuffers(static_cast<ALsizei>(musicBuffers.size()), musicBuffers.data());
            if (haveBuffers) al.alDeleteBuffers(static_cast<ALsizei>(buffers.size()), buffers.data());
        }
        al.alcMakeContextCurrent(nullptr);
        al.alcDestroyContext(context);
        context = nullptr;
    }
    if (device) al.alcCloseDevice(device);
    device = nullptr;
    silent = true;
}

ALuint AudioDevice::State::freeSource() {
    std::size_t chosen = pool.size();
    for (std::size_t i = 0; i < pool.size(); ++i) {
        const ALint now = sourceState(pool[i]);
        if (now != AL_PLAYING && now != AL_PAUSED) {
            chosen = i;
            break;
        }
    }
    if (chosen == pool.size()) {
        // All busy: the sound started longest ago gives way.
        chosen = static_cast<std::size_t>(std::min_element(startedAt.begin(), startedAt.end()) - startedAt.begin());
        al.alSourceStop(pool[chosen]);
    }
    startedAt[chosen] = ++plays;
    return pool[chosen];
}

void AudioDevice::State::play(const PlayEffect& command) {
    if (!haveBuffers) return;
    const ALuint source = freeSource();
    al.alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[static_cast<std::size_t>(command.effect)]));
    al.alSourcef(source, AL_GAIN, command.gain * volumeGain(volumes.effects));
    al.alSourcef(source, AL_PITCH, std::clamp(command.pitch, 0.5f, 2.0f));
    place(source, command.positional, command.position);
    al.alSourcePlay(source);
}

void AudioDevice::State::setLoop(const SetLoop& command) {
    if (!haveBuffers) return;
    const auto index = static_cast<std::size_t>(command.loop);
    const ALuint source = loops[index];
    al.alSourcef(source, AL_GAIN, command.gain * volumeGain(volumes.effects));
    al.alSourcef(source, AL_PITCH, std::clamp(command.pitch, 0.5f, 2.0f));
    place(source, command.positional, command.position);
    if (!loopPlaying[index] || (!pausedAll && sourceState(source) != AL_PLAYING)) {
        al.alSourcei(source, AL_BUFFER,
                     static_cast<ALint>(buffers[static_cast<std::size_t>(loopEffect(command.loop))]));
        al.alSourcePlay(source);
        loopPlaying[index] = true;
    }
}

AudioDevice::AudioDevice(const std::string& library) : state(std::make_unique<State>()) {
    state->open(library);
}

AudioDevice::~AudioDevice() {
    state->release();
}

bool AudioDevice::silent() const {
    return state->silent;
}

std::string AudioDevice::takeReport() {
    return std::move(state->report);
}

void AudioDevice::upload(const EffectBank& bank) {
    State& s = *state;
    if (s.silent) return;
    s.al.alGenBuffers(static_cast<ALsizei>(s.buffers.size()), s.buffers.data());
    for (std::size_t i = 0; i < s.buffers.size(); ++i) {
        const std::vector<std::int16_t>& samples = bank.samples[i];
        s.al.alBufferData(s.buffers[i], AL_FORMAT_MONO16, samples.data(), static_cast<ALsizei>(samples.size() * 2),
                          kSampleRate);
    }
    if (const ALenum error = s.al.alGetError(); error != AL_NO_ERROR) {
        s.fail("Cannot upload the sound effects (OpenAL error " + std::to_string(error) + ")");
        return;
    }
    s.haveBuffers = true;
}

void AudioDevice::setVolumes(const AudioVolumes& volumes) {
    State& s = *state;
    s.volumes = volumes;
    if (s.silent) return;
    s.al.alListenerf(AL_GAIN, volumeGain(volumes.master));
    s.al.alSourcef(s.music, AL_GAIN, volumeGain(volumes.music));
}

void AudioDevice::execute(const AudioCommand& command) {
    State& s = *state;
    if (s.silent) return;
    if (const auto* play = std::get_if<PlayEffect>(&command)) {
        s.play(*play);
    } else if (const auto* loop = std::get_if<SetLoop>(&command)) {
        s.setLoop(*loop);
    } else if (const auto* stop = std::get_if<StopLoop>(&command)) {
        const auto index = static_cast<std::size_t>(stop->loop);
        s.al.alSourceStop(s.loops[index]);
        s.loopPlaying[index] = false;
    } else if (const auto* listener = std::get_if<SetListener>(&command)) {
        s.al.alListener3f(AL_POSITION, listener->position.x, listener->position.y, listener->position.z);
        const float orientation[6] = {listener->forward.x, listener->forward.y, listener->forward.z,
                                      listener->up.x,      listener->up.y,      listener->up.z};
        s.al.alListenerfv(AL_ORIENTATION, orientation);
    } else if (std::holds_alternative<PauseAll>(command)) {
        if (s.pausedAll) return;
        for (ALuint source : s.allSources()) {
            if (s.sourceState(source) != AL_PLAYING) continue;
            s.al.alSourcePause(source);
            s.pausedSources.push_back(source);
        }
        s.pausedAll = true;
    } else if (std::holds_alternative<ResumeAll>(command)) {
        for (ALuint source : s.pausedSources) {
            if (s.sourceState(source) == AL_PAUSED) s.al.alSourcePlay(source);
        }
        s.pausedSources.clear();
        s.pausedAll = false;
    }
}

void AudioDevice::streamMusic(MusicWorker& worker) {
    State& s = *state;
    if (s.silent || s.pausedAll) return;
    ALint processed = 0;
    s.al.alGetSourcei(s.music, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0; --processed) {
        ALuint buffer = 0;
        s.al.alSourceUnqueueBuffers(s.music, 1, &buffer);
        s.freeMusicBuffers.push_back(buffer);
    }
    while (!s.freeMusicBuffers.empty() && worker.takeChunk(s.chunk)) {
        const ALuint buffer = s.freeMusicBuffers.back();
        s.freeMusicBuffers.pop_back();
        s.al.alBufferData(buffer, AL_FORMAT_MONO16, s.chunk.data(), static_cast<ALsizei>(s.chunk.size() * 2),
                          kSampleRate);
        s.al.alSourceQueueBuffers(s.music, 1, &buffer);
    }
    // Starts the queue, or restarts it after it ran dry.
    ALint queued = 0;
    s.al.alGetSourcei(s.music, AL_BUFFERS_QUEUED, &queued);
    if (queued > 0 && s.sourceState(s.music) != AL_PLAYING) s.al.alSourcePlay(s.music);
}

void AudioDevice::checkConnection() {
    State& s = *state;
    if (s.silent || !s.canDisconnect) return;
    ALCint connected = ALC_TRUE;
    s.al.alcGetIntegerv(s.device, ALC_CONNECTED, 1, &connected);
    if (connected == ALC_FALSE) {
        // Only marked silent here: closing the device joins OpenAL's mixer
        // thread, which is the destructor's job, not a frame's.
        s.report = "[Audio] Sound device disconnected - playing silently";
        s.silent = true;
    }
}
