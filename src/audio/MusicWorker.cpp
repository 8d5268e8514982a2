#include "audio/MusicWorker.h"

#include "audio/Mixer.h"

MusicWorker::MusicWorker(std::size_t chunkSamples, std::size_t chunksAhead)
    : chunkSamples(chunkSamples), chunksAhead(chunksAhead), thread([this] { run(); }) {}

MusicWorker::~MusicWorker() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
}

void MusicWorker::play(const std::optional<MusicStyle>& style) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        request = style;
    }
    wake.notify_all();
}

bool MusicWorker::takeChunk(std::vector<std::int16_t>& chunk) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (ready.empty()) return false;
        chunk = std::move(ready.front().samples);
        ready.pop_front();
    }
    wake.notify_all();
    return true;
}

void MusicWorker::run() {
    std::vector<float> samples(chunkSamples);
    std::unique_lock<std::mutex> lock(mutex);
    while (true) {
        wake.wait(lock, [this] { return stopping || request || ready.size() < chunksAhead; });
        if (stopping) return;
        if (request) {
            const std::optional<MusicStyle> style = *request;
            request.reset();
            // Chunks nobody took yet are dropped: the fade starts where playback is.
            if (!ready.empty()) stream = ready.front().before;
            ready.clear();
            lock.unlock();
            stream.play(style);
            lock.lock();
            continue;
        }
        MusicStream before = stream;
        lock.unlock();
        stream.fill(samples.data(), samples.size());
        std::vector<std::int16_t> pcm(samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i) pcm[i] = toPcm16(samples[i]);
        lock.lock();
        ready.push_back({std::move(before), std::move(pcm)});
    }
}
