// A menu's buttons as both the mouse and the keyboard work them: a highlight
// that the arrow keys (and W/S) move with wrap-around and that follows the
// cursor onto a button; a click on a button, or Enter or Space, activates.
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

private:
    int highlight = 0;
};
