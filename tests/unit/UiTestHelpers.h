// Lookups in a UI draw list for the unit tests.
#pragma once

#include "ui/UiDrawList.h"

#include <gtest/gtest.h>

#include <string>

// The first text draw with exactly this text, or nullptr.
inline const UiDraw* findText(const UiDrawList& list, const std::string& text) {
    for (const UiDraw& draw : list) {
        if (draw.kind == UiDrawKind::Text && draw.text == text) return &draw;
    }
    return nullptr;
}

// The first rectangle draw with exactly this box, or nullptr.
inline const UiDraw* findRect(const UiDrawList& list, UiBox box) {
    for (const UiDraw& d : list) {
        if (d.kind == UiDrawKind::Rect && d.box.x == box.x && d.box.y == box.y && d.box.w == box.w && d.box.h == box.h)
            return &d;
    }
    return nullptr;
}

inline void expectColor(Vec4 actual, Vec4 expected, float tolerance = 1e-5f) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(actual[c], expected[c], tolerance) << "channel " << c;
}
