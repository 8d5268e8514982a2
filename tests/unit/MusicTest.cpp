// The music: reading a level's `music` value, composing a piece from a style,
// rendering it as a pure function of the sample index, and streaming it.
#include "audio/AudioFormat.h"
#include "audio/Mixer.h"
#include "audio/MusicRender.h"
#include "audio/MusicScore.h"
#include "audio/MusicStream.h"
#include "audio/MusicStyle.h"
#include "audio/MusicWorker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>
#include <thread>

namespace {

MusicStyle builtin(const char* name) {
    MusicStyle style;
    EXPECT_TRUE(builtinMusicStyle(name, style)) << name;
    return style;
}

const char* const kStyles[] = {"meadow", "frost", "ember", "menu"};

std::vector<float> render(const MusicScore& score, std::int64_t first, std::size_t count) {
    std::vector<float> out(count);
    renderMusic(score, first, count, out.data());
    return out;
}

std::vector<float> melodyOf(const MusicScore& score, std::int64_t from, std::int64_t to) {
    std::vector<float> notes;
    for (const NoteEvent& note : score.notes) {
        if (note.role == MusicRole::Melody && note.start >= from && note.start < to) notes.push_back(note.midi);
    }
    return notes;
}

}  // namespace

TEST(MusicStyle, ReadsNamesAndSettingsAndFallsBackOnAnythingElse) {
    MusicStyle frost = builtin("frost");
    EXPECT_TRUE(sameTune(parseMusicStyle("  Frost ").style, frost));
    EXPECT_TRUE(parseMusicStyle("frost").warning.empty());
    const MusicStyle custom =
        parseMusicStyle("tempo 128 minor key F#3 chords i vi 3 VII lead bell groove driving seed 9").style;
    EXPECT_EQ(
        std::make_tuple(custom.tempo, custom.tonic, custom.scale, custom.chords, custom.lead, custom.groove,
                        custom.seed),
        std::make_tuple(128.0f, 54, Scale::Minor, std::vector<int>{1, 6, 3, 7}, LeadTimbre::Bell, Groove::Driving, 9u));
    const MusicStyle changed = parseMusicStyle("ember tempo 100").style;
    EXPECT_EQ(changed.tempo, 100.0f);
    EXPECT_EQ(changed.scale, Scale::Minor);  // the rest stays ember's
    const MusicStyle meadow = builtin("meadow");
    const MusicStyleParse empty = parseMusicStyle("");
    EXPECT_TRUE(sameTune(empty.style, meadow) && empty.warning.empty());
    for (const char* bad : {"jazz", "tempo 9000", "tempo", "key H2", "chords 8", "meadow lead kazoo", "seed -1"}) {
        const MusicStyleParse parsed = parseMusicStyle(bad);
        EXPECT_TRUE(sameTune(parsed.style, meadow)) << bad;
        EXPECT_FALSE(parsed.warning.empty()) << bad;
    }
}

TEST(MusicScore, PlaysMinutesBeforeRepeatingAndStaysInKey) {
    for (const char* name : kStyles) {
        SCOPED_TRACE(name);
        const MusicStyle style = builtin(name);
        const MusicScore score = composeMusic(style);
        EXPECT_GE(score.loopLength, 150LL * kSampleRate);
        EXPECT_EQ(composeMusic(style).notes.size(), score.notes.size());
        ASSERT_FALSE(score.notes.empty());
        EXPECT_LT(score.notes.back().start, score.loopLength);
        // The piece uses every degree of its seven-note scale, so one note
        // outside the key would make an eighth pitch class.
        std::set<int> pitchClasses;
        for (const NoteEvent& note : score.notes) {
            if (note.role != MusicRole::Drums)
                pitchClasses.insert((static_cast<int>(note.midi) - style.tonic + 120) % 12);
        }
        EXPECT_EQ(pitchClasses.size(), 7u);
        // The piece resolves: its last melody note is the tonic.
        const std::vector<float> melody = melodyOf(score, 0, score.loopLength);
        ASSERT_FALSE(melody.empty());
        EXPECT_EQ((static_cast<int>(melody.back()) - style.tonic) % 12, 0);
        const bool drums = std::any_of(score.notes.begin(), score.notes.end(),
                                       [](const NoteEvent& n) { return n.role == MusicRole::Drums; });
        EXPECT_EQ(drums, style.groove != Groove::Calm);
    }
}

// A theme comes back recognisably (same opening bars) yet varied (different
// closing bars); the contrasting section has a melody of its own.
TEST(MusicScore, SectionsRepeatWithVariation) {
    const MusicScore score = composeMusic(builtin("meadow"));
    std::vector<MusicSection> themes, contrasts;
    for (const MusicSection& section : score.sections) {
        if (section.kind == SectionKind::Theme) themes.push_back(section);
        if (section.kind == SectionKind::Contrast) contrasts.push_back(section);
    }
    ASSERT_GE(themes.size(), 3u);
    ASSERT_GE(contrasts.size(), 1u);
    const std::int64_t section = score.sections[1].start - score.sections[0].start;
    const auto part = [&](const MusicSection& s, int from, int to) {
        return melodyOf(score, s.start + section * from / 8, s.start + section * to / 8);
    };
    EXPECT_EQ(part(themes[0], 0, 4), part(themes[1], 0, 4));
    EXPECT_NE(part(themes[0], 6, 8), part(themes[1], 6, 8));
    EXPECT_NE(part(themes[0], 0, 4), part(contrasts[0], 0, 4));
}

TEST(MusicRender, AnyChunkingGivesTheSameSamplesAndTheLoopHasNoSeam) {
    const MusicScore score = composeMusic(builtin("ember"));
    const std::int64_t seam = score.loopLength;
    const std::vector<float> whole = render(score, seam - 3000, 6000);
    std::vector<float> chunked;
    for (std::size_t size : {1u, 37u, 1000u, 4962u}) {
        const std::vector<float> part = render(score, seam - 3000 + static_cast<std::int64_t>(chunked.size()), size);
        chunked.insert(chunked.end(), part.begin(), part.end());
    }
    EXPECT_EQ(chunked, whole);
    EXPECT_EQ(render(score, 0, 3000), std::vector<float>(whole.begin() + 3000, whole.end()));
    float largestStep = 0.0f;
    for (std::size_t i = 1; i < whole.size(); ++i)
        largestStep = std::max(largestStep, std::fabs(whole[i] - whole[i - 1]));
    EXPECT_LT(std::fabs(whole[3000] - whole[2999]), 0.5f * largestStep);
    for (float s : render(score, 0, kSampleRate * 4)) ASSERT_TRUE(std::fabs(s) <= 1.0f);
}

TEST(MusicStream, CrossfadesToANewTrackAndThenPlaysItFromItsStart) {
    const MusicStyle meadow = builtin("meadow"), ember = builtin("ember");
    const std::size_t fade = 2000;
    MusicStream stream(fade);
    std::vector<float> out(3000);
    stream.play(meadow);
    stream.fill(out.data(), out.size());
    EXPECT_EQ(out, render(composeMusic(meadow), 0, 3000));
    stream.play(meadow);  // the same tune goes on undisturbed
    stream.play(ember);
    std::vector<float> faded(3000);
    stream.fill(faded.data(), faded.size());
    const std::vector<float> oldTrack = render(composeMusic(meadow), 3000, 3000);
    const std::vector<float> newTrack = render(composeMusic(ember), 0, 3000);
    EXPECT_EQ(faded[0], oldTrack[0]);
    EXPECT_NEAR(faded[1000], std::sqrt(0.5f) * (oldTrack[1000] + newTrack[1000]), 1e-5f);
    EXPECT_EQ(std::vector<float>(faded.begin() + fade, faded.end()),
              std::vector<float>(newTrack.begin() + fade, newTrack.end()));
    stream.play(std::nullopt);
    stream.fill(out.data(), out.size());
    EXPECT_EQ(out[2500], 0.0f);
}

TEST(MusicWorker, HandsOverTheRenderedTrackInChunks) {
    const MusicStyle frost = builtin("frost");
    MusicWorker worker(1024, 3);
    worker.play(frost);
    std::vector<std::int16_t> taken, chunk;
    // Waits for the worker (a guard against a hang, not a speed check).
    // Chunks of silence rendered before the request reached the worker come first.
    for (int tries = 0; taken.size() < 4096 && tries < 2000; ++tries) {
        if (!worker.takeChunk(chunk)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        EXPECT_EQ(chunk.size(), 1024u);
        const bool silent = std::all_of(chunk.begin(), chunk.end(), [](std::int16_t s) { return s == 0; });
        if (!taken.empty() || !silent) taken.insert(taken.end(), chunk.begin(), chunk.end());
    }
    const std::vector<float> expected = render(composeMusic(frost), 0, 4096);
    ASSERT_EQ(taken.size(), 4096u);
    EXPECT_EQ(taken, toPcm16(expected));
}
