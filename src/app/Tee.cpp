// Console-and-log stream buffer.
#include "app/Tee.h"

Tee::Tee(std::streambuf* console, std::streambuf* log) : console(console), log(log) {}

int Tee::overflow(int c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return c;
    const char ch = traits_type::to_char_type(c);
    const int consoleResult = console->sputc(ch);
    if (ch == '\n') console->pubsync();
    if (!log) return consoleResult;
    const int logResult = log->sputc(ch);
    if (ch == '\n') log->pubsync();
    return logResult;
}
