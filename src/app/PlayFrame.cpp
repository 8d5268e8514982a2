// One play frame's simulation.
#include "app/PlayFrame.h"

#include "app/Ball.h"

void updatePlayFrame(PlaySession& session, OrbitDrag& drag, const Input& input, const Config& config,
                     PlayPointer pointer, float dt, float elapsedTime, bool debugCamActive, int displayWidth,
                     int displayHeight) {
    OrbitCamera& camera = session.camera;
    updateOrbitControl(camera, drag, pointer.x, pointer.y, pointer.rightDown, input, config, dt, debugCamActive);
    const MoveDirections directions = cameraMoveDirections(camera);
    // Effects come from the powerups as they were before anything changes this frame.
    const PowerupEffects effects = powerupEffects(session.progress.activePowerups, dt);
    if (!debugCamActive) {
        updateBall(session.ball, effects.physicsDt, input, directions.forward, directions.right, config,
                   effects.speedMultiplier, effects.antiGravity);
        session.physics.step(session.ball, session.currentLevel().objects, effects.physicsDt);
        updateFall(session, dt);
    }
    camera.aspect = displayAspect(displayWidth, displayHeight, camera.aspect);
    if (!debugCamActive) camera.follow(session.ball.position, dt);
    updateLevelTimer(session, dt, !debugCamActive);
    updatePickupsAndGoal(session, dt, elapsedTime);
}
