#include "audio/MusicScore.h"

#include "audio/AudioFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kStepsPerBar = 16;  // sixteenth notes in 4/4
constexpr int kBarsPerSection = 8;
constexpr double kShortestPiece = 165.0;  // seconds before the piece may repeat

const int kScaleSemitones[5][7] = {
    {0, 2, 4, 5, 7, 9, 11},  // major
    {0, 2, 3, 5, 7, 8, 10},  // natural minor
    {0, 2, 3, 5, 7, 9, 10},  // dorian
    {0, 2, 4, 5, 7, 9, 10},  // mixolydian
    {0, 2, 4, 6, 7, 9, 11},  // lydian
};

// Composing's own dice: a small hash-based generator, the same on every platform.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state(seed * 2654435761u + 0x6D2B79F5u) {}
    std::uint32_t next() {
        state += 0x6D2B79F5u;
        std::uint32_t z = state;
        z = (z ^ (z >> 15)) * (z | 1u);
        z ^= z + (z ^ (z >> 7)) * (z | 61u);
        return z ^ (z >> 14);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint32_t state;
};

int floorMod(int a, int n) {
    return ((a % n) + n) % n;
}

// A note of a melody within one bar: start and length in sixteenths, pitch as a
// scale degree counted from the tonic of the melody's octave (7 = an octave up).
struct MelodyNote {
    int step;
    int length;
    int degree;
};
using Bar = std::vector<MelodyNote>;

struct Rhythm {
    std::vector<std::array<int, 2>> notes;  // {step, length}
};

// Bar rhythms by groove, from sparse to busy. Cadences hold a long last note.
const std::vector<Rhythm>& rhythmsFor(Groove groove) {
    static const std::vector<Rhythm> calm = {{{{0, 8}, {8, 8}}},
                                             {{{0, 12}, {12, 4}}},
                                             {{{0, 4}, {4, 4}, {8, 8}}},
                                             {{{0, 6}, {6, 2}, {8, 8}}},
                                             {{{0, 8}, {8, 4}, {12, 4}}}};
    static const std::vector<Rhythm> gentle = {{{{0, 4}, {4, 4}, {8, 8}}},
                                               {{{0, 6}, {6, 2}, {8, 4}, {12, 4}}},
                                               {{{0, 8}, {8, 4}, {12, 4}}},
                                               {{{0, 4}, {4, 2}, {6, 2}, {8, 8}}},
                                               {{{0, 4}, {4, 4}, {8, 4}, {12, 4}}}};
    static const std::vector<Rhythm> bouncy = {{{{0, 2}, {2, 2}, {4, 4}, {8, 2}, {10, 2}, {12, 4}}},
                                               {{{0, 4}, {4, 2}, {6, 4}, {10, 2}, {12, 4}}},
                                               {{{0, 3}, {3, 3}, {6, 2}, {8, 4}, {12, 4}}},
                                               {{{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 8}}},
                                               {{{2, 2}, {4, 4}, {8, 4}, {12, 2}, {14, 2}}}};
    static const std::vector<Rhythm> driving = {{{{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 4}}},
                                                {{{0, 3}, {3, 3}, {6, 2}, {8, 3}, {11, 3}, {14, 2}}},
                                                {{{0, 2}, {2, 1}, {3, 1}, {4, 4}, {8, 2}, {10, 2}, {12, 2}, {14, 2}}},
                                                {{{0, 4}, {4, 2}, {6, 2}, {8, 4}, {12, 4}}}};
    switch (groove) {
    case Groove::Calm: return calm;
    case Groove::Gentle: return gentle;
    case Groove::Bouncy: return bouncy;
    case Groove::Driving: return driving;
    }
    return gentle;
}

const std::vector<Rhythm>& cadenceRhythms() {
    static const std::vector<Rhythm> cadences = {
        {{{0, 4}, {4, 4}, {8, 6}}}, {{{0, 6}, {6, 2}, {8, 8}}}, {{{0, 8}, {8, 8}}}, {{{0, 4}, {4, 12}}}};
    return cadences;
}

class Composer {
public:
    explicit Composer(const MusicStyle& style)
        : style(style), samplesPerStep(kSampleRate * 60.0 / style.tempo / 4.0), voicing{} {}

    MusicScore compose();

private:
    const MusicStyle& style;
    double samplesPerStep;
    MusicScore score;
    std::vector<float> voicing;  // the pad's previous chord, for smooth voice leading

    std::int64_t sampleAt(std::int64_t step) const { return std::llround(static_cast<double>(step) * samplesPerStep); }
    float degreeMidi(int degree, int octaveBase) const {
        const int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
        return static_cast<float>(octaveBase + 12 * octave +
                                  kScaleSemitones[static_cast<int>(style.scale)][floorMod(degree, 7)]);
    }
    void add(std::int64_t step, int length, Instrument instrument, MusicRole role, float midi, float gain);
    int playableChord(int degree) const;
    std::array<int, 8> sectionChords(SectionKind kind, bool last) const;
    Bar motif(Dice& dice, const Rhythm& rhythm, int startDegree, int chord) const;
    Bar adapt(const Bar& bar, int chord) const;
    Bar cadence(Dice& dice, int chord, int target) const;
    std::vector<Bar> melody(SectionKind kind, int variant, const std::array<int, 8>& chords) const;
    void addSection(const MusicSection& section, std::int64_t firstStep, bool last);
    void addPad(std::int64_t step, int chord, SectionKind kind);
    void addBass(std::int64_t step, int chord, int nextChord, int bar);
    void addDrums(std::int64_t step, int bar, const MusicSection& section, bool opening);
    void addArpeggio(std::int64_t step, int chord);
};

bool isChordTone(int degree, int chord) {
    const int fromRoot = floorMod(degree - (chord - 1), 7);
    return fromRoot == 0 || fromRoot == 2 || fromRoot == 4;
}

int nearestChordTone(int degree, int chord) {
    for (int distance : {0, 1, -1, 2, -2, 3, -3}) {
        if (isChordTone(degree + distance, chord)) return degree + distance;
    }
    return degree;
}

// The melody stays between a fourth below and a tenth above its tonic.
constexpr int kLowestDegree = -3;
constexpr int kHighestDegree = 9;

void Composer::add(std::int64_t step, int length, Instrument instrument, MusicRole role, float midi, float gain) {
    NoteEvent note;
    note.start = sampleAt(step);
    note.held = static_cast<std::int32_t>(sampleAt(step + length) - note.start);
    note.instrument = instrument;
    note.role = role;
    note.midi = midi;
    note.gain = gain;
    score.notes.push_back(note);
}

// A chord on a diminished triad of the mode is swapped for the one a third below.
int Composer::playableChord(int degree) const {
    const int* steps = kScaleSemitones[static_cast<int>(style.scale)];
    const int root = floorMod(degree - 1, 7);
    const int fifth = floorMod(steps[(root + 4) % 7] - steps[root], 12);
    return fifth == 6 ? floorMod(degree - 3, 7) + 1 : floorMod(degree - 1, 7) + 1;
}

std::array<int, 8> Composer::sectionChords(SectionKind kind, bool last) const {
    static const int kBridge[8] = {4, 4, 5, 5, 3, 6, 4, 5};
    std::array<int, 8> chords{};
    const auto& progression = style.chords.empty() ? std::vector<int>{1} : style.chords;
    const std::size_t rotate = kind == SectionKind::Contrast ? 2 : 0;
    for (int bar = 0; bar < kBarsPerSection; ++bar) {
        const int degree = kind == SectionKind::Bridge
                               ? kBridge[bar]
                               : progression[(static_cast<std::size_t>(bar) + rotate) % progression.size()];
        chords[static_cast<std::size_t>(bar)] = playableChord(degree);
    }
    if (kind == SectionKind::Contrast || kind == SectionKind::Bridge) chords[7] = 5;  // a half cadence leads on
    if (last) {
        chords[6] = 5;  // the piece closes V - I, so the loop lands home
        chords[7] = 1;
    }
    return chords;
}

Bar Composer::motif(Dice& dice, const Rhythm& rhythm, int startDegree, int chord) const {
    static const int kMoves[] = {-2, -1, -1, -1, 1, 1, 1, 2, 0, 3, -3, 2};
    Bar bar;
    int degree = nearestChordTone(startDegree, chord);
    for (const auto& note : rhythm.notes) {
        if (!bar.empty()) degree += kMoves[dice.below(12)];
        if (degree < kLowestDegree) degree = kLowestDegree + (kLowestDegree - degree);
        if (degree > kHighestDegree) degree = kHighestDegree - (degree - kHighestDegree);
        if (note[0] % 8 == 0) degree = nearestChordTone(degree, chord);  // strong beats sit on the harmony
        bar.push_back({note[0], note[1], degree});
    }
    return bar;
}

// The same figure moved to fit another chord: shifted so it starts on the
// nearest chord tone, with its strong beats re-seated on the new harmony.
Bar Composer::adapt(const Bar& bar, int chord) const {
    if (bar.empty()) return bar;
    const int shift = nearestChordTone(bar.front().degree, chord) - bar.front().degree;
    Bar moved = bar;
    for (MelodyNote& note : moved) {
        note.degree = std::clamp(note.degree + shift, kLowestDegree, kHighestDegree);
        if (note.step % 8 == 0) note.degree = nearestChordTone(note.degree, chord);
    }
    return moved;
}

// A closing bar that steps down onto `target`, a degree of the bar's chord
// (an octave lower when the steps would climb out of the melody's range).
Bar Composer::cadence(Dice& dice, int chord, int target) const {
    const Rhythm& rhythm =
        cadenceRhythms()[static_cast<std::size_t>(dice.below(static_cast<int>(cadenceRhythms().size())))];
    const int count = static_cast<int>(rhythm.notes.size());
    while (target + count - 1 > kHighestDegree) target -= 7;
    Bar bar;
    for (int i = 0; i < count; ++i) {
        int degree = target + (count - 1 - i);
        if (i == 0) degree = nearestChordTone(degree, chord);
        if (i == 0 && count > 1 && degree == target) degree = target + 2;  // never open on the note it lands on
        bar.push_back(
            {rhythm.notes[static_cast<std::size_t>(i)][0], rhythm.notes[static_cast<std::size_t>(i)][1], degree});
    }
    return bar;
}

std::vector<Bar> Composer::melody(SectionKind kind, int variant, const std::array<int, 8>& chords) const {
    std::vector<Bar> bars(kBarsPerSection);
    if (kind == SectionKind::Break) return bars;
    // One theme per kind: every occurrence opens with the same figures, so
    // the tune is recognisable; later ones vary the second half.
    Dice dice(style.seed * 31u + static_cast<std::uint32_t>(kind) * 7919u);
    const Groove density = kind == SectionKind::Bridge && style.groove != Groove::Calm
                               ? static_cast<Groove>(static_cast<int>(style.groove) - 1)
                               : style.groove;
    const auto& rhythms = rhythmsFor(density);
    const auto pick = [&](Dice& d) -> const Rhythm& {
        return rhythms[static_cast<std::size_t>(d.below(static_cast<int>(rhythms.size())))];
    };
    const int opening = kind == SectionKind::Contrast ? 6 : kind == SectionKind::Bridge ? 2 : 4;
    const Bar a = motif(dice, pick(dice), opening, chords[0]);
    const Bar b = motif(dice, pick(dice), a.back().degree, chords[1]);
    bars[0] = a;
    bars[1] = b;
    bars[2] = adapt(a, chords[2]);
    bars[3] = cadence(dice, chords[3], nearestChordTone(b.back().degree, chords[3]));
    bars[4] = adapt(a, chords[4]);
    bars[5] = adapt(b, chords[5]);
    Dice change(style.seed * 131u + static_cast<std::uint32_t>(kind) * 104729u +
                static_cast<std::uint32_t>(variant) * 15485863u);
    bars[6] = variant == 0 ? adapt(a, chords[6]) : motif(change, pick(change), bars[5].back().degree, chords[6]);
    const int home =
        chords[7] == 1 ? (bars[6].back().degree > 3 ? 7 : 0) : nearestChordTone(bars[6].back().degree, chords[7]);
    bars[7] = cadence(variant == 0 ? dice : change, chords[7], home);
    if (variant >= 2) {
        // Later passes fill the wider steps of the first half with passing notes.
        for (int i = 0; i < 4; ++i) {
            Bar filled;
            const Bar& bar = bars[static_cast<std::size_t>(i)];
            for (std::size_t n = 0; n < bar.size(); ++n) {
                MelodyNote note = bar[n];
                const bool roomy =
                    note.length >= 4 && n + 1 < bar.size() && std::abs(bar[n + 1].degree - note.degree) == 2;
                if (roomy) note.length -= 1;
                filled.push_back(note);
                if (roomy) filled.push_back({note.step + note.length, 1, (note.degree + bar[n + 1].degree) / 2});
            }
            bars[static_cast<std::size_t>(i)] = filled;
        }
    }
    return bars;
}

Instrument leadInstrument(LeadTimbre lead) {
    switch (lead) {
    case LeadTimbre::Bell: return Instrument::LeadBell;
    case LeadTimbre::Flute: return Instrument::LeadFlute;
    case LeadTimbre::Pluck: return Instrument::LeadPluck;
    case LeadTimbre::Square: return Instrument::LeadSquare;
    }
    return Instrument::LeadBell;
}

Instrument padInstrument(PadTimbre pad) {
    return pad == PadTimbre::Glass   ? Instrument::PadGlass
           : pad == PadTimbre::Organ ? Instrument::PadOrgan
                                     : Instrument::PadWarm;
}

Instrument bassInstrument(BassTimbre bass) {
    return bass == BassTimbre::Pluck ? Instrument::BassPluck
           : bass == BassTimbre::Saw ? Instrument::BassSaw
                                     : Instrument::BassRound;
}

void Composer::addPad(std::int64_t step, int chord, SectionKind kind) {
    std::vector<int> degrees = {chord - 1, chord + 1, chord + 3};
    if (style.pad == PadTimbre::Glass) degrees.push_back(chord + 7);  // the added ninth is the airy colour
    std::vector<float> notes;
    for (int degree : degrees) {
        float midi = degreeMidi(degree, style.tonic);
        while (midi > static_cast<float>(style.tonic) + 7.0f) midi -= 12.0f;  // close position around the tonic
        while (midi < static_cast<float>(style.tonic) - 5.0f) midi += 12.0f;
        notes.push_back(midi);
    }
    std::sort(notes.begin(), notes.end());
    // Of the inversions, the one whose voices move least from the last chord.
    std::vector<float> best = notes;
    float bestDistance = 1e9f;
    for (std::size_t inversion = 0; inversion < notes.size(); ++inversion) {
        std::vector<float> candidate = notes;
        for (std::size_t i = 0; i < inversion; ++i) candidate[i] += 12.0f;
        std::sort(candidate.begin(), candidate.end());
        float distance = 0.0f;
        for (std::size_t i = 0; i < candidate.size(); ++i) {
            const float previous = i < voicing.size() ? voicing[i] : static_cast<float>(style.tonic) + 2.0f;
            distance += std::fabs(candidate[i] - previous);
        }
        if (candidate.back() > static_cast<float>(style.tonic) + 16.0f) distance += 100.0f;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    voicing = best;
    const float gain = (kind == SectionKind::Break ? 0.13f : 0.1f) * 3.0f / static_cast<float>(best.size());
    for (float midi : best) add(step, kStepsPerBar, padInstrument(style.pad), MusicRole::Pad, midi, gain);
}

void Composer::addBass(std::int64_t step, int chord, int nextChord, int bar) {
    const Instrument instrument = bassInstrument(style.bass);
    float root = degreeMidi(chord - 1, style.tonic - 24);
    while (root >= static_cast<float>(style.tonic - 12)) root -= 12.0f;
    const float fifth = root + static_cast<float>(degreeMidi(chord + 3, 0) - degreeMidi(chord - 1, 0));
    // A scale step towards the next bar's root, on the last eighth of every other bar.
    const int rootDegree = chord - 1;
    int nextDegree = nextChord - 1;
    if (nextDegree - rootDegree > 3) nextDegree -= 7;
    if (rootDegree - nextDegree > 3) nextDegree += 7;
    const int approachDegree = nextDegree == rootDegree  ? rootDegree + 1
                               : nextDegree > rootDegree ? nextDegree - 1
                                                         : nextDegree + 1;
    const float approach = root + degreeMidi(approachDegree, 0) - degreeMidi(rootDegree, 0);
    const float gain = 0.3f;
    switch (style.groove) {
    case Groove::Calm: add(step, 16, instrument, MusicRole::Bass, root, gain); break;
    case Groove::Gentle:
        add(step, 8, instrument, MusicRole::Bass, root, gain);
        add(step + 8, 8, instrument, MusicRole::Bass, bar % 2 ? fifth - 12.0f : fifth, gain * 0.85f);
        break;
    case Groove::Bouncy:
        add(step, 4, instrument, MusicRole::Bass, root, gain);
        add(step + 6, 2, instrument, MusicRole::Bass, root, gain * 0.7f);
        add(step + 8, 4, instrument, MusicRole::Bass, fifth - 12.0f, gain * 0.9f);
        add(step + 12, 2, instrument, MusicRole::Bass, root + 12.0f, gain * 0.7f);
        add(step + 14, 2, instrument, MusicRole::Bass, bar % 2 ? approach : root, gain * 0.7f);
        break;
    case Groove::Driving:
        for (int eighth = 0; eighth < 8; ++eighth) {
            const float midi = eighth == 3 || eighth == 7 ? root + 12.0f : eighth == 6 && bar % 2 ? approach : root;
            add(step + 2 * eighth, 2, instrument, MusicRole::Bass, midi, eighth % 2 ? gain * 0.75f : gain);
        }
        break;
    }
}

void Composer::addDrums(std::int64_t step, int bar, const MusicSection& section, bool opening) {
    if (style.groove == Groove::Calm) return;
    const bool isBreak = section.kind == SectionKind::Break;
    if (isBreak && bar < 4) return;
    const bool fill = bar == kBarsPerSection - 1 && style.groove != Groove::Gentle;
    const bool hatsOnly = isBreak && !fill;
    if (style.groove == Groove::Gentle) {
        for (int s = 0; s < kStepsPerBar; s += 2)
            add(step + s, 1, Instrument::Shaker, MusicRole::Drums, 0.0f, s % 4 ? 0.09f : 0.06f);
        if (!opening && !isBreak) add(step, 2, Instrument::Kick, MusicRole::Drums, 0.0f, 0.3f);
        return;
    }
    const bool driving = style.groove == Groove::Driving;
    const int hatStep = driving ? 1 : 2;
    for (int s = 0; s < kStepsPerBar; s += hatStep) {
        const float accent = s % 4 == 2 ? 1.0f : s % 2 ? 0.55f : 0.7f;
        add(step + s, 1, Instrument::Hat, MusicRole::Drums, 0.0f, (driving ? 0.07f : 0.08f) * accent);
    }
    if (hatsOnly) return;
    std::vector<int> kicks = driving ? std::vector<int>{0, 4, 8, 12} : std::vector<int>{0, 8};
    if (!driving && bar % 2) kicks.push_back(10);
    for (int s : kicks) add(step + s, 2, Instrument::Kick, MusicRole::Drums, 0.0f, 0.5f);
    if (opening && bar < 4) return;  // the piece opens on kick and hats alone
    std::vector<int> snares = {4, 12};
    if (fill) snares = driving ? std::vector<int>{4, 8, 10, 12, 13, 14, 15} : std::vector<int>{4, 12, 13, 14, 15};
    for (int s : snares)
        add(step + s, 1, Instrument::Snare, MusicRole::Drums, 0.0f,
            s > 12 ? 0.2f + 0.03f * static_cast<float>(s - 12) : 0.3f);
}

void Composer::addArpeggio(std::int64_t step, int chord) {
    const int pattern[] = {0, 2, 4, 7, 9, 7, 4, 2};  // up the chord and back, in scale degrees from its root
    const int stride = 2;                            // eighth notes
    for (int i = 0; i < 8; ++i) {
        const float midi = degreeMidi(chord - 1 + pattern[i], style.tonic + 12);
        add(step + stride * i, stride, Instrument::Arpeggio, MusicRole::Arpeggio, midi, i == 0 ? 0.08f : 0.06f);
    }
}

void Composer::addSection(const MusicSection& section, std::int64_t firstStep, bool last) {
    const std::array<int, 8> chords = sectionChords(section.kind, last);
    const std::vector<Bar> bars = melody(section.kind, section.variant, chords);
    const bool opening = firstStep == 0;
    const Instrument lead = leadInstrument(style.lead);
    // An echo of the lead: a dotted eighth behind (a dotted quarter when calm).
    const int echoDelay = style.groove == Groove::Calm ? 6 : 3;
    for (int bar = 0; bar < kBarsPerSection; ++bar) {
        const std::int64_t step = firstStep + bar * kStepsPerBar;
        const int chord = chords[static_cast<std::size_t>(bar)];
        const int nextChord = bar + 1 < kBarsPerSection ? chords[static_cast<std::size_t>(bar + 1)]
                              : style.chords.empty()    ? 1
                                                        : style.chords[0];
        addPad(step, chord, section.kind);
        addBass(step, chord, nextChord, bar);
        addDrums(step, bar, section, opening);
        const bool sparkle = section.kind == SectionKind::Break ||
                             (style.groove == Groove::Calm && section.kind == SectionKind::Contrast);
        if (sparkle) addArpeggio(step, chord);
        for (const MelodyNote& note : bars[static_cast<std::size_t>(bar)]) {
            const float midi = degreeMidi(note.degree, style.tonic + 12);
            add(step + note.step, note.length, lead, MusicRole::Melody, midi, 0.25f);
            add(step + note.step + echoDelay, note.length, lead, MusicRole::Echo, midi, 0.07f);
        }
    }
}

MusicScore Composer::compose() {
    const double sectionSeconds = kBarsPerSection * kStepsPerBar * samplesPerStep / kSampleRate;
    const int needed = static_cast<int>(std::ceil(kShortestPiece / sectionSeconds));
    // A A B A C B, then A C B as often as the length asks, then a break and the last A.
    std::vector<SectionKind> form = {SectionKind::Theme, SectionKind::Theme,  SectionKind::Contrast,
                                     SectionKind::Theme, SectionKind::Bridge, SectionKind::Contrast};
    while (static_cast<int>(form.size()) + 2 < needed) {
        form.insert(form.end(), {SectionKind::Theme, SectionKind::Bridge, SectionKind::Contrast});
    }
    form.insert(form.end(), {SectionKind::Break, SectionKind::Theme});
    int seen[4] = {};
    for (std::size_t i = 0; i < form.size(); ++i) {
        const std::int64_t firstStep = static_cast<std::int64_t>(i) * kBarsPerSection * kStepsPerBar;
        MusicSection section{form[i], seen[static_cast<int>(form[i])]++, sampleAt(firstStep)};
        score.sections.push_back(section);
        addSection(section, firstStep, i + 1 == form.size());
    }
    // Measured: these bring every built-in style to about 0.16 RMS.
    const float grooveGain[] = {0.78f, 1.4f, 1.0f, 0.75f};
    score.mixGain = grooveGain[static_cast<int>(style.groove)];
    score.loopLength = sampleAt(static_cast<std::int64_t>(form.size()) * kBarsPerSection * kStepsPerBar);
    std::stable_sort(score.notes.begin(), score.notes.end(),
                     [](const NoteEvent& a, const NoteEvent& b) { return a.start < b.start; });
    for (const NoteEvent& note : score.notes) {
        const auto length = static_cast<std::int64_t>(note.held) +
                            static_cast<std::int64_t>(samplesFor(instrumentRelease(note.instrument)));
        score.longestNote = std::max(score.longestNote, length);
    }
    return std::move(score);
}

}  // namespace

MusicScore composeMusic(const MusicStyle& style) {
    return Composer(style).compose();
}

float instrumentRelease(Instrument instrument) {
    switch (instrument) {
    case Instrument::PadWarm: return 0.9f;
    case Instrument::PadGlass: return 1.6f;
    case Instrument::PadOrgan: return 0.3f;
    case Instrument::BassRound:
    case Instrument::BassPluck:
    case Instrument::BassSaw: return 0.1f;
    case Instrument::LeadBell: return 0.6f;
    case Instrument::LeadFlute: return 0.18f;
    case Instrument::LeadPluck: return 0.4f;
    case Instrument::LeadSquare: return 0.12f;
    case Instrument::Arpeggio: return 0.8f;
    case Instrument::Kick: return 0.45f;
    case Instrument::Snare: return 0.25f;
    case Instrument::Hat: return 0.08f;
    case Instrument::Shaker: return 0.12f;
    }
    return 0.5f;
}
