#include "audio/MusicStyle.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool readWhole(const std::string& word, long low, long high, long& value) {
    if (word.empty() || word.size() > 9 ||
        !std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); })) {
        return false;
    }
    value = std::stol(word);
    return value >= low && value <= high;
}

template <typename Enum, std::size_t N>
bool readName(const std::string& word, const char* const (&names)[N], Enum& value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (word == names[i]) {
            value = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}

const char* const kScales[] = {"major", "minor", "dorian", "mixolydian", "lydian"};
const char* const kLeads[] = {"bell", "flute", "pluck", "square"};
const char* const kPads[] = {"warm", "glass", "organ"};
const char* const kBasses[] = {"round", "pluck", "saw"};
const char* const kGrooves[] = {"calm", "gentle", "bouncy", "driving"};
const char* const kRomans[] = {"i", "ii", "iii", "iv", "v", "vi", "vii"};

// "F#3" -> MIDI 54; the octave defaults to 4.
bool readNote(const std::string& word, int& midi) {
    static const int kNaturals[] = {9, 11, 0, 2, 4, 5, 7};  // a..g
    if (word.empty() || word[0] < 'a' || word[0] > 'g') return false;
    int pitch = kNaturals[word[0] - 'a'];
    std::size_t at = 1;
    if (at < word.size() && (word[at] == '#' || word[at] == 'b')) pitch += word[at++] == '#' ? 1 : -1;
    long octave = 4;
    if (at < word.size() && !readWhole(word.substr(at), 2, 5, octave)) return false;
    midi = 12 * (static_cast<int>(octave) + 1) + pitch;
    return true;
}

bool readDegree(const std::string& word, int& degree) {
    long number = 0;
    if (readWhole(word, 1, 7, number)) {
        degree = static_cast<int>(number);
        return true;
    }
    int index = 0;
    if (!readName(word, kRomans, index)) return false;
    degree = index + 1;
    return true;
}

// Applies one setting starting at words[at]; advances `at` past it. False
// (with `bad` naming the word) when it is not a setting this grammar knows.
bool applySetting(const std::vector<std::string>& words, std::size_t& at, MusicStyle& style, std::string& bad) {
    const std::string& key = words[at];
    const std::string value = at + 1 < words.size() ? words[at + 1] : "";
    bad = key;
    if (readName(key, kScales, style.scale)) {
        ++at;
        return true;
    }
    if (key == "chords") {
        std::vector<int> chords;
        int degree = 0;
        for (++at; at < words.size() && readDegree(words[at], degree); ++at) chords.push_back(degree);
        if (chords.empty()) return false;
        style.chords = chords;
        return true;
    }
    at += 2;
    bad = key + " " + value;
    long number = 0;
    if (key == "tempo" && readWhole(value, 40, 220, number)) {
        style.tempo = static_cast<float>(number);
    } else if (key == "seed" && readWhole(value, 0, 999999999, number)) {
        style.seed = static_cast<std::uint32_t>(number);
    } else if (key == "key") {
        return readNote(value, style.tonic);
    } else if (key == "scale") {
        return readName(value, kScales, style.scale);
    } else if (key == "lead") {
        return readName(value, kLeads, style.lead);
    } else if (key == "pad") {
        return readName(value, kPads, style.pad);
    } else if (key == "bass") {
        return readName(value, kBasses, style.bass);
    } else if (key == "groove") {
        return readName(value, kGrooves, style.groove);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool sameTune(const MusicStyle& a, const MusicStyle& b) {
    return a.tempo == b.tempo && a.tonic == b.tonic && a.scale == b.scale && a.chords == b.chords && a.lead == b.lead &&
           a.pad == b.pad && a.bass == b.bass && a.groove == b.groove && a.seed == b.seed;
}

bool builtinMusicStyle(const std::string& name, MusicStyle& style) {
    // Meadow: a bright, bouncy D major with a marimba-like lead.
    if (name == "meadow") {
        style = MusicStyle{};
        return true;
    }
    // Frost: slow and airy, E lydian, flute over a glassy pad, no drums.
    if (name == "frost") {
        style = {"frost",           76.0f,        64, Scale::Lydian, {1, 2, 6, 3}, LeadTimbre::Flute, PadTimbre::Glass,
                 BassTimbre::Round, Groove::Calm, 11};
        return true;
    }
    // Ember: A minor at a run, a square lead over a saw bass and four-on-the-floor.
    if (name == "ember") {
        style = {"ember",         138.0f,          57, Scale::Minor, {1, 6, 3, 7}, LeadTimbre::Square, PadTimbre::Organ,
                 BassTimbre::Saw, Groove::Driving, 5};
        return true;
    }
    // Menu: an unhurried C major with bells and a shaker.
    if (name == "menu") {
        style = {
            "menu",         92.0f, 60, Scale::Major, {1, 6, 4, 5}, LeadTimbre::Bell, PadTimbre::Warm, BassTimbre::Pluck,
            Groove::Gentle, 7};
        return true;
    }
    return false;
}

MusicStyleParse parseMusicStyle(const std::string& text) {
    MusicStyleParse result;
    std::vector<std::string> words;
    std::istringstream in(lower(text));
    for (std::string word; in >> word;) words.push_back(word);
    if (words.empty()) return result;
    MusicStyle style;
    std::size_t at = 0;
    if (builtinMusicStyle(words[0], style)) {
        ++at;
    } else {
        style.name = "custom";
    }
    std::string bad;
    while (at < words.size()) {
        if (!applySetting(words, at, style, bad)) {
            result.warning = "music '" + text + "': cannot read '" + bad + "', playing meadow";
            return result;
        }
    }
    result.style = style;
    return result;
}
