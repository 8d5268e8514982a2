// Value rows, binding rows and buttons under mouse, keys and pad.
#include "screens/MenuList.h"

#include "input/MenuInput.h"

namespace {

constexpr float kArrowWidth = 28.0f;
constexpr float kLabelShare = 0.45f;  // of the width, before the first arrow
const Vec4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};
const Vec4 kLabelColor{0.75f, 0.75f, 1.0f, 1.0f};
const Vec4 kHighlight{0.32f, 0.32f, 0.7f, 0.9f};
const Vec4 kButtonColor{0.15f, 0.15f, 0.38f, 1.0f};
const Vec4 kArrowColor{0.2f, 0.2f, 0.5f, 1.0f};

float textTop(const MenuArea& area, int index) {
    return area.y + area.rowHeight * static_cast<float>(index) + (area.rowHeight - 8.0f * area.textScale) * 0.5f;
}

}  // namespace

UiBox entryBox(const MenuArea& area, int index) {
    return {area.x, area.y + area.rowHeight * static_cast<float>(index), area.width, area.rowHeight - 4.0f};
}

UiBox decrementBox(const MenuArea& area, int index) {
    const UiBox row = entryBox(area, index);
    return {row.x + row.w * kLabelShare, row.y, kArrowWidth, row.h};
}

UiBox incrementBox(const MenuArea& area, int index) {
    const UiBox row = entryBox(area, index);
    return {row.x + row.w - kArrowWidth, row.y, kArrowWidth, row.h};
}

MenuResult MenuList::update(const Input& input, const std::vector<MenuEntry>& entries, const MenuArea& area) {
    const int before = highlight;
    MenuResult result = choose(input, entries, area);
    highlightMoved = highlight != before;
    return result;
}

MenuResult MenuList::choose(const Input& input, const std::vector<MenuEntry>& entries, const MenuArea& area) {
    MenuResult result;
    const int count = static_cast<int>(entries.size());
    if (count == 0) return result;
    if (highlight < 0 || highlight >= count) highlight = 0;
    const MenuMove move = menuMove(input);
    if (move == MenuMove::Up) highlight = (highlight + count - 1) % count;
    if (move == MenuMove::Down) highlight = (highlight + 1) % count;
    const auto& here = entries[static_cast<std::size_t>(highlight)];
    if (here.kind == EntryKind::Value && (move == MenuMove::Left || move == MenuMove::Right)) {
        return {highlight, move == MenuMove::Left ? -1 : 1};
    }

    const double mx = input.cursorX();
    const double my = input.cursorY();
    int under = -1;
    for (int i = 0; i < count; ++i) {
        if (isOver(entryBox(area, i), mx, my)) under = i;
    }
    if (under >= 0 && input.cursorMoved()) highlight = under;
    if (under >= 0 && input.mouseClicked(kMouseLeft)) {
        highlight = under;
        if (entries[static_cast<std::size_t>(under)].kind != EntryKind::Value) return {under, 0};
        if (isOver(decrementBox(area, under), mx, my)) return {under, -1};
        if (isOver(incrementBox(area, under), mx, my)) return {under, 1};
        return result;
    }
    if (menuConfirm(input)) return {highlight, here.kind == EntryKind::Value ? 1 : 0};
    return result;
}

void MenuList::append(UiDrawList& list, const std::vector<MenuEntry>& entries, const MenuArea& area) const {
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const MenuEntry& entry = entries[static_cast<std::size_t>(i)];
        const UiBox row = entryBox(area, i);
        const float y = textTop(area, i);
        const bool lit = i == highlight;
        if (entry.kind == EntryKind::Button) {
            list.push_back(makeRectDraw(row, lit ? kHighlight : kButtonColor));
            list.push_back(makeCenteredTextDraw(entry.label, row.x + row.w * 0.5f, y, area.textScale, kWhite));
            continue;
        }
        if (lit) list.push_back(makeRectDraw(row, kHighlight));
        list.push_back(makeTextDraw(entry.label, row.x + 8.0f, y, area.textScale, kLabelColor));
        const UiBox left = decrementBox(area, i);
        const UiBox right = incrementBox(area, i);
        const float valueCentre = (left.x + right.x + right.w) * 0.5f;
        if (entry.kind == EntryKind::Value) {
            list.push_back(makeRectDraw(left, kArrowColor));
            list.push_back(makeCenteredTextDraw("<", left.x + left.w * 0.5f, y, area.textScale, kWhite));
            list.push_back(makeRectDraw(right, kArrowColor));
            list.push_back(makeCenteredTextDraw(">", right.x + right.w * 0.5f, y, area.textScale, kWhite));
        }
        list.push_back(makeCenteredTextDraw(entry.value, valueCentre, y, area.textScale, kWhite));
    }
}
