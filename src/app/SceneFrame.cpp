// The level's scene through the scene renderer, in the play frame's order.
#include "app/SceneFrame.h"

#include "render/Gl.h"

void drawLevelScene(BallRenderer& renderer, Level& level, const Ball& ball, const Mat4& view,
                    const Mat4& projection, bool normalMapping, int width, int height) {
    drawSceneShadows(renderer, level, ball, normalMapping);
    drawSceneLit(renderer, level, ball, view, projection, width, height);
}

void drawSceneShadows(BallRenderer& renderer, Level& level, const Ball& ball, bool normalMapping) {
    renderer.sunPos = level.sunPos;
    renderer.sunColor = level.sunColor;
    renderer.ambient = level.sunAmbient;
    renderer.sunPosBase = level.sunPosBase;
    renderer.shadowsEnabled = true;
    renderer.pcfRadius = 2;
    renderer.normalMapping = normalMapping;
    renderer.renderShadowPass(level.objects, ballModelMatrix(ball), ball.position, kShadowExtent);
}

void drawSceneLit(BallRenderer& renderer, Level& level, const Ball& ball, const Mat4& view,
                  const Mat4& projection, int width, int height) {
    glViewport(0, 0, width, height);
    if (level.ground) renderer.drawGround(view, projection);
    renderer.drawSceneObjects(view, projection, level.objects);
    renderer.drawBall(view, projection, ballModelMatrix(ball), ball.color, 0);
}
