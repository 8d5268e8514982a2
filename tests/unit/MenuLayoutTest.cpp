// The menus' choice tables and hit test: any index wraps into a table, and a
// cursor on a box's edge is over it.
#include "screens/MenuLayout.h"

#include <gtest/gtest.h>

TEST(MenuLayout, IndicesOutOfRangeWrapIntoTheTables) {
    const int rows = static_cast<int>(kResolutions.size());
    for (const auto& [index, step, expected] : {std::tuple{rows - 1, 1, 0}, {0, -1, rows - 1}, {-7 * rows + 2, 0, 2},
                                                {2, 5 * rows, 2}, {5, 1, 0}}) {
        EXPECT_EQ(wrapIndex(index, step, index == 5 ? 0 : rows), expected) << index << " + " << step;
    }
    EXPECT_EQ(resolutionAt(rows + 1).width, resolutionAt(1).width);
    EXPECT_EQ(fpsCapAt(-1), fpsCapAt(static_cast<int>(kFpsCaps.size()) - 1));
}

TEST(MenuLayout, HitTestCountsTheEdgesAsOver) {
    const UiBox box{530.0f, 345.5f, 220.0f, 44.0f};
    for (const auto& [x, y, over] : {std::tuple{530.0, 360.0, true}, {750.0, 360.0, true}, {640.0, 345.5, true},
                                     {640.0, 389.5, true}, {529.9999, 360.0, false}, {750.0001, 360.0, false},
                                     {640.0, 345.4999, false}, {640.0, 389.5001, false}}) {
        EXPECT_EQ(isOver(box, x, y), over) << x << "," << y;
    }
}
