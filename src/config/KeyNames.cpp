// The key-name table and its two lookups.
#include "config/KeyNames.h"

#include "config/Config.h"

const std::array<KeyName, 63> keyNameTable = {{
    {"A", 65}, {"B", 66}, {"C", 67}, {"D", 68}, {"E", 69}, {"F", 70}, {"G", 71},
    {"H", 72}, {"I", 73}, {"J", 74}, {"K", 75}, {"L", 76}, {"M", 77}, {"N", 78},
    {"O", 79}, {"P", 80}, {"Q", 81}, {"R", 82}, {"S", 83}, {"T", 84}, {"U", 85},
    {"V", 86}, {"W", 87}, {"X", 88}, {"Y", 89}, {"Z", 90},
    {"0", 48}, {"1", 49}, {"2", 50}, {"3", 51}, {"4", 52},
    {"5", 53}, {"6", 54}, {"7", 55}, {"8", 56}, {"9", 57},
    {"F1", 290}, {"F2", 291}, {"F3", 292}, {"F4", 293}, {"F5", 294}, {"F6", 295},
    {"F7", 296}, {"F8", 297}, {"F9", 298}, {"F10", 299}, {"F11", 300}, {"F12", 301},
    {"SPACE", 32}, {"ENTER", 257}, {"ESC", 256}, {"TAB", 258}, {"BACKSPACE", 259},
    {"UP", 265}, {"DOWN", 264}, {"LEFT", 263}, {"RIGHT", 262},
    {"LSHIFT", 340}, {"RSHIFT", 344}, {"LCTRL", 341}, {"RCTRL", 345},
    {"LALT", 342}, {"RALT", 346},
}};

int keyFromName(std::string_view name) {
    const std::string wanted = trim(name);
    for (const KeyName& entry : keyNameTable) {
        if (wanted == entry.name) return entry.code;
    }
    return -1;
}

std::string nameOfKey(int code) {
    for (const KeyName& entry : keyNameTable) {
        if (entry.code == code) return entry.name;
    }
    return "?";
}
