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
    for (const UiDraw& draw : list) {
        if (draw.kind == UiDrawKind::Rect && draw.box.x == box.x && draw.box.y == box.y && draw.box.w == box.w &&
            draw.box.h == box.h) {
            return &draw;
        }
    }
    return nullptr;
}

inline void expectColor(Vec4 actual, Vec4 expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.r, expected.r, tolerance);
    EXPECT_NEAR(actual.g, expected.g, tolerance);
    EXPECT_NEAR(actual.b, expected.b, tolerance);
    EXPECT_NEAR(actual.a, expected.a, tolerance);
}
