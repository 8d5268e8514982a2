// Key names of config.ini: a fixed table of 63 names and their GLFW key codes.
// Names and codes are unique; a code outside the table is written as "?" and a
// name outside it reads as -1 (no key).
#pragma once

#include <array>
#include <string>
#include <string_view>

struct KeyName {
    const char* name;
    int code;
};

extern const std::array<KeyName, 63> keyNameTable;

// The code of the exactly equal (case-sensitive) trimmed name, or -1.
int keyFromName(std::string_view name);

// The table name of a code, or "?" when the code has none.
std::string nameOfKey(int code);
