// The 3D half of a frame that shows a level: the level's lighting copied into
// the scene renderer, the sun's shadow pass, then ground, objects and ball in
// the window. Play, the end screens and the frame-time benchmark all draw it
// through these functions, so they cannot drift apart.
#pragma once

#include "app/Ball.h"
#include "level/Level.h"
#include "render/BallRenderer.h"
#include "base/Math.h"

// Half-size of the square the sun's shadow map covers around the ball.
constexpr float kShadowExtent = 14.0f;

// Both passes below, in order. The sun itself comes later in the frame
// (`drawSun`), after the lens flare.
void drawLevelScene(BallRenderer& renderer, Level& level, const Ball& ball, const Mat4& view,
                    const Mat4& projection, bool normalMapping, int width, int height);

// The level's lighting block and switches into the renderer, then the depth
// pass from the sun around the ball. Leaves the shadow map's viewport set.
void drawSceneShadows(BallRenderer& renderer, Level& level, const Ball& ball, bool normalMapping);

// The window viewport of `width` x `height` pixels again, then the ground (when
// the level has one), the objects and the ball, lit and shadowed.
void drawSceneLit(BallRenderer& renderer, Level& level, const Ball& ball, const Mat4& view,
                  const Mat4& projection, int width, int height);
