// The music as one endless stream of samples: the chosen track from its start,
// looping, and on a change of track an equal-power crossfade from the old one
// (or to silence). Pure CPU work and a plain value: copying it saves its place.
#pragma once

#include "audio/AudioFormat.h"
#include "audio/MusicScore.h"
#include "audio/MusicStyle.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class MusicStream {
public:
    explicit MusicStream(std::size_t fadeSamples = samplesFor(0.6f)) : fadeLength(fadeSamples > 0 ? fadeSamples : 1) {}

    // Starts `style` from its beginning, fading out what plays now; no style
    // fades to silence. Asking for the tune already playing changes nothing.
    // Composes the new score, so it belongs on the worker thread.
    void play(const std::optional<MusicStyle>& style);

    // The next `count` samples.
    void fill(float* out, std::size_t count);

private:
    struct Track {
        std::shared_ptr<const MusicScore> score;  // shared by copies of the stream
        MusicStyle style;
        std::int64_t position = 0;
    };
    std::optional<Track> current;
    std::optional<Track> outgoing;
    std::size_t fadeLength;
    std::size_t fadeDone = 0;
    std::vector<float> scratch;
};
