// The world's 3D half of a frame.
#include "screens/WorldView.h"

#include "screens/Graphics.h"
#include "screens/PlayWorld.h"

SceneView activeView(GameContext& game, const FrameInfo& frame, float blend) {
    SceneView view;
    view.width = frame.framebufferWidth;
    view.height = frame.framebufferHeight;
    if (game.switches.debugCamActive) {
        view.view = game.debugCam.view();
        view.projection = game.debugCam.projection();
        return view;
    }
    OrbitCamera camera = game.world.drawnCamera(blend);
    camera.aspect = displayAspect(frame.framebufferWidth, frame.framebufferHeight, camera.aspect);
    game.world.camera().aspect = camera.aspect;
    view.view = camera.view();
    view.projection = camera.projection();
    return view;
}

void drawWorld(GameContext& game, const FrameInfo& frame, float blend, bool sunAndFlare) {
    Graphics& graphics = game.graphics;
    const SceneView view = activeView(game, frame, blend);
    const SceneDrawList scene = game.world.scene(blend);
    graphics.scene.drawScene(scene, view, game.models, {game.switches.normalMapping});
    const Mat4& v = view.view;
    graphics.particles.draw(game.world.particles(), v, view.projection, Vec3(v[0][0], v[1][0], v[2][0]),
                            Vec3(v[0][1], v[1][1], v[2][1]));
    if (sunAndFlare) {
        graphics.flare.draw(v, view.projection, scene.sunPosition, scene.light.sunColor, view.width, view.height,
                            frame.dt);
        graphics.scene.drawSun(scene, view, game.models);
    }
}
