#include "audio/MusicRender.h"

#include "audio/MusicInstruments.h"
#include "audio/Mixer.h"

#include <algorithm>

namespace {

// Adds every note sounding in [from, from + count) of one pass, `shift`
// samples later than written (a negative shift brings the previous pass's
// tails into this one).
void addNotes(const MusicScore& score, std::int64_t from, std::size_t count, std::int64_t shift, float* out) {
    const std::int64_t to = from + static_cast<std::int64_t>(count);
    const auto byStart = [](const NoteEvent& note, std::int64_t start) { return note.start < start; };
    auto it = std::lower_bound(score.notes.begin(), score.notes.end(), from - shift - score.longestNote, byStart);
    for (; it != score.notes.end() && it->start + shift < to; ++it) {
        const std::int64_t start = it->start + shift;
        if (start + noteLength(*it) <= from) continue;
        renderNote(*it, from - start, count, out);
    }
}

constexpr float kMasterGain = 0.9f;

}  // namespace

void renderMusic(const MusicScore& score, std::int64_t first, std::size_t count, float* out) {
    std::fill(out, out + count, 0.0f);
    if (score.loopLength <= 0) return;
    std::size_t done = 0;
    while (done < count) {
        std::int64_t position = (first + static_cast<std::int64_t>(done)) % score.loopLength;
        if (position < 0) position += score.loopLength;
        const auto span = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(count - done), score.loopLength - position));
        addNotes(score, position, span, 0, out + done);
        if (position < score.longestNote) addNotes(score, position, span, -score.loopLength, out + done);
        done += span;
    }
    for (std::size_t i = 0; i < count; ++i) out[i] = softLimit(kMasterGain * score.mixGain * out[i]);
}
