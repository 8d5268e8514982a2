// A column of menu entries: value rows (a label, then a value between "<" and
// ">" arrows), choice rows (a label and a value, chosen as a whole: a key to
// bind, a level to play) and buttons. Mouse, keys and pad all work it: Up and
// Down move the highlight, which also follows a moving cursor; Left and Right,
// or a click on an arrow, step the highlighted row's value; Enter, Space, the
// pad's A or a click choose a choice row or press a button (and step a value
// row on).
#pragma once

#include "input/Input.h"
#include "ui/UiDrawList.h"

#include <string>
#include <vector>

enum class EntryKind { Value, Choice, Button };

struct MenuEntry {
    EntryKind kind = EntryKind::Value;
    std::string label;
    std::string value;  // a value row's or a choice row's value; unused by buttons
};

// Where the column goes: the left edge, the top, the width, one row's height
// and its text's scale.
struct MenuArea {
    float x = 0.0f;
    float y = 0.0f;
    float width = 472.0f;
    float rowHeight = 34.0f;
    float textScale = 1.6f;
};

struct MenuResult {
    int entry = -1;  // the row stepped or chosen, the button pressed, or -1
    int step = 0;    // -1 or +1 for a value row; 0 for a choice or a press
};

UiBox entryBox(const MenuArea& area, int index);
UiBox decrementBox(const MenuArea& area, int index);
UiBox incrementBox(const MenuArea& area, int index);

class MenuList {
public:
    MenuResult update(const Input& input, const std::vector<MenuEntry>& entries, const MenuArea& area);
    void append(UiDrawList& list, const std::vector<MenuEntry>& entries, const MenuArea& area) const;
    int highlighted() const { return highlight; }
    void highlightEntry(int index) { highlight = index; }
    // The highlight moved in the last update (the menu ticks).
    bool moved() const { return highlightMoved; }

private:
    MenuResult choose(const Input& input, const std::vector<MenuEntry>& entries, const MenuArea& area);

    int highlight = 0;
    bool highlightMoved = false;
};
