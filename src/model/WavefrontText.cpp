// Words, numbers and face corners of OBJ and MTL lines.
#include "model/WavefrontText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An integer as "%d" reads it: optional sign and at least one digit. Sets
// `fits` false when it does not fit an int, which makes it an invalid index
// instead of undefined behaviour.
bool readInt(std::string_view& text, long long& value, bool& fits) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at == text.size() || !isDigit(text[at])) return false;
    long long magnitude = 0;
    fits = true;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        if (magnitude <= static_cast<long long>(INT_MAX) + 1) magnitude = magnitude * 10 + (text[at] - '0');
    }
    value = negative ? -magnitude : magnitude;
    if (value > INT_MAX || value < INT_MIN) fits = false;
    text.remove_prefix(at);
    return true;
}

bool readIndex(std::string_view& text, long long& index) {
    long long value = 0;
    bool fits = true;
    if (!readInt(text, value, fits)) return false;
    index = fits ? value : 0;
    return true;
}

bool skipSlash(std::string_view& text) {
    if (text.empty() || text.front() != '/') return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::string_view WordCursor::nextWord() {
    std::size_t start = 0;
    while (start < rest.size() && isSpace(rest[start])) ++start;
    std::size_t end = start;
    while (end < rest.size() && !isSpace(rest[end])) ++end;
    const std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

bool WordCursor::readFloat(float& value) {
    std::size_t start = 0;
    while (start < rest.size() && isSpace(rest[start])) ++start;
    const char* first = rest.data() + start;
    const char* last = rest.data() + rest.size();
    // from_chars takes neither a plus sign nor leaves out "inf" and "nan";
    // streams take the former and refuse the latter, and so do we.
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return false;
    }
    const char* digits = (first != last && *first == '-') ? first + 1 : first;
    if (digits == last || !(isDigit(*digits) || *digits == '.')) return false;
    float parsed = 0.0f;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || !std::isfinite(parsed)) return false;
    value = parsed;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return true;
}

void readFloats(WordCursor& cursor, float* values, int count) {
    int read = 0;
    while (read < count && cursor.readFloat(values[read])) ++read;
    for (; read < count; ++read) values[read] = 0.0f;
}

CornerIndices parseCorner(std::string_view token) {
    CornerIndices corner;
    if (!readIndex(token, corner.position)) return corner;
    if (!skipSlash(token)) return corner;
    if (skipSlash(token)) {
        readIndex(token, corner.normal);
        return corner;
    }
    if (!readIndex(token, corner.uv)) return corner;
    if (skipSlash(token)) readIndex(token, corner.normal);
    return corner;
}
