// Keyboard, pad and mouse over a menu's buttons.
#include "screens/ButtonList.h"

#include "input/MenuInput.h"

int ButtonList::update(const Input& input, const std::vector<UiBox>& boxes) {
    const int before = highlight;
    const int chosen = choose(input, boxes);
    highlightMoved = highlight != before;
    return chosen;
}

int ButtonList::choose(const Input& input, const std::vector<UiBox>& boxes) {
    const int count = static_cast<int>(boxes.size());
    if (count == 0) return -1;
    if (highlight < 0 || highlight >= count) highlight = 0;
    const MenuMove move = menuMove(input);
    if (move == MenuMove::Up) highlight = (highlight + count - 1) % count;
    if (move == MenuMove::Down) highlight = (highlight + 1) % count;
    int under = -1;
    for (int i = 0; i < count; ++i) {
        if (isOver(boxes[static_cast<std::size_t>(i)], input.cursorX(), input.cursorY())) under = i;
    }
    // Only a moving cursor takes the highlight, so a pointer resting on one
    // button does not fight the keys.
    if (under >= 0 && input.cursorMoved()) highlight = under;
    if (under >= 0 && input.mouseClicked(kMouseLeft)) {
        highlight = under;
        return under;
    }
    return menuConfirm(input) ? highlight : -1;
}
