// Resets and the drawn transform of the ball.
#include "physics/Ball.h"

void resetBall(Ball& ball, Vec3 position) {
    Ball fresh;
    fresh.radius = ball.radius;
    fresh.color = ball.color;
    fresh.position = position;
    ball = fresh;
}

Mat4 ballModelMatrix(Vec3 position, Quat rotation, float radius) {
    Mat4 model = glm::translate(Mat4(1.0f), position) * glm::mat4_cast(rotation);
    model[0] *= radius;
    model[1] *= radius;
    model[2] *= radius;
    return model;
}
