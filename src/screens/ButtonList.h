// A menu's buttons as the mouse, the keyboard and the pad work them: a
// highlight that Up and Down (W/S, the d-pad) move with wrap-around and that
// follows the cursor onto a button; a click on a button, or Enter, Space or the
// pad's A, activates.
// The highlight is the state; the boxes are laid out anew every frame.
#pragma once

#include "input/Input.h"
#include "ui/UiDrawList.h"

#include <vector>

class ButtonList {
public:
    // Returns the index of the button activated this frame, or -1.
    int update(const Input& input, const std::vector<UiBox>& boxes);
    int highlighted() const { return highlight; }
    void highlightFirst() { highlight = 0; }
    // The highlight moved in the last update (the menu ticks).
    bool moved() const { return highlightMoved; }

private:
    int choose(const Input& input, const std::vector<UiBox>& boxes);

    int highlight = 0;
    bool highlightMoved = false;
};
