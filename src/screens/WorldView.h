// Drawing the world under play from the camera the player sees it through:
// the debug camera while it is on, else the orbit camera where the frame's
// blend puts it. Play, the end screens and the pause screen all draw through
// here, so they cannot drift apart.
#pragma once

#include "screens/GameContext.h"
#include "screens/Screen.h"

#include "render/SceneDrawList.h"

// The view and projection of the active camera for a framebuffer of the frame's size.
SceneView activeView(GameContext& game, const FrameInfo& frame, float blend);

// Shadow pass, ground, objects, ball and sparks; with `sunAndFlare` also the
// lens flare and the sun (live play only).
void drawWorld(GameContext& game, const FrameInfo& frame, float blend, bool sunAndFlare);
