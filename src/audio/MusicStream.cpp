#include "audio/MusicStream.h"

#include "audio/MusicRender.h"

#include <algorithm>
#include <cmath>

void MusicStream::play(const std::optional<MusicStyle>& style) {
    const bool wanted = style.has_value();
    if (current && wanted && sameTune(current->style, *style)) return;
    if (!current && !wanted) return;
    // A change in the middle of a fade keeps whichever of the two is louder
    // now as the one fading out.
    if (outgoing && fadeDone < fadeLength / 2) {
        current.reset();
    }
    if (current) outgoing = std::move(current);
    current.reset();
    if (wanted) current = Track{std::make_shared<const MusicScore>(composeMusic(*style)), *style, 0};
    fadeDone = 0;
}

void MusicStream::fill(float* out, std::size_t count) {
    std::fill(out, out + count, 0.0f);
    scratch.resize(count);
    const auto advance = [&](Track& track, std::size_t n) {
        renderMusic(*track.score, track.position, n, scratch.data());
        track.position = (track.position + static_cast<std::int64_t>(n)) % track.score->loopLength;
    };
    const std::size_t fading = outgoing ? std::min(count, fadeLength - fadeDone) : 0;
    if (outgoing) {
        advance(*outgoing, count);
        for (std::size_t i = 0; i < fading; ++i) {
            const double x = static_cast<double>(fadeDone + i) / static_cast<double>(fadeLength);
            out[i] += static_cast<float>(std::cos(1.5707963267948966 * x)) * scratch[i];
        }
    }
    if (current) {
        advance(*current, count);
        for (std::size_t i = 0; i < count; ++i) {
            const double x = i < fading ? static_cast<double>(fadeDone + i) / static_cast<double>(fadeLength) : 1.0;
            const float gain = outgoing ? static_cast<float>(std::sin(1.5707963267948966 * x)) : 1.0f;
            out[i] += gain * scratch[i];
        }
    }
    if (outgoing) {
        fadeDone += fading;
        if (fadeDone >= fadeLength) outgoing.reset();
    }
}
