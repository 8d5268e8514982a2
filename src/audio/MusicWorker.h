// A thread that keeps a few chunks of music rendered ahead of playback, so the
// frame only ever takes finished 16-bit chunks and never waits for synthesis.
// The thread starts with the object and is stopped and joined by its
// destructor. A change of track drops the chunks not yet taken and fades from
// the point the listener has reached.
#pragma once

#include "audio/MusicStream.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class MusicWorker {
public:
    explicit MusicWorker(std::size_t chunkSamples = 4096, std::size_t chunksAhead = 4);
    ~MusicWorker();
    MusicWorker(const MusicWorker&) = delete;
    MusicWorker& operator=(const MusicWorker&) = delete;

    // Asks for a track (none: silence); returns at once.
    void play(const std::optional<MusicStyle>& style);

    // Moves the next chunk into `chunk` if one is ready; false otherwise.
    bool takeChunk(std::vector<std::int16_t>& chunk);

private:
    struct Chunk {
        MusicStream before;  // the stream as it was before rendering this chunk
        std::vector<std::int16_t> samples;
    };
    void run();

    const std::size_t chunkSamples;
    const std::size_t chunksAhead;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Chunk> ready;
    std::optional<std::optional<MusicStyle>> request;
    bool stopping = false;
    MusicStream stream;  // touched by the worker thread only
    std::thread thread;  // last: starts once everything above is built
};
