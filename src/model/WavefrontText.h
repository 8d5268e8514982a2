// Line and value reading shared by the OBJ and MTL parsers. Lines end at '\n';
// a line that is empty or starts with '#' is skipped; words are separated by
// any whitespace (so a trailing '\r' never reaches a value). Numbers are read
// from a cursor as a text stream would: a value that is not a plain decimal
// number stops the reading of that line.
#pragma once

#include <cstdint>
#include <string_view>

struct WordCursor {
    std::string_view rest;  // the unread part of the line

    // The next whitespace-separated word, or empty text at the end.
    std::string_view nextWord();
    // Reads a finite decimal number (optional sign, digits, point, exponent)
    // from the front; false, with `value` untouched, when there is none.
    bool readFloat(float& value);
};

// Reads up to `count` numbers into `values`, stopping at the first bad one; the
// components not read are set to 0.
void readFloats(WordCursor& cursor, float* values, int count);

// Calls visit(firstWord, cursorOverTheRest) for every line that is neither
// empty nor a '#' comment. `firstWord` may be empty (a line of blanks).
template <typename Visit>
void forEachWavefrontLine(std::string_view text, Visit&& visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        WordCursor cursor{line};
        const std::string_view first = cursor.nextWord();
        visit(first, cursor);
    }
}

// A face corner "v", "v/t", "v//n" or "v/t/n" as 1-based indices; 0 where the
// corner names none or the text is not a number that fits an int.
struct CornerIndices {
    long long position = 0;
    long long uv = 0;
    long long normal = 0;
};
CornerIndices parseCorner(std::string_view token);
