#include "audio/AudioEngine.h"

#include "audio/EffectBank.h"
#include "audio/MusicWorker.h"

#include <chrono>
#include <exception>
#include <iostream>

AudioEngine::AudioEngine(const AudioVolumes& volumes, const std::string& library) : volumes(volumes) {
    try {
        music = std::make_unique<MusicWorker>();
        startup = std::async(std::launch::async, [library] {
            auto opened = std::make_unique<AudioDevice>(library);
            if (!opened->silent()) opened->upload(renderEffectBank());
            return opened;
        });
    } catch (const std::exception& error) {
        music.reset();
        started = true;
        std::cerr << "[Audio] Cannot start the sound workers (" << error.what() << ") - playing silently\n";
    }
}

AudioEngine::~AudioEngine() {
    if (startup.valid()) startup.wait();  // the worker cannot be interrupted inside OpenAL
    music.reset();
}

void AudioEngine::setVolumes(const AudioVolumes& newVolumes) {
    volumes = newVolumes;
    if (device) device->setVolumes(volumes);
}

void AudioEngine::cue(const SoundCue& cue) {
    cues.push_back(cue);
}

void AudioEngine::frame(const SoundFrame& state, float dt) {
    if (!started && startup.wait_for(std::chrono::seconds(0)) == std::future_status::ready) adoptDevice();
    const std::vector<AudioCommand> commands = director.update(cues, state, dt);
    cues.clear();
    for (const AudioCommand& command : commands) {
        if (const auto* track = std::get_if<SetMusic>(&command)) {
            if (music && !(device && device->silent())) music->play(track->style);
        } else if (device) {
            device->execute(command);
        }
    }
    if (!device || device->silent()) return;
    if (music) device->streamMusic(*music);
    device->checkConnection();
    printReport();
}

void AudioEngine::adoptDevice() {
    started = true;
    try {
        device = startup.get();
    } catch (const std::exception& error) {
        std::cerr << "[Audio] Sound start-up failed (" << error.what() << ") - playing silently\n";
        return;
    }
    device->setVolumes(volumes);
    printReport();
}

void AudioEngine::printReport() {
    // A silent engine keeps its idle music worker until shutdown: joining it
    // here could wait out a chunk being rendered, in the middle of a frame.
    const std::string line = device->takeReport();
    if (line.empty()) return;
    (device->silent() ? std::cerr : std::cout) << line << "\n";
}
